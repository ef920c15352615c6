// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace molvane {

/// An atom placed in space, in ångström.
struct tplacedatom {
  int element = 0;
  double x = 0.0, y = 0.0, z = 0.0;
};

/// Atoms further apart than the sum of their covalent radii plus this are
/// not bonded (Å).
inline constexpr double bondtolerance = 0.4;
/// Atoms closer than this are taken as lying on top of each other, not as
/// bonded (Å).
inline constexpr double shortestbond = 0.4;

struct tperceivedbonds {
  /// Pairs of positions (first < second), in order of the first atom.
  std::vector<std::pair<int, int>> pairs;
  /// False when the atoms were so crowded that the search gave up; the
  /// pairs found until then are kept.
  bool complete = true;
};

/// The bonds a set of atoms implies by their distances: a pair is bonded
/// when its distance lies between shortestbond and the sum of the covalent
/// radii (`radiusof`) plus bondtolerance. Atoms without a radius (pseudo
/// atoms) bond to nothing. The search sorts the atoms into cells, so
/// ordinary molecules take time in proportion to their size; at most
/// maxpairs distances are looked at.
tperceivedbonds perceivebonds(std::span<const tplacedatom> atoms,
                              std::size_t maxpairs = 20'000'000);

}  // namespace molvane
