// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/force_field_term.h"

namespace molvane {

class tbond;

/// Bond stretch: a1 the atom of lower element number.
struct tstretch : tmeasuredcoordinate {
  tbond* bond = nullptr;
  double inverselength = 1.0;  ///< 1 / r0, r0 in drawing units
  double depth = 0.0;          ///< D
  double tenfold = 0.0;        ///< 10 D
  double harmonic = 0.0;       ///< constant of the stretched side, 5 D
};

/// Steepness of the compressed-bond and four-coordinate bend walls (√5).
inline constexpr double wallsteepness = 2.2360679775;

/// Energy (cal/mol) of the stretch with its atoms at p1 and p2 (drawing
/// units): an exponential wall when compressed, harmonic when stretched.
double stretchenergy(const tstretch& term, const TXYZ& p1, const TXYZ& p2);
/// The same energy; g receives its gradient by p1 and p2 (cal/mol per
/// drawing unit), zero when the atoms coincide.
double stretchgradient(const tstretch& term, const TXYZ& p1, const TXYZ& p2,
                       std::array<TXYZ, 2>& g);

}  // namespace molvane
