// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <filesystem>

namespace molvane {

/// Which records of a file that holds several molecules Open and Import
/// take: one (0-based), or all of them side by side.
struct trecordchoice {
  int record = 0;
  bool all = false;

  bool isfirst() const { return record == 0 && !all; }
};

/// "Load all" puts at most this many records in one drawing.
inline constexpr int mostloadedrecords = 1000;

/// Reads the chosen records of the document at path. One record is read
/// alone, without the records before it being read into drawings. All
/// records are read one at a time and placed left to right, a gap of two
/// bond lengths apart, scaled to a common bond length; unreadable records
/// are left out with a notice, and so are records beyond
/// mostloadedrecords. The error names the file when nothing could be read.
[[nodiscard]] treadresult loadrecords(const std::filesystem::path& path,
                                      trecordchoice choice);

}  // namespace molvane
