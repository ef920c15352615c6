// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"

#include <optional>
#include <string_view>
#include <vector>

namespace molvane {

/// An integer field within a million either side of 0.
std::optional<int> molfileinteger(std::string_view text);

/// Bond types of the molfile formats: 1 single, 2 double, 3 triple,
/// 4 aromatic; the query types 5 to 8 are read as the nearest plain bond,
/// 8 ("any") and the coordination and hydrogen bonds 9 and 10 as bonds
/// without order. None for other types.
std::optional<tbondentry> molfilebondtype(int type);

/// Charge codes of the V2000 atom block: 1..3 = +3..+1, 5..7 = -1..-3;
/// 4 marks a doublet radical.
void applymolfilechargecode(tatomentry& atom, int code);

/// The words of a V3000 line; blanks inside parentheses or double quotes
/// do not separate ("ATOMS=(2 1 7)" is one word).
std::vector<std::string_view> v3000words(std::string_view text);

}  // namespace molvane
