// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/nonbonded_term.h"

#include "model/vector3.h"

#include <cmath>

namespace molvane {

namespace {

using detail::dot;
using detail::minus;
using detail::norm;
using detail::plus;
using detail::times;
using detail::unit;

/// Added to non-bonded distances (Å) so atoms on top of each other stay
/// finite.
constexpr double contactoffset = 1e-6;
/// A charged pair closer than this (Å) uses the reciprocal distance below.
constexpr double closestcharges = 0.0001;
constexpr double largestreciprocal = 10000.0;

double sixth(double ratio) {
  const double square = ratio * ratio;
  return square * square * square;
}

/// The fade factor at distance d (Å) and its slope by d.
struct tfade {
  double factor = 1.0;
  double slope = 0.0;
};

tfade fadeat(const tpairswitch& fade, double d) {
  if (!fade.active() || d <= fade.on) {
    return {};
  }
  if (d >= fade.off) {
    return {0.0, 0.0};
  }
  const double off2 = fade.off * fade.off;
  const double on2 = fade.on * fade.on;
  const double d2 = d * d;
  const double width = off2 - on2;
  const double cube = width * width * width;
  return {(off2 - d2) * (off2 - d2) * (off2 + 2.0 * d2 - 3.0 * on2) / cube,
          12.0 * d * (off2 - d2) * (on2 - d2) / cube};
}

/// Energy and slope by d of a hydrogen bond's distance part (without the
/// angle factor and ε).
struct tvalue {
  double energy = 0.0;
  double slope = 0.0;
};

tvalue hydrogenbonddistance(double radius, double d) {
  const double t2 = (radius / d) * (radius / d);
  const double t10 = t2 * t2 * t2 * t2 * t2;
  return {5.0 * t10 * t2 - 6.0 * t10, (60.0 * t10 - 60.0 * t10 * t2) / d};
}

tvalue plainpair(const tnbpair& term, double d) {
  const double s = sixth(term.radius / d);
  tvalue value{term.epsilon * s * (s - 2.0),
               -12.0 * term.epsilon * s * (s - 1.0) / d};
  if (term.type == tpairtype::charged) {
    // Ions keep their van der Waals wall; the covalent radii alone would
    // let opposite charges collapse to bonding distance.
    if (d <= closestcharges) {
      value.energy += term.coulomb * largestreciprocal;
    } else {
      value.energy += term.coulomb * (1.0 / d);
      value.slope -= term.coulomb / (d * d);
    }
  }
  return value;
}

/// The sum of compactpairsum, made for each case so that the loop over
/// many pairs carries no tests it does not need.
template <bool withgradient, bool fading>
double compactsum(std::span<const tcompactpair> pairs,
                  std::span<const double> xyz, double angstromperunit,
                  const tpairswitch& fade, std::span<double> grad) {
  double total = 0.0;
  for (auto p = pairs.rbegin(); p != pairs.rend(); ++p) {
    const auto a = static_cast<std::size_t>(p->a) * 3;
    const auto b = static_cast<std::size_t>(p->b) * 3;
    const double dx = xyz[b] - xyz[a];
    const double dy = xyz[b + 1] - xyz[a + 1];
    const double dz = xyz[b + 2] - xyz[a + 2];
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double d = length * angstromperunit + contactoffset;
    // One division per pair: the latency of dividing is what limits it.
    const double inverse = 1.0 / d;
    const double s = sixth(p->radius * inverse);
    double energy = p->epsilon * s * (s - 2.0);
    double slope = -12.0 * p->epsilon * s * (s - 1.0) * inverse;
    if (p->coulomb != 0.0) {
      if (d <= closestcharges) {
        energy += p->coulomb * largestreciprocal;
      } else {
        energy += p->coulomb * inverse;
        slope -= p->coulomb * inverse * inverse;
      }
    }
    if constexpr (fading) {
      const tfade faded = fadeat(fade, d);
      slope = slope * faded.factor + energy * faded.slope;
      energy *= faded.factor;
    }
    total += energy;
    if constexpr (withgradient) {
      if (length > 0.0) {
        const double f = slope * angstromperunit / length;
        grad[b] += dx * f;
        grad[b + 1] += dy * f;
        grad[b + 2] += dz * f;
        grad[a] -= dx * f;
        grad[a + 1] -= dy * f;
        grad[a + 2] -= dz * f;
      }
    }
  }
  return total;
}

}  // namespace

double compactpairsum(std::span<const tcompactpair> pairs,
                      std::span<const double> xyz, double angstromperunit,
                      const tpairswitch& fade, std::span<double> grad) {
  if (grad.empty()) {
    return fade.active() ? compactsum<false, true>(pairs, xyz, angstromperunit,
                                                   fade, grad)
                         : compactsum<false, false>(pairs, xyz, angstromperunit,
                                                    fade, grad);
  }
  return fade.active()
             ? compactsum<true, true>(pairs, xyz, angstromperunit, fade, grad)
             : compactsum<true, false>(pairs, xyz, angstromperunit, fade, grad);
}

double pairenergy(const tnbpair& term, const tpairplaces& at,
                  double angstromperunit, const tpairswitch& fade) {
  if (term.type == tpairtype::hydrogenbond) {
    const double cosine =
        dot(unit(minus(at.p2, at.p1)), unit(minus(at.x, at.p1)));
    // Only a hydrogen between its neighbour and the acceptor bonds; one
    // pointing away would otherwise count the same bond twice.
    if (!(cosine < 0.0)) {
      return 0.0;
    }
    const double d = norm(minus(at.p2, at.x)) * angstromperunit + contactoffset;
    const double t2 = (term.radius / d) * (term.radius / d);
    const double t10 = t2 * t2 * t2 * t2 * t2;
    const double c2 = cosine * cosine;
    const double energy = c2 * c2 * (5.0 * t10 * t2 - 6.0 * t10) * term.epsilon;
    return fade.active() ? energy * fadeat(fade, d).factor : energy;
  }
  const double d = norm(minus(at.p2, at.p1)) * angstromperunit + contactoffset;
  const double s = sixth(term.radius / d);
  double energy = term.epsilon * s * (s - 2.0);
  if (term.type == tpairtype::charged) {
    const double reciprocal = d <= closestcharges ? largestreciprocal : 1.0 / d;
    energy += term.coulomb * reciprocal;
  }
  return fade.active() ? energy * fadeat(fade, d).factor : energy;
}

double pairgradient(const tnbpair& term, const tpairplaces& at,
                    double angstromperunit, const tpairswitch& fade,
                    std::array<TXYZ, 3>& g) {
  g = {};
  if (term.type == tpairtype::hydrogenbond) {
    const TXYZ u = minus(at.p2, at.p1);
    const TXYZ v = minus(at.x, at.p1);
    const double lu = norm(u);
    const double lv = norm(v);
    if (!(lu > 0.0) || !(lv > 0.0)) {
      return 0.0;
    }
    const TXYZ uu = times(u, 1.0 / lu);
    const TXYZ vu = times(v, 1.0 / lv);
    const double cosine = dot(uu, vu);
    if (!(cosine < 0.0)) {
      return 0.0;
    }
    const TXYZ across = minus(at.p2, at.x);
    const double length = norm(across);
    const double d = length * angstromperunit + contactoffset;
    const tvalue distance = hydrogenbonddistance(term.radius, d);
    const tfade faded = fadeat(fade, d);
    const double c2 = cosine * cosine;
    const double energy = c2 * c2 * distance.energy * term.epsilon;
    // By the cosine, then by the acceptor-neighbour distance.
    const double bycosine =
        4.0 * c2 * cosine * distance.energy * term.epsilon * faded.factor;
    const TXYZ dca = times(minus(vu, times(uu, cosine)), 1.0 / lu);
    const TXYZ dcx = times(minus(uu, times(vu, cosine)), 1.0 / lv);
    const double bydistance =
        c2 * c2 * term.epsilon *
        (distance.slope * faded.factor + distance.energy * faded.slope);
    const TXYZ dda =
        length > 0.0 ? times(across, angstromperunit / length) : TXYZ{};
    g[0] = times(plus(dca, dcx), -bycosine);
    g[1] = plus(times(dca, bycosine), times(dda, bydistance));
    g[2] = minus(times(dcx, bycosine), times(dda, bydistance));
    return energy * faded.factor;
  }
  const TXYZ along = minus(at.p2, at.p1);
  const double length = norm(along);
  const double d = length * angstromperunit + contactoffset;
  const tvalue value = plainpair(term, d);
  const tfade faded = fadeat(fade, d);
  const double slope = value.slope * faded.factor + value.energy * faded.slope;
  if (length > 0.0) {
    g[1] = times(along, slope * angstromperunit / length);
    g[0] = times(g[1], -1.0);
  }
  return value.energy * faded.factor;
}

}  // namespace molvane
