// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <optional>

namespace molvane {

class tatm;

/// Where a new atom bonded to anchor goes for a click at (x, y), one
/// standard bond length L (of the drawing that holds
/// the anchor) away, by the anchor's neighbour count: a snapped
/// direction for a lone atom, 120 degrees on the click side (or straight on
/// for sp centres and unhybridised ones such as metals) for one neighbour,
/// the open bisector (or, for a click inside the angle, the inner one) for
/// two, the free tetrahedral direction (or the click direction on a 30
/// degree grid when flat) for three, the click direction for four to 16.
/// Nothing for label atoms, symbol points, more than 16 neighbours, five-
/// and six-coordinate centres, and clicks on the anchor itself where the
/// direction would be undefined.
std::optional<TXYZ> branchposition(tatm& anchor, double x, double y);

/// The direction opposite the sum of the unit vectors from anchor to its
/// first two neighbours (not normalised): the open side of their angle.
TXYZ openbisector(const tatm& anchor);

}  // namespace molvane
