// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

namespace molvane {

struct tcommandcontext;

class tatm;
class tbond;
class tChain;
class tStructure;

/// The atoms and bonds a branch recipe added, in creation order. bonds[i]
/// joins atoms[i] to parents[i], the atom it grew from (the anchor for the
/// first atom).
struct tskeleton {
  tatm* anchor = nullptr;
  std::vector<tatm*> atoms;
  std::vector<tbond*> bonds;
  std::vector<tatm*> parents;

  bool empty() const { return atoms.empty(); }
};

/// +1 when (x, y) lies clockwise on the screen of the line from `from`
/// through `to` (or on the line), -1 when it lies anticlockwise. Side +1
/// of growzigzag is the clockwise side.
double clickside(const tatm& from, const tatm& to, double x, double y);

/// A carbon from last beside the bond previous-last: 120 degrees from that
/// bond on side (+1 or -1), so that alternating sides make a zigzag.
bool growzigzag(tcommandcontext& context, tskeleton& skeleton, tatm& previous,
                tatm& last, double side);
/// A carbon from last straight along the bond previous-last (an sp
/// centre).
bool growstraight(tcommandcontext& context, tskeleton& skeleton,
                  const tatm& previous, tatm& last);
/// Two carbons on centre, the first at 120 degrees from the bond
/// previous-centre on side, the second in the remaining direction: the end
/// of an isopropyl group.
void growfork(tcommandcontext& context, tskeleton& skeleton, tatm& previous,
              tatm& centre, double side);
/// Three carbons on centre: two at right angles to the bond previous-centre
/// and one straight on, the usual flat picture of a tert-butyl group.
void growcross(tcommandcontext& context, tskeleton& skeleton,
               const tatm& previous, tatm& centre);

/// A zigzag chain of carbons from anchor towards (x, y). Empty when the
/// anchor takes no branch.
tskeleton branchchainfrom(tcommandcontext& context, tatm& anchor, double x,
                          double y, int carbons);
/// A straight chain of carbons from anchor, as a triple bond needs.
tskeleton branchlinearfrom(tcommandcontext& context, tatm& anchor, double x,
                           double y, int carbons);
/// Isopropyl: the centre, then the forked pair.
tskeleton branchisopropylfrom(tcommandcontext& context, tatm& anchor, double x,
                              double y);
/// tert-Butyl: the centre, then the crossed three.
tskeleton branchtertbutylfrom(tcommandcontext& context, tatm& anchor, double x,
                              double y);

/// Hands a skeleton to a new structure of the drawing: structure lists its
/// atoms and bonds (slots 1..12 in creation order) and is merged; the
/// atoms and bonds are the drawing's already.
tStructure* collectskeleton(tcommandcontext& context, const tskeleton& skeleton,
                            std::unique_ptr<tStructure> structure);

/// Chain/Add: a zigzag of carbons (2 .. 10) whose first atom lands on the
/// click; ethane lies level.
tChain* addchain(tcommandcontext& context, double x, double y, int carbons);
/// Chain/Add: isobutane, isopentane and the alkenes and alkynes
/// (codes 510, 592, 680 .. 689); null for other codes.
tChain* addhydrocarbon(tcommandcontext& context, double x, double y, int code);
/// Chain/Branch: a zigzag of carbons (1 .. 10) from the nearest atom. "No
/// Atoms" on an empty drawing, "No Atoms to Link " when the nearest atom
/// takes no branch.
tChain* branchchain(tcommandcontext& context, double x, double y, int carbons);
/// Chain/Branch: isopropyl, tert-butyl, isobutyl, sec-butyl (codes 520,
/// 521, 599, 690), with the messages of branchchain; null for other codes.
tChain* branchalkyl(tcommandcontext& context, double x, double y, int code);

}  // namespace molvane
