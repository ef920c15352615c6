// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/force_field_term.h"

namespace molvane {

/// Torsion a1-a2-a3-a4 about the bond a2-a3.
struct ttorque : tmeasuredcoordinate {
  double barrier = 0.0;  ///< Vt, cal/mol
  std::int32_t periodicity = 2;
  double phase = 0.0;
  /// cos and sin of periodicity × phase, so the energy needs no angle.
  double cosphase = 1.0;
  double sinphase = 0.0;
};

/// The dihedral angle p1-p2-p3-p4 in (-π, π], 0 when undefined.
double dihedralof(const TXYZ& p1, const TXYZ& p2, const TXYZ& p3,
                  const TXYZ& p4);

/// The derivatives of that dihedral angle by the four positions; zero
/// vectors where it is undefined (three of the atoms on a line).
std::array<TXYZ, 4> dihedralderivatives(const TXYZ& p1, const TXYZ& p2,
                                        const TXYZ& p3, const TXYZ& p4);

/// Energy (cal/mol) of the torsion with its atoms at p1 ... p4.
double torsionenergy(const ttorque& term, const TXYZ& p1, const TXYZ& p2,
                     const TXYZ& p3, const TXYZ& p4);
/// The same energy; g receives its gradient by the four positions
/// (cal/mol per drawing unit), zero where the dihedral is undefined.
double torsiongradient(const ttorque& term, const TXYZ& p1, const TXYZ& p2,
                       const TXYZ& p3, const TXYZ& p4, std::array<TXYZ, 4>& g);

}  // namespace molvane
