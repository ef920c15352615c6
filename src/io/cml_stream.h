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
/// One molecule element's text as it stands in the file.
struct tcmlrecordtext {
  /// 1-based among the molecules of the file.
  int number = 1;
  /// 1-based number of the line the element starts on.
  int firstline = 1;
  /// Valid until the next call on the stream that gave it.
  std::string_view text;
  /// Set, with text empty, when the molecule was refused for its size; it
  /// names the record and the line.
  std::string error;
};

/// Reads a molecule's text as tcmlstream::next does: errors name the
/// record and the line ("record 2, line 40: ...").
[[nodiscard]] treadresult readcmlrecordtext(
    const tcmlrecordtext& record,
    const tsettings& settings = defaultsettings());

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

  /// The next molecule's text, or nullopt at the end; what next() reads.
  std::optional<tcmlrecordtext> nexttext();

 private:
  /// Takes the first size bytes of what is pending as the next record.
  tcmlrecordtext takepending(std::size_t size);

  ttextchunks chunks_;
  const tsettings& settings_;
  std::size_t largestrecord_;
  int records_ = 0;
  /// The text nexttext gave last.
  std::string text_;
};

}  // namespace molvane
