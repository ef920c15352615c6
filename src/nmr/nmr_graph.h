// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/environment.h"

#include <vector>

namespace molvane {

class tStructure;
class tatm;

/// A chemical atom as the shift predictor sees it.
struct tgraphatom {
  int element = 0;
  int charge = 0;
  /// Free valence in half-bond units, as the atom keeps it.
  int valence2 = 0;
  /// Explicit terminal hydrogens counted into the atom.
  int foldedh = 0;
  /// Folded hydrogens and points that are not chemical atoms take no part.
  bool active = true;
};

/// A bond: its kind in half units and whether it is delocalised.
struct tgraphbond {
  int a = 0;
  int b = 0;
  int kind = 2;
  bool delocalised = false;
  bool present = true;
  /// The order the environment terms use (delocalised bonds count 1.5).
  int ffkind() const;
};

/// A working copy of a structure's molecule graph. The increment schemes
/// cut and restore bonds here, never in the drawing, so the drawing stays
/// untouched whatever they do.
class tnmrgraph {
 public:
  /// Every atom of structure at its list position; its chemical bonds.
  /// Terminal hydrogens are folded into their neighbour unless keep says
  /// otherwise (keep[i] true keeps atom i as a node).
  static tnmrgraph fromstructure(const tStructure& structure,
                                 const std::vector<bool>& keep = {});
  /// The connected part of the drawing or structure around atom; root
  /// receives the atom's node.
  static tnmrgraph around(const tatm& atom, int& root);

  std::vector<tgraphatom> atoms;
  std::vector<tgraphbond> bonds;
  /// Bonds of each atom in bond-list order, present or not.
  std::vector<std::vector<int>> atombonds;

  int size() const { return static_cast<int>(atoms.size()); }
  int other(int bond, int atom) const;
  /// Present bonds and neighbours of atom, in bond-list order.
  std::vector<int> presentbonds(int atom) const;
  std::vector<int> neighbours(int atom) const;
  int degree(int atom) const;

  /// Hybridisation code from the present bonds: 0 none, 1 sp, 2 sp2, 3 sp3,
  /// 4 aromatic, 5 and 6 five- and six-coordinate.
  int hybridization(int atom) const;
  int implicithydrogens(int atom) const;
  /// Folded plus implicit hydrogens.
  int hydrogens(int atom) const;
  bool hasdelocalisedbond(int atom) const;
  int countbonds(int atom, int kind) const;

  /// Cuts a bond (its kind goes back to both ends' free valence) or puts
  /// it back; both do nothing when the bond is already so.
  void cutbond(int bond);
  void restorebond(int bond);

  /// The environment of atom in the graph as it is now.
  tenvironment environment(int atom) const;

  /// Six-membered rings of alternating single and double bonds between
  /// carbon and nitrogen (and rings fused to them that close the system)
  /// become delocalised, as if drawn with aromatic bonds. The free valence
  /// stays as it was, so hydrogen counts do not change.
  void perceivearomaticrings();
};

}  // namespace molvane
