// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/chirality_term.h"

#include "mechanics/torsion_term.h"
#include "model/vector3.h"

#include <cmath>

namespace molvane {

namespace {

using detail::cross;
using detail::dot;
using detail::minus;
using detail::norm;
using detail::plus;
using detail::times;

/// The unsigned value and its derivatives by the four positions.
struct tvalue {
  double value = 0.0;
  std::array<TXYZ, 4> d{};
};

tvalue volumeof(const TXYZ& p1, const TXYZ& p2, const TXYZ& p3,
                const TXYZ& centre) {
  const TXYZ a = minus(p1, centre);
  const TXYZ b = minus(p2, centre);
  const TXYZ c = minus(p3, centre);
  const double la = norm(a);
  const double lb = norm(b);
  const double lc = norm(c);
  const double product = la * lb * lc;
  if (!(product > 0.0)) {
    return {};
  }
  const TXYZ bc = cross(b, c);
  const double v = dot(a, bc) / product;
  // v = a·(b×c) / (|a||b||c|): each bond's derivative is the cross product
  // of the other two over the lengths, less v times the bond over its
  // squared length.
  const TXYZ da = minus(times(bc, 1.0 / product), times(a, v / (la * la)));
  const TXYZ db =
      minus(times(cross(c, a), 1.0 / product), times(b, v / (lb * lb)));
  const TXYZ dc =
      minus(times(cross(a, b), 1.0 / product), times(c, v / (lc * lc)));
  return {v, {da, db, dc, times(plus(plus(da, db), dc), -1.0)}};
}

tvalue cosineof(const TXYZ& p1, const TXYZ& p2, const TXYZ& p3,
                const TXYZ& p4) {
  const double phi = dihedralof(p1, p2, p3, p4);
  tvalue result{std::cos(phi), dihedralderivatives(p1, p2, p3, p4)};
  const double slope = -std::sin(phi);
  for (TXYZ& v : result.d) {
    v = times(v, slope);
  }
  return result;
}

tvalue valueof(const tchirality& term, const TXYZ& p1, const TXYZ& p2,
               const TXYZ& p3, const TXYZ& p4) {
  return term.doublebond ? cosineof(p1, p2, p3, p4) : volumeof(p1, p2, p3, p4);
}

}  // namespace

double chiralityvalue(const tchirality& term, const TXYZ& p1, const TXYZ& p2,
                      const TXYZ& p3, const TXYZ& p4) {
  return term.sense * valueof(term, p1, p2, p3, p4).value;
}

double chiralityenergy(const tchirality& term, const TXYZ& p1, const TXYZ& p2,
                       const TXYZ& p3, const TXYZ& p4) {
  const double missing = term.threshold - chiralityvalue(term, p1, p2, p3, p4);
  return missing > 0.0 ? term.kc * missing * missing : 0.0;
}

double chiralitygradient(const tchirality& term, const TXYZ& p1, const TXYZ& p2,
                         const TXYZ& p3, const TXYZ& p4,
                         std::array<TXYZ, 4>& g) {
  const tvalue value = valueof(term, p1, p2, p3, p4);
  const double missing = term.threshold - term.sense * value.value;
  if (!(missing > 0.0)) {
    g = {};
    return 0.0;
  }
  const double slope = -2.0 * term.kc * missing * term.sense;
  for (std::size_t k = 0; k < 4; ++k) {
    g[k] = times(value.d[k], slope);
  }
  return term.kc * missing * missing;
}

}  // namespace molvane
