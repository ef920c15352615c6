// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"
#include "io/text_chunks.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace molvane {

/// Where the next outermost molecule element of a stretch of CML text lies.
struct tmoleculespan {
  enum class tstatus {
    /// The element is whole at [begin, end).
    found,
    /// The text ends inside a tag, comment or molecule: more text is
    /// needed, and nothing before keep may be dropped.
    incomplete,
    /// No molecule starts in the text; all of it may be dropped.
    none
  };
  tstatus status = tstatus::none;
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t keep = 0;
};

/// Finds the first molecule element (any namespace prefix) that no other
/// molecule element holds, stepping over comments, CDATA sections,
/// processing instructions and quoted attribute values.
tmoleculespan findmolecule(std::string_view text);

/// Reads a CML file molecule by molecule, holding at most one molecule
/// element and one chunk of the file at a time: each element is cut out of
/// the text and read on its own, so that a file of any number of molecules
/// reads in flat memory.
class tcmlstream {
 public:
  explicit tcmlstream(const std::filesystem::path& path,
                      const tsettings& settings = defaultsettings(),
                      std::size_t largestrecord = std::size_t{64} << 20U,
                      std::size_t chunkbytes = std::size_t{1} << 20U);

  /// Why the file could not be opened or read on; "" while all is well.
  const std::string& error() const { return chunks_.error(); }

  /// The next molecule, or nullopt at the end. One that cannot be read
  /// gives a result with an error naming the record and the line ("record
  /// 2, line 40: ..."); reading goes on with the molecule after it.
  std::optional<treadresult> next();

 private:
  /// Reads the first size bytes of what is pending as the next record.
  treadresult readpending(std::size_t size);

  ttextchunks chunks_;
  const tsettings& settings_;
  std::size_t largestrecord_;
  int records_ = 0;
};

}  // namespace molvane
