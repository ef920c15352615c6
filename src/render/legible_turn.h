// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <vector>

namespace molvane {

/// A turn of a 3D model (points in drawing coordinates, y downwards, z
/// towards the viewer) after which its projection on the drawing plane
/// shows every atom apart: of a set of tilts about the x and then the y
/// axis, the one that leaves the fewest pairs of atoms drawn over each
/// other (closer on the plane than a third of a bond, though apart in
/// space), the smallest tilt among equals. The identity when no tilt does
/// better than none, or for fewer than three points.
tmatrix3 legibleturn(const std::vector<TXYZ>& points);

/// How many pairs of points the projection of points on the drawing plane
/// draws over each other, as legibleturn counts them.
int overlaidpairs(const std::vector<TXYZ>& points);

}  // namespace molvane
