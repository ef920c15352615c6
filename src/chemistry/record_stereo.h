// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

namespace molvane {

/// A stereo centre a record states without coordinates (a SMILES '@' or
/// '@@'), or one read off a drawing's wedges.
struct ttetrahedralstereo {
  /// The centre: a position in the record's atom list.
  int centre = 0;
  /// Its neighbours in the order the sense refers to; -1 stands for the
  /// centre's implicit hydrogen (or the lone pair of a three-bonded centre).
  std::array<int, 4> neighbours{-1, -1, -1, -1};
  /// Seen from neighbours[0], neighbours 1, 2 and 3 run anticlockwise
  /// (SMILES '@'); otherwise clockwise ('@@').
  bool anticlockwise = true;
};

/// The geometry of a double bond a record states without coordinates
/// (SMILES '/' and '\'), or one read off a drawing.
struct tdoublebondstereo {
  /// The double bond: a position in the record's bond list.
  int bond = 0;
  /// An atom bonded to the double bond's atom1 (not its atom2).
  int neighbour1 = 0;
  /// An atom bonded to the double bond's atom2 (not its atom1).
  int neighbour2 = 0;
  /// neighbour1 and neighbour2 lie on the same side of the bond.
  bool cis = false;
};

/// All stereo of a record that its coordinates do not carry.
struct trecordstereo {
  std::vector<ttetrahedralstereo> centres;
  std::vector<tdoublebondstereo> doublebonds;
  bool empty() const { return centres.empty() && doublebonds.empty(); }
};

}  // namespace molvane
