// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/shipped_data.h"

#include <system_error>

namespace molvane {

namespace {

std::filesystem::path& chosenfolder() {
  static std::filesystem::path folder(MOLVANE_SHIPPED_DATA);
  return folder;
}

}  // namespace

std::filesystem::path shippeddatafolder() { return chosenfolder(); }

std::filesystem::path useshippeddatanear(
    const std::filesystem::path& executablefolder) {
  // The installed layout is prefix/bin and prefix/share/molvane3d; a build
  // folder has no such neighbour and keeps reading the source tree.
  const std::filesystem::path installed =
      (executablefolder / MOLVANE_INSTALLED_DATA).lexically_normal();
  std::error_code failure;
  if (!executablefolder.empty() &&
      std::filesystem::is_directory(installed, failure)) {
    chosenfolder() = installed;
  }
  return chosenfolder();
}

}  // namespace molvane
