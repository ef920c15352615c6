// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "io/molfile_companion.h"

#include <span>
#include <string>
#include <string_view>

namespace molvane {

/// The three layouts an MDL record comes in.
enum class tmolfilelayout { companion, v2000, v3000 };

struct tparsedmolfile {
  tmoleculerecord record;
  tmolfilelayout layout = tmolfilelayout::v2000;
  /// "line N: ..." when the record cannot be read; record is then empty.
  std::string error;
  /// Ångström per bond length L named by the comment line of a companion
  /// this program wrote; 0 for other files.
  double angstromperlength = 0.0;
};

/// Reads one record: the header, the connection table and its property
/// lines. lines holds the record only (an SD file's "$$$$" and what
/// follows are not part of it); firstline is the number of lines[0] in the
/// file, for messages. Data items after the table are ignored.
///
/// The companion layout this program writes beside its documents is told
/// apart by its counts line ("3 2 0 0 0": no widths, no version). Counts
/// are checked against the lines there are before anything is stored.
tparsedmolfile parsemolfile(std::span<const std::string_view> lines,
                            int firstline);

}  // namespace molvane
