// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/stretch_term.h"

#include "model/vector3.h"

#include <cmath>

namespace molvane {

using detail::minus;
using detail::norm;
using detail::times;

double stretchenergy(const tstretch& term, const TXYZ& p1, const TXYZ& p2) {
  const double x = norm(minus(p2, p1)) * term.inverselength - 1.0;
  if (x < 0.0) {
    const double wall = std::exp(-wallsteepness * x) - 1.0;
    return term.depth * wall * wall;
  }
  return term.harmonic * x * x;
}

double stretchgradient(const tstretch& term, const TXYZ& p1, const TXYZ& p2,
                       std::array<TXYZ, 2>& g) {
  const TXYZ along = minus(p2, p1);
  const double r = norm(along);
  const double x = r * term.inverselength - 1.0;
  double energy = 0.0;
  double slope = 0.0;  // dE/dx
  if (x < 0.0) {
    const double rise = std::exp(-wallsteepness * x);
    const double wall = rise - 1.0;
    energy = term.depth * wall * wall;
    slope = -2.0 * wallsteepness * term.depth * wall * rise;
  } else {
    energy = term.harmonic * x * x;
    slope = 2.0 * term.harmonic * x;
  }
  const TXYZ pull =
      r > 0.0 ? times(along, slope * term.inverselength / r) : TXYZ{};
  g = {times(pull, -1.0), pull};
  return energy;
}

}  // namespace molvane
