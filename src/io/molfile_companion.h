// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace molvane {

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

}  // namespace molvane
