// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/force_field_term.h"

namespace molvane {

/// Planarity of the trigonal centre a4 with neighbours a1, a2, a3.
struct tstrain : tmeasuredcoordinate {
  /// The bends a1-c-a2, a1-c-a3, a2-c-a3 in the bend list.
  std::array<std::int32_t, 3> bends{-1, -1, -1};
  double vibrationconstant = 4000.0;
  double kp = 20000.0;
};

/// Energy (cal/mol) from the three angles at the centre (radians): zero
/// when they add up to a full turn, as in a flat centre.
double planarityenergy(const tstrain& term,
                       const std::array<double, 3>& angles);
/// The energy with the neighbours at p1, p2, p3 and the centre at centre;
/// g receives its gradient by those four positions (cal/mol per drawing
/// unit).
double planaritygradient(const tstrain& term, const TXYZ& p1, const TXYZ& p2,
                         const TXYZ& p3, const TXYZ& centre,
                         std::array<TXYZ, 4>& g);

}  // namespace molvane
