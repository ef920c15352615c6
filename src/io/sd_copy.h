// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace molvane {

struct tcopiedrecords {
  /// Why nothing was written (the input could not be read, no record of
  /// it could, or the output could not be written); target is then left
  /// as it was.
  std::string error;
  int written = 0;
  /// Records left out because they could not be read ("record 3, line
  /// 40: ...; left out"), and what readers noticed in the others.
  std::vector<std::string> notices;
};

/// Reads the MDL records of from one at a time and writes each as a
/// standard SD record to to, as it reads them, so that files of any size
/// convert in the memory of one record. The target is replaced only when
/// the whole copy succeeded.
[[nodiscard]] tcopiedrecords copysdrecords(const std::filesystem::path& from,
                                           const std::filesystem::path& to);

}  // namespace molvane
