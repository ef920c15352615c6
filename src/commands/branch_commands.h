// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/branch_position.h"
#include "model/atom_list.h"

#include <optional>

namespace molvane {

struct tcommandcontext;

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

/// Adds a carbon at position, single-bonded to anchor, to the context's
/// drawing and to the first of its structures that holds anchor.
tbranch attachcarbon(tcommandcontext& context, tatm& anchor,
                     const TXYZ& position);

/// A carbon bonded to anchor where branchposition puts it.
tbranch branchfrom(tcommandcontext& context, tatm& anchor, double x, double y);

/// A branch from anchor turned into element with its hydrogens in the
/// label; oxygen and sulphur labels are written away from the anchor. In
/// 3D building the bond takes its ideal length.
tbranch branchelementfrom(tcommandcontext& context, tatm& anchor, double x,
                          double y, int element);

/// Writes the hydrogens of an oxygen or sulphur label on the side away
/// from neighbour.
void orientlabel(tatm& atom, const tatm& neighbour);

/// Branch/"Bond": a carbon branched from the atom nearest to the click;
/// "No Atoms" on an empty drawing. In 3D building the bond takes its ideal
/// length.
tbranch branchatom(tcommandcontext& context, double x, double y);

/// A branched atom of element (-1 for "R") from the nearest atom, showing
/// its hydrogens; "No Atoms" on an empty drawing.
tbranch branchelement(tcommandcontext& context, double x, double y,
                      int element);

/// A branched deuterium atom, labelled "D".
tbranch branchdeuterium(tcommandcontext& context, double x, double y);

/// The "q-" items: an element branch moved onto the screen axis nearest to
/// the click direction, at distance L. bare switches the label off.
tbranch branchalongaxis(tcommandcontext& context, double x, double y,
                        int element, bool bare);

/// "=O", "=NH", "=CH2", "=S": an element branch made a double bond with
/// centred lines ("=CH2" without a label). In 3D building the bond takes
/// its ideal length, and on an anchor with two neighbours the new atom
/// takes the open side of their angle wherever the click lies, as the
/// third bond of a trigonal centre.
tbranch branchdoublebonded(tcommandcontext& context, double x, double y,
                           int element);

}  // namespace molvane
