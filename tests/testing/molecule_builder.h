// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/drawing.h"
#include "mechanics/force_field_parameters.h"

#include <cmath>
#include <memory>
#include <vector>

namespace molvane::testing {

/// A drawing built from element, x, y, z (Å) per atom and atom, atom, kind
/// per bond, with no session involved.
struct tmolecule {
  tmolecule(const std::vector<double>& atoms, const std::vector<int>& bonds) {
    for (std::size_t i = 0; i + 3 < atoms.size(); i += 4) {
      list.push_back(drawing.addatom(std::make_unique<tatm>(
          static_cast<int>(atoms[i]), 0, atoms[i + 1] * units(),
          atoms[i + 2] * units(), atoms[i + 3] * units())));
    }
    for (std::size_t i = 0; i + 2 < bonds.size(); i += 3) {
      drawing.addbond(std::make_unique<tbond>(&atom(bonds[i]), 0,
                                              tbondstyle::normal, bonds[i + 2],
                                              &atom(bonds[i + 1])));
    }
  }
  /// Drawing units per Å.
  double units() const {
    return drawing.geometry().bondlength / standardbondangstrom;
  }
  tatm& atom(int i) const { return *list[static_cast<std::size_t>(i)]; }

  tdrawing drawing;
  std::vector<tatm*> list;
};

/// Staggered ethane, C-C along x.
inline tmolecule ethane() {
  const double s = 1.03 * std::sqrt(0.75), c = 0.515;
  return tmolecule(
      {6,     -0.765, 0,      0,     6, 0.765, 0,      0,     1,  -1.165, 1.03,
       0,     1,      -1.165, -c,    s, 1,     -1.165, -c,    -s, 1,      1.165,
       -1.03, 0,      1,      1.165, c, s,     1,      1.165, c,  -s},
      {0, 1, 2, 0, 2, 2, 0, 3, 2, 0, 4, 2, 1, 5, 2, 1, 6, 2, 1, 7, 2});
}

/// Formaldehyde, flat in the xy plane.
inline tmolecule formaldehyde() {
  return tmolecule(
      {6, 0, 0, 0, 8, 1.21, 0, 0, 1, -0.55, 0.94, 0, 1, -0.55, -0.94, 0},
      {0, 1, 4, 0, 2, 2, 0, 3, 2});
}

/// A chain with a triple bond, a carbonyl, a three-membered ring, a loose
/// nitrogen, in rough 3D positions.
inline tmolecule mixedmolecule() {
  return tmolecule({6, 0,    0,   0,   6, 1.5,  0.3,  0.1,  6, 2.2, 1.6,  0,
                    6, 3.4,  1.8, 0.2, 6, 4.6,  2.0,  0.4,  8, 5.5, 3.1,  0.1,
                    6, -0.8, 1.2, 0.3, 6, -0.9, 0.1,  1.3,  7, 3.0, -2.0, 1.0,
                    1, 6.3,  2.9, 0.5, 1, -0.4, -0.9, -0.4, 8, 2.0, 2.6,  -0.8},
                   {0, 1, 2, 1, 2, 2, 2, 3, 2, 3, 4, 6,  4, 5, 2,  0, 6,
                    2, 6, 7, 2, 7, 0, 2, 5, 9, 2, 0, 10, 2, 2, 11, 4});
}

/// A straight all-trans alkane of that many carbons (at least 2) with its
/// hydrogens: 3 n + 2 atoms.
inline tmolecule alkane(int carbons) {
  std::vector<double> atoms;
  std::vector<int> bonds;
  for (int i = 0; i < carbons; ++i) {
    const double side = i % 2 == 0 ? 1.0 : -1.0;
    atoms.insert(atoms.end(), {6, 1.268 * i, 0.428 * side, 0});
    if (i > 0) {
      bonds.insert(bonds.end(), {i - 1, i, 2});
    }
  }
  auto hydrogen = [&](int carbon, double dx, double dy, double dz) {
    const auto at = static_cast<std::size_t>(4 * carbon);
    bonds.insert(bonds.end(), {carbon, static_cast<int>(atoms.size() / 4), 2});
    atoms.insert(atoms.end(), {1, atoms[at + 1] + dx, atoms[at + 2] + dy,
                               atoms[at + 3] + dz});
  };
  for (int i = 0; i < carbons; ++i) {
    const double side = i % 2 == 0 ? 1.0 : -1.0;
    hydrogen(i, 0, 0.63 * side, 0.89);
    hydrogen(i, 0, 0.63 * side, -0.89);
  }
  hydrogen(0, -1.03, -0.36, 0);
  hydrogen(carbons - 1, 1.03, carbons % 2 == 0 ? 0.36 : -0.36, 0);
  return tmolecule(atoms, bonds);
}

}  // namespace molvane::testing
