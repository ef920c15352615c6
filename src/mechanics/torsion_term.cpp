// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/torsion_term.h"

#include "model/vector3.h"

#include <cmath>

namespace molvane {

namespace {

using detail::cross;
using detail::dot;
using detail::minus;
using detail::norm;
using detail::times;

/// cos n(φ - φ0) and sin n(φ - φ0) of a torsion at p1 ... p4, from cos φ
/// and sin φ by complex powers: the minimiser evaluates torsions more often
/// than anything but pairs, and an arc tangent and a cosine per call would
/// dominate its time.
struct tphase {
  double cosine = 1.0;
  double sine = 0.0;
};

/// The bond vectors and plane normals of a torsion at p1 ... p4.
struct tframe {
  TXYZ b1, b2, b3, n1, n2;
};

tframe frameof(const TXYZ& p1, const TXYZ& p2, const TXYZ& p3, const TXYZ& p4) {
  tframe f;
  f.b1 = minus(p2, p1);
  f.b2 = minus(p3, p2);
  f.b3 = minus(p4, p3);
  f.n1 = cross(f.b1, f.b2);
  f.n2 = cross(f.b2, f.b3);
  return f;
}

tphase phaseof(const ttorque& term, const tframe& f, double l2) {
  const double x = dot(f.n1, f.n2);
  const double y = l2 * dot(f.b1, f.n2);
  const double r = std::sqrt(x * x + y * y);
  const double c = r > 0.0 ? x / r : 1.0;  // φ = 0 where it is undefined
  const double s = r > 0.0 ? y / r : 0.0;
  double cn = 1.0;
  double sn = 0.0;
  for (int k = 0; k < term.periodicity; ++k) {
    const double next = cn * c - sn * s;
    sn = sn * c + cn * s;
    cn = next;
  }
  return {cn * term.cosphase + sn * term.sinphase,
          sn * term.cosphase - cn * term.sinphase};
}

std::array<TXYZ, 4> derivativesof(const tframe& f, double l2) {
  const double s1 = dot(f.n1, f.n1);
  const double s2 = dot(f.n2, f.n2);
  // Within about 1e-5 radians of a straight angle the derivatives grow
  // without bound while the angle itself is meaningless: take none.
  const double straight = 1e-10 * l2 * l2;
  if (!(l2 > 0.0) || !(s1 > straight * dot(f.b1, f.b1)) ||
      !(s2 > straight * dot(f.b3, f.b3))) {
    return {};
  }
  const TXYZ d1 = times(f.n1, -l2 / s1);
  const TXYZ d4 = times(f.n2, l2 / s2);
  const double f1 = dot(f.b1, f.b2) / (l2 * l2);
  const double f3 = dot(f.b3, f.b2) / (l2 * l2);
  // The middle atoms follow from the angle not changing when the whole
  // torsion is moved or turned.
  const TXYZ d2 = minus(times(d4, f3), times(d1, 1.0 + f1));
  const TXYZ d3 = minus(times(d1, f1), times(d4, 1.0 + f3));
  return {d1, d2, d3, d4};
}

}  // namespace

double dihedralof(const TXYZ& p1, const TXYZ& p2, const TXYZ& p3,
                  const TXYZ& p4) {
  const tframe f = frameof(p1, p2, p3, p4);
  return std::atan2(norm(f.b2) * dot(f.b1, f.n2), dot(f.n1, f.n2));
}

std::array<TXYZ, 4> dihedralderivatives(const TXYZ& p1, const TXYZ& p2,
                                        const TXYZ& p3, const TXYZ& p4) {
  const tframe f = frameof(p1, p2, p3, p4);
  return derivativesof(f, norm(f.b2));
}

double torsionenergy(const ttorque& term, const TXYZ& p1, const TXYZ& p2,
                     const TXYZ& p3, const TXYZ& p4) {
  const tframe f = frameof(p1, p2, p3, p4);
  return term.barrier * (1.0 - phaseof(term, f, norm(f.b2)).cosine);
}

double torsiongradient(const ttorque& term, const TXYZ& p1, const TXYZ& p2,
                       const TXYZ& p3, const TXYZ& p4, std::array<TXYZ, 4>& g) {
  // The energy and the derivatives share one frame and one bond length.
  const tframe f = frameof(p1, p2, p3, p4);
  const double l2 = norm(f.b2);
  const tphase phase = phaseof(term, f, l2);
  const double slope = term.barrier * term.periodicity * phase.sine;
  g = derivativesof(f, l2);
  for (TXYZ& v : g) {
    v = times(v, slope);
  }
  return term.barrier * (1.0 - phase.cosine);
}

}  // namespace molvane
