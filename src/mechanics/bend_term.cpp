// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/bend_term.h"

#include "mechanics/stretch_term.h"
#include "model/vector3.h"

#include <cmath>
#include <numbers>

namespace molvane {

namespace {

using detail::dot;
using detail::minus;
using detail::norm;
using detail::plus;
using detail::times;

constexpr double pi = std::numbers::pi;
constexpr double degree = pi / 180.0;

/// The reference angle of a five- or six-coordinate centre at theta.
double crowdedreference(int coordination, double theta) {
  const double absolute = std::abs(theta);
  if (coordination == 5) {
    return absolute <= 94.0 * degree   ? 90.0 * degree
           : absolute < 150.0 * degree ? 120.0 * degree
                                       : pi;
  }
  return absolute >= 135.0 * degree ? pi : 90.0 * degree;
}

/// dE/dθ at theta.
double bendslope(const tangle& term, double theta) {
  switch (term.coordination) {
    case 1:
    case 2:
    case 3:
      return 2.0 * term.k * (theta - term.ideal);
    case 4: {
      if (!(term.ideal > 0.0)) {
        return 0.0;
      }
      const double rise = std::exp(-wallsteepness * (theta / term.ideal - 1.0));
      return -2.0 * term.kmorse * (rise - 1.0) * rise * wallsteepness /
             term.ideal;
    }
    case 5:
    case 6:
      return 2.0 * term.k *
             (theta - crowdedreference(term.coordination, theta));
    case 7:
    case 8:
    case 9:
      return theta < term.ideal ? 2.0 * term.k * (theta - term.ideal) : 0.0;
    default:
      return 0.0;
  }
}

}  // namespace

tangleresult measureangle(const TXYZ& a, const TXYZ& b, const TXYZ& centre,
                          bool derivatives) {
  tangleresult result;
  const TXYZ u = minus(a, centre);
  const TXYZ v = minus(b, centre);
  const double lu = norm(u);
  const double lv = norm(v);
  if (!(lu > 0.0) || !(lv > 0.0)) {
    return result;
  }
  const TXYZ uu = times(u, 1.0 / lu);
  const TXYZ vu = times(v, 1.0 / lv);
  const double cosine = dot(uu, vu);
  if (cosine >= 1.0) {
    result.angle = 0.0;
  } else if (cosine < -1.0) {
    result.angle = pi;
  } else {
    result.angle = std::acos(cosine);
  }
  if (!derivatives) {
    return result;
  }
  // θ lies in [0, π], so its sine is never negative: taken from the cosine
  // it costs no second transcendental call.
  const double sine = cosine >= 1.0 || cosine < -1.0
                          ? 0.0
                          : std::sqrt((1.0 - cosine) * (1.0 + cosine));
  if (sine > 1e-12) {
    result.da = times(minus(times(uu, cosine), vu), 1.0 / (lu * sine));
    result.db = times(minus(times(vu, cosine), uu), 1.0 / (lv * sine));
    result.dcentre = times(plus(result.da, result.db), -1.0);
  }
  return result;
}

double bendenergy(const tangle& term, double theta) {
  auto harmonic = [&term, theta](double reference) {
    return term.k * (theta - reference) * (theta - reference);
  };
  switch (term.coordination) {
    case 1:
    case 2:
    case 3:
      return harmonic(term.ideal);
    case 4:
      if (term.ideal > 0.0) {
        const double wall =
            std::exp(-wallsteepness * (theta / term.ideal - 1.0)) - 1.0;
        return term.kmorse * wall * wall;
      }
      return 0.0;
    case 5:
    case 6:
      return harmonic(crowdedreference(term.coordination, theta));
    case 7:
    case 8:
    case 9:
      return theta < term.ideal ? harmonic(term.ideal) : 0.0;
    default:
      return 0.0;
  }
}

double bendgradient(const tangle& term, const TXYZ& p1, const TXYZ& p2,
                    const TXYZ& centre, std::array<TXYZ, 3>& g, double& theta) {
  const tangleresult angle = measureangle(p1, p2, centre, true);
  theta = angle.angle;
  const double slope = bendslope(term, theta);
  g = {times(angle.da, slope), times(angle.db, slope),
       times(angle.dcentre, slope)};
  return bendenergy(term, theta);
}

}  // namespace molvane
