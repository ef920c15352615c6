// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"
#include "io/sd_stream.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace molvane {

/// The records of a document file, found in one pass without keeping
/// them: where each SD record starts, or how many molecules a CML file
/// holds, and each record's title.
struct trecordindex {
  /// Why the file could not be gone through; the index is then empty.
  std::string error;
  std::vector<std::string> titles;
  /// For files of MDL records, where each one starts (one per title);
  /// empty for CML, whose molecules are found by position.
  std::vector<tsdplace> places;

  std::size_t count() const { return titles.size(); }
};

/// Titles longer than this are cut in the index.
inline constexpr std::size_t longestindexedtitle = 80;

/// Indexes a file of MDL records (SD files, molfiles) or CML molecules,
/// whatever its extension says, by its content. Other files (native
/// documents, XYZ tables, reactions) count as one record without title.
[[nodiscard]] trecordindex indexrecords(const std::filesystem::path& path);

/// Reads record which (0-based) of an indexed file: an SD record alone,
/// from where the index found it. A number beyond the index gives an
/// error; so does a file changed since it was indexed, when the record is
/// no longer where it was.
[[nodiscard]] treadresult readindexedrecord(
    const std::filesystem::path& path, const trecordindex& index,
    std::size_t which, const tsettings& settings = defaultsettings());

/// Reads the first count records of an indexed file in order, one at a
/// time, handing each to take with its 0-based number.
void readindexedrecords(
    const std::filesystem::path& path, const trecordindex& index,
    std::size_t count,
    const std::function<void(std::size_t, treadresult)>& take,
    const tsettings& settings = defaultsettings());

}  // namespace molvane
