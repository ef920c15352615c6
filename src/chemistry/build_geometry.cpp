// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/build_geometry.h"

#include "model/bond.h"

#include <numbers>

namespace molvane {

namespace detail {

TXYZ planedirection(double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  return {std::cos(radians), std::sin(radians), 0.0};
}

TXYZ turnedinplane(const TXYZ& a, double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  return {a.x * c - a.y * s, a.x * s + a.y * c, a.z};
}

}  // namespace detail

int wholedegrees(double dx, double dy) {
  if (dx == 0.0 && dy == 0.0) {
    return 0;
  }
  const int a = roundhalfeven(std::atan2(dy, dx) * 180.0 / std::numbers::pi);
  return ((a % 360) + 360) % 360;
}

int isolatedbranchsector(int a) {
  if (a >= 30 && a < 60) {
    return 45;
  }
  if (a >= 60 && a < 121) {
    return 90;
  }
  if (a >= 121 && a < 150) {
    return 135;
  }
  if (a >= 150 && a < 211) {
    return 180;
  }
  if (a >= 211 && a < 240) {
    return 225;
  }
  if (a >= 240 && a < 301) {
    return 270;
  }
  if (a >= 301 && a < 330) {
    return 315;
  }
  return 0;
}

int thirtydegreesector(int a) {
  if (a < 15 || a >= 345) {
    return 0;
  }
  return ((a - 15) / 30 + 1) * 30;
}

TXYZ screenaxis(int a) {
  if (a >= 46 && a < 136) {
    return {0.0, 1.0, 0.0};
  }
  if (a >= 136 && a < 226) {
    return {-1.0, 0.0, 0.0};
  }
  if (a >= 226 && a < 315) {
    return {0.0, -1.0, 0.0};
  }
  return {1.0, 0.0, 0.0};
}

void turnatoms(const std::vector<tatm*>& atoms, const TXYZ& from,
               const TXYZ& to, double degrees) {
  using namespace detail;
  const TXYZ k = unit(minus(to, from));
  if (norm(k) == 0.0) {
    return;
  }
  const double radians = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  for (tatm* atom : atoms) {
    if (atom == nullptr) {
      continue;
    }
    // Rodrigues' formula about the axis through from.
    const TXYZ v = minus(pointof(*atom), from);
    const TXYZ turned = plus(plus(times(v, c), times(cross(k, v), s)),
                             times(k, dot(k, v) * (1.0 - c)));
    const TXYZ p = plus(from, turned);
    atom->setxyz(p.x, p.y, p.z);
  }
}

double ideallengthof(int element1, int element2, int kind) {
  tatm first(element1, nolabel, 0.0, 0.0);
  tatm second(element2, nolabel, 1.0, 0.0);
  const tbond probe(&first, 0, tbondstyle::normal, kind, &second);
  return probe.ideallength();
}

}  // namespace molvane
