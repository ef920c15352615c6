// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/branch_position.h"

#include "chemistry/build_geometry.h"
#include "model/atom.h"
#include "model/geometry_settings.h"
#include "model/vector3.h"

#include <cmath>
#include <numbers>

namespace molvane {

namespace {

using detail::cross;
using detail::dot;
using detail::minus;
using detail::norm;
using detail::plus;
using detail::pointof;
using detail::times;
using detail::unit;

constexpr int mostneighbours = 16;
/// Keeps the plane of the bond and the click defined when the click lies
/// on the bond's line.
constexpr double clicknudge = 1e-6;
/// Below this distance a click gives no direction.
constexpr double twoneighbourdeadzone = 0.001;
constexpr double crowdeddeadzone = 0.01;
/// Below this length the two bonds of a centre cancel (they are collinear).
constexpr double collinearlimit = 0.001;
/// Volume spanned by the three unit bond vectors above which the centre
/// counts as pyramidal. Scale-free, unlike a test on the raw bond vectors.
constexpr double coplanarlimit = 0.0001;

TXYZ along(const TXYZ& origin, double degrees, double length) {
  return plus(origin, times(detail::planedirection(degrees), length));
}

/// A lone atom: the click direction snapped to the square grid.
TXYZ lonebranch(const tatm& anchor, const TXYZ& towards) {
  return along(pointof(anchor),
               isolatedbranchsector(wholedegrees(towards.x, towards.y)),
               anchor.geometry().bondlength);
}

std::optional<TXYZ> onebranch(tatm& anchor, const TXYZ& towards) {
  const TXYZ origin = pointof(anchor);
  const tatm* other = anchor.neighbour(0);
  const TXYZ back = minus(origin, pointof(*other));
  const double length = norm(back);
  if (length <= 0.0) {
    // Two atoms on one spot give no bond direction to work from.
    return lonebranch(anchor, towards);
  }
  const int hybridization = anchor.gethybridization();
  if (hybridization == 5 || hybridization == 6) {
    return std::nullopt;
  }
  if (hybridization == 0 || hybridization == 1) {
    return plus(origin, times(back, anchor.geometry().bondlength / length));
  }
  // 120 degrees from the bond, in the plane of the bond and the click.
  const TXYZ u = times(back, -1.0 / length);
  const TXYZ w = plus(towards, TXYZ{clicknudge, clicknudge, 0.0});
  TXYZ v = minus(w, times(u, dot(w, u)));
  if (norm(v) < 1e-12) {
    v = TXYZ{-u.y, u.x, 0.0};
    if (norm(v) < 1e-12) {
      v = TXYZ{0.0, 1.0, 0.0};
    }
  }
  v = unit(v);
  // cos 120 and sin 120.
  const double c = -0.5;
  const double s = std::numbers::sqrt3 / 2.0;
  return plus(origin, times(plus(times(u, c), times(v, s)),
                            anchor.geometry().bondlength));
}

std::optional<TXYZ> twobranch(tatm& anchor, const TXYZ& towards) {
  const TXYZ origin = pointof(anchor);
  const double clickdistance = std::hypot(towards.x, towards.y);
  if (clickdistance < twoneighbourdeadzone) {
    return std::nullopt;
  }
  const TXYZ s = openbisector(anchor);
  const double length = norm(s);
  if (length <= collinearlimit) {
    return plus(origin,
                times(towards, anchor.geometry().bondlength / clickdistance));
  }
  // The open bisector when the click lies on its side, otherwise the
  // bisector between the two bonds.
  const double sense = dot(s, towards) >= 0.0 ? 1.0 : -1.0;
  return plus(origin, times(s, sense * anchor.geometry().bondlength / length));
}

std::optional<TXYZ> threebranch(tatm& anchor, const TXYZ& towards) {
  const TXYZ origin = pointof(anchor);
  const TXYZ u1 = unit(minus(pointof(*anchor.neighbour(0)), origin));
  const TXYZ u2 = unit(minus(pointof(*anchor.neighbour(1)), origin));
  const TXYZ u3 = unit(minus(pointof(*anchor.neighbour(2)), origin));
  const double volume = std::abs(dot(u1, cross(u2, u3)));
  const TXYZ sum = plus(plus(u1, u2), u3);
  if (volume > coplanarlimit && norm(sum) > 0.0) {
    return plus(origin, times(sum, -anchor.geometry().bondlength / norm(sum)));
  }
  // A flat centre: the fourth bond follows the click on a 30 degree grid,
  // the directions a drawing of 120 degree bond angles already uses, so the
  // new bond lines up with the rest of the picture.
  return along(origin, thirtydegreesector(wholedegrees(towards.x, towards.y)),
               anchor.geometry().bondlength);
}

std::optional<TXYZ> crowdedbranch(const tatm& anchor, const TXYZ& towards) {
  const double clickdistance = std::hypot(towards.x, towards.y);
  if (clickdistance <= crowdeddeadzone) {
    return std::nullopt;
  }
  return plus(pointof(anchor),
              times(towards, anchor.geometry().bondlength / clickdistance));
}

}  // namespace

TXYZ openbisector(const tatm& anchor) {
  const TXYZ origin = pointof(anchor);
  return times(plus(unit(minus(pointof(*anchor.neighbour(0)), origin)),
                    unit(minus(pointof(*anchor.neighbour(1)), origin))),
               -1.0);
}

std::optional<TXYZ> branchposition(tatm& anchor, double x, double y) {
  if (!anchor.ischemical()) {
    return std::nullopt;
  }
  const int neighbours = anchor.findneighbours();
  // The click lies in the anchor's drawing plane.
  const TXYZ towards{x - anchor.x, y - anchor.y, 0.0};
  switch (neighbours) {
    case 0:
      return lonebranch(anchor, towards);
    case 1:
      return onebranch(anchor, towards);
    case 2:
      return twobranch(anchor, towards);
    case 3:
      return threebranch(anchor, towards);
    default:
      if (neighbours > mostneighbours) {
        return std::nullopt;
      }
      return crowdedbranch(anchor, towards);
  }
}

}  // namespace molvane
