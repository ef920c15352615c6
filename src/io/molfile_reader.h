// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"

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

/// The comment line of the molfile this program writes beside its
/// documents: "Molvane 3D companion, 1.54 A per bond length". The number
/// tells a reader the scale of the drawing the copy was made from.
std::string companioncomment(double angstromperlength);

/// The ångström per bond length a comment line written by
/// companioncomment names; 0 when it is no such line or the number is not
/// a plausible scale.
double companionscale(std::string_view comment);

/// True for the counts line of the companion layout: five numbers without
/// widths, the last three 0, single blanks between ("3 2 0 0 0").
bool iscompanioncounts(std::string_view line);

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
