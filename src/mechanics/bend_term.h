// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/force_field_term.h"

namespace molvane {

/// Angle bend at the centre a3 between a1 and a2.
struct tangle : tmeasuredcoordinate {
  double ideal = 0.0;  ///< θ0, radians
  double k = 50000.0;
  double ktheta = 50000.0;  ///< for the vibrational analysis
  double kmorse = 10000.0;
  std::int32_t coordination = 0;
  double angle = 0.0;  ///< radians, at the last evaluation
};

/// The angle (radians) at centre between the directions to a and b, with
/// its derivatives by the three positions when asked for. A collapsed arm
/// gives angle 0; a straight or collapsed angle has no derivatives (zero
/// vectors), since every direction away from it opens it alike.
struct tangleresult {
  double angle = 0.0;
  TXYZ da{}, db{}, dcentre{};
};
tangleresult measureangle(const TXYZ& a, const TXYZ& b, const TXYZ& centre,
                          bool derivatives);

/// Energy (cal/mol) of the bend at angle theta. Five- and six-coordinate
/// centres switch their reference angle with theta, so the energy steps
/// there; the other coordinations are smooth.
double bendenergy(const tangle& term, double theta);
/// The energy at the atoms' positions; theta receives the angle and g the
/// gradient by a1, a2 and the centre (cal/mol per drawing unit).
double bendgradient(const tangle& term, const TXYZ& p1, const TXYZ& p2,
                    const TXYZ& centre, std::array<TXYZ, 3>& g, double& theta);

}  // namespace molvane
