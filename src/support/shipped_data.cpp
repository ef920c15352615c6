// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/shipped_data.h"

#include <mutex>
#include <system_error>

namespace molvane {

namespace {

// Chosen once at start-up, read by every thread that opens a shipped file.
std::mutex& folderlock() {
  static std::mutex lock;
  return lock;
}

std::filesystem::path& chosenfolder() {
  static std::filesystem::path folder(MOLVANE_SHIPPED_DATA);
  return folder;
}

}  // namespace

std::filesystem::path shippeddatafolder() {
  const std::lock_guard<std::mutex> hold(folderlock());
  return chosenfolder();
}

std::filesystem::path useshippeddatanear(
    const std::filesystem::path& executablefolder) {
  // The installed layout is prefix/bin and prefix/share/molvane3d; a build
  // folder has no such neighbour and keeps reading the source tree.
  const std::filesystem::path installed =
      (executablefolder / MOLVANE_INSTALLED_DATA).lexically_normal();
  std::error_code failure;
  const std::lock_guard<std::mutex> hold(folderlock());
  if (!executablefolder.empty() &&
      std::filesystem::is_directory(installed, failure)) {
    chosenfolder() = installed;
  }
  return chosenfolder();
}

}  // namespace molvane
