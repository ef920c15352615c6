// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tbond;
class tStructure;

/// The anchor bond of a click: among the chemical bonds of structure (the
/// drawing, or a group of it; links between symbol points are not shown as
/// bonds), the one whose midpoint is nearest to (x, y); the earlier bond
/// wins a tie. Null when there is none.
tbond* nearestbond(const tStructure& structure, double x, double y);

}  // namespace molvane
