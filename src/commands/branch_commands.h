// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <optional>

namespace molvane {

class tatm;
class tbond;

/// What a branch added: the new atom and the bond that joins it to its
/// anchor (the anchor is the bond's first atom). Both null when nothing was
/// built.
struct tbranch {
  tatm* atom = nullptr;
  tbond* bond = nullptr;
  explicit operator bool() const { return atom != nullptr; }
};

/// Where a new atom bonded to anchor goes for a click at (x, y), one
/// standard bond length L away, by the anchor's neighbour count: a snapped
/// direction for a lone atom, 120 degrees on the click side (or straight on
/// for sp centres and unhybridised ones such as metals) for one neighbour,
/// the open bisector (or, for a click inside the angle, the inner one) for
/// two, the free tetrahedral direction (or the click direction on a 30
/// degree grid when flat) for three, the click direction for four to 16.
/// Nothing for label atoms, symbol points, more than 16 neighbours, five-
/// and six-coordinate centres, and clicks on the anchor itself where the
/// direction would be undefined.
std::optional<TXYZ> branchposition(tatm& anchor, double x, double y);

/// Adds a carbon at position, single-bonded to anchor, to the current
/// drawing and to the first of its structures that holds anchor.
tbranch attachcarbon(tatm& anchor, const TXYZ& position);

/// A carbon bonded to anchor where branchposition puts it.
tbranch branchfrom(tatm& anchor, double x, double y);

/// A branch from anchor turned into element with its hydrogens in the
/// label; oxygen and sulphur labels are written away from the anchor. In
/// 3D building the bond takes its ideal length.
tbranch branchelementfrom(tatm& anchor, double x, double y, int element);

/// Writes the hydrogens of an oxygen or sulphur label on the side away
/// from neighbour.
void orientlabel(tatm& atom, const tatm& neighbour);

/// Branch/"Bond": a carbon branched from the atom nearest to the click;
/// "No Atoms" on an empty drawing. In 3D building the bond takes its ideal
/// length.
tbranch branchatom(double x, double y);

/// A branched atom of element (-1 for "R") from the nearest atom, showing
/// its hydrogens; "No Atoms" on an empty drawing.
tbranch branchelement(double x, double y, int element);

/// A branched deuterium atom, labelled "D".
tbranch branchdeuterium(double x, double y);

/// The "q-" items: an element branch moved onto the screen axis nearest to
/// the click direction, at distance L. bare switches the label off.
tbranch branchalongaxis(double x, double y, int element, bool bare);

/// "=O", "=NH", "=CH2", "=S": an element branch made a double bond with
/// centred lines ("=CH2" without a label). In 3D building the bond takes
/// its ideal length, and on an anchor with two neighbours the new atom
/// takes the open side of their angle wherever the click lies, as the
/// third bond of a trigonal centre.
tbranch branchdoublebonded(double x, double y, int element);

}  // namespace molvane
