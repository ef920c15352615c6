// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/planarity_term.h"

#include "mechanics/bend_term.h"
#include "model/vector3.h"

#include <cmath>
#include <numbers>

namespace molvane {

using detail::plus;
using detail::times;

double planarityenergy(const tstrain& term,
                       const std::array<double, 3>& angles) {
  double sum = -2.0 * std::numbers::pi;
  for (double angle : angles) {
    sum += std::abs(angle);
  }
  return term.kp * sum * sum;
}

double planaritygradient(const tstrain& term, const TXYZ& p1, const TXYZ& p2,
                         const TXYZ& p3, const TXYZ& centre,
                         std::array<TXYZ, 4>& g) {
  const tangleresult a12 = measureangle(p1, p2, centre, true);
  const tangleresult a13 = measureangle(p1, p3, centre, true);
  const tangleresult a23 = measureangle(p2, p3, centre, true);
  const double energy =
      planarityenergy(term, {a12.angle, a13.angle, a23.angle});
  const double slope =
      2.0 * term.kp *
      (a12.angle + a13.angle + a23.angle - 2.0 * std::numbers::pi);
  g = {times(plus(a12.da, a13.da), slope), times(plus(a12.db, a23.da), slope),
       times(plus(a13.db, a23.db), slope),
       times(plus(plus(a12.dcentre, a13.dcentre), a23.dcentre), slope)};
  return energy;
}

}  // namespace molvane
