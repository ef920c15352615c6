// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace molvane {

class tatm;

/// Number of environment spheres: the atom itself and paths of 1 to 6 bonds.
inline constexpr int spherecount = 7;

using tspheres = std::array<float, spherecount>;

/// The numeric description of an atom's surroundings that shift databases
/// and the bond-energy table file their entries under.
struct tenvironment {
  /// Hybridisation code x 10 + hydrogens on the atom, at most 255.
  std::uint8_t peaktype = 0;
  /// Sphere 0 is the atom's own value; sphere k sums the products of the
  /// walk values along every simple path of k bonds that starts at the atom.
  tspheres spheres{};

  /// peaktype x 10 + sphere 0, the sort key of database entries.
  double key() const;
};

/// The environment of a chemical atom among the bonds of the structure or
/// drawing that holds it (an atom nobody holds has no bonds).
///
/// Terminal hydrogen atoms other than the atom itself count as hydrogens of
/// their neighbour, exactly like implicit ones, so a molecule has the same
/// codes whether or not its hydrogens are drawn. The hybridisation code is
/// taken from the atom's current bonds (as `gethybridization` computes it),
/// never from a stored value that may be stale.
tenvironment atomenvironment(const tatm& atom);

/// Element number used in the bond terms: transition metals, lanthanides
/// and the heavy elements share one value each.
int foldedelement(int element);

}  // namespace molvane
