// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace molvane {

class tnmrgraph;

/// A carbon described by counts of atom types around it, the input of the
/// learned carbon shift model. Each key occurs once per counted atom.
struct tcarbonfeatures {
  /// The carbon itself: its class (1 sp, 2 sp2, 3 sp3, 4 aromatic),
  /// hydrogens and the sign of its charge; 0 for atoms the model leaves
  /// alone (not carbon, or another class).
  std::uint32_t centre = 0;
  /// The smallest ring through the carbon, 0 for none of at most 8 atoms.
  int ring = 0;
  std::vector<std::uint32_t> keys;
};

/// The features of atom in graph: its neighbours by bond, element, class,
/// hydrogens and charge, and every pair of them; the atoms two bonds away by
/// the first bond, alone and with the neighbour between; the simple paths of
/// three and four bonds by the atoms along them; the atoms four bonds away;
/// the smallest ring through the atom.
tcarbonfeatures carbonfeatures(const tnmrgraph& graph, int atom);

}  // namespace molvane
