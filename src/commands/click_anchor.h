// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tatm;
class tbond;
class tdrawing;
class tStructure;

/// The anchor atom of a click: the atom of drawing (of any kind) whose 2D
/// position is nearest to (x, y), however far away; the earlier atom wins a
/// tie. Null only for a drawing without atoms.
tatm* nearestatom(const tdrawing& drawing, double x, double y);

/// The anchor atom of a click in the current drawing; for a drawing
/// without atoms null, after telling the user emptymessage.
tatm* clickanchor(double x, double y, const char* emptymessage);

/// The anchor bond of a click: among the chemical bonds of structure (the
/// drawing, or a group of it; links between symbol points are not shown
/// as bonds), the one whose midpoint is nearest to (x, y); the earlier bond
/// wins a tie. Null when there is none.
tbond* nearestbond(const tStructure& structure, double x, double y);

}  // namespace molvane
