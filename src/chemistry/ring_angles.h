// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace molvane {

/// Size of the smallest ring through first - centre - second (3 to 6), or 0
/// when no ring of six or fewer atoms passes there. neighbours holds each
/// atom's neighbours.
int smallringsize(const std::vector<std::vector<std::int32_t>>& neighbours,
                  std::int32_t first, std::int32_t centre, std::int32_t second);

/// Ideal angles (radians) of every neighbour pair (i < j, in neighbour
/// order) at a centre whose plain ideal angle is ideal. Angles inside three-,
/// four- and five-membered rings close their ring (60°, 90°, 108° flat or
/// 104° puckered); at a flat three-bonded centre the other angles share what
/// is left of the full turn, so the centre stays flat. doubled tells, per
/// neighbour, whether its bond to the centre is a double bond: at a flat
/// centre the angles beside a double bond are wider.
std::vector<double> ringidealangles(
    const std::vector<std::vector<std::int32_t>>& neighbours,
    std::int32_t centre, bool flat, double ideal,
    const std::vector<bool>& doubled);

}  // namespace molvane
