// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace molvane {

class tforcefield;
struct tstatedstereo;

/// A start built from the connectivity alone.
struct tgeometrystart {
  /// x, y, z of each atom in the order of the force field's atoms, drawing
  /// units, centred on the origin; empty when there was nothing to build.
  std::vector<double> xyz;
  /// Pairs of atoms not bonded to each other that stand closer than 0.8 of
  /// the sum of their covalent radii.
  int clashes = 0;
  /// Restraints of the stated stereo the start does not hold.
  int wrongstereo = 0;
};

/// Builds a start for the force field's atoms from its bonds, angles and
/// stereo restraints alone, whatever the atoms' coordinates: distance
/// bounds from the ideal bond lengths and angles, the range every torsion
/// allows and a floor for atoms further apart, met from random places in
/// four dimensions with the signed volumes of stated centres and the side
/// of stated double bonds held, then pressed flat into three. A start that
/// still clashes or breaks a stated configuration is built again from
/// other places a few times; the best is returned. The field must be set
/// up; stereo names its atoms (a null neighbour of a centre stands for one
/// it does not list). The same seed gives the same start.
tgeometrystart buildgeometrystart(tforcefield& field,
                                  const tstatedstereo& stereo,
                                  std::uint64_t seed);

/// The clash count of `tgeometrystart` for xyz laid out as there.
int countstartclashes(tforcefield& field, const std::vector<double>& xyz);

}  // namespace molvane
