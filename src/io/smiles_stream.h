// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/text_chunks.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace molvane {

/// One line of a SMILES file that holds a record.
struct tsmilesline {
  /// 1-based line number in the file.
  int line = 0;
  /// Trimmed; valid until the next call on the stream that gave it.
  std::string_view text;
  /// Set, with text empty, when the line was refused for its length.
  std::string error;
};

/// Reads a SMILES file line by line, holding one line and one chunk of the
/// file at a time. Blank lines and comments ("#") are no records; LF,
/// CR LF and lone CR end lines, as in the other readers.
class tsmilesstream {
 public:
  explicit tsmilesstream(const std::filesystem::path& path,
                         std::size_t longestline = std::size_t{64} << 20U,
                         std::size_t chunkbytes = std::size_t{1} << 20U);

  /// Why the file could not be opened or read on; "" while all is well.
  const std::string& error() const { return chunks_.error(); }

  /// The next record line, or nullopt at the end of the file.
  std::optional<tsmilesline> next();

 private:
  tsmilesline refusedline(int number) const;

  ttextchunks chunks_;
  std::size_t longestline_;
  std::string line_;
  int lines_ = 0;
  /// Dropping the rest of a line refused for its length.
  bool skipping_ = false;
};

}  // namespace molvane
