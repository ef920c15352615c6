// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace molvane {

/// Reads the property lines of a V2000 record ("M  CHG", "M  RAD",
/// "M  ISO", "M  ZBO", atom aliases) from lines[first] up to "M  END" into
/// record, whose atoms and bonds are read already. Lines the drawing has no
/// place for are noted in record.notices. firstline is the number of
/// lines[0] in the file. Returns "line N: ..." for a line that cannot be
/// read, else the empty string.
std::string readmolfileproperties(std::span<const std::string_view> lines,
                                  std::size_t first, int firstline,
                                  tmoleculerecord& record);

/// Stores a mass number a file states for an atom: 0 is the natural
/// mixture. False, leaving the atom as it is, for one outside the range of
/// known nuclides.
bool setstatedmassnumber(tatomentry& atom, long value);

}  // namespace molvane
