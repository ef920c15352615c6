// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom.h"
#include "model/vector3.h"

#include <array>
#include <cmath>
#include <numbers>

// Turning and placing atoms as rigid bodies, for the optimiser's moves.
namespace molvane::rigid {

inline TXYZ positionof(const tatm& atom) { return {atom.x, atom.y, atom.z}; }

inline void put(tatm& atom, const TXYZ& p) {
  atom.x = p.x;
  atom.y = p.y;
  atom.z = p.z;
}

/// Rotation by angles (degrees) about x, then y, then z.
inline std::array<double, 9> turnmatrix(const TXYZ& angles) {
  constexpr double degree = std::numbers::pi / 180.0;
  const double cx = std::cos(angles.x * degree),
               sx = std::sin(angles.x * degree);
  const double cy = std::cos(angles.y * degree),
               sy = std::sin(angles.y * degree);
  const double cz = std::cos(angles.z * degree),
               sz = std::sin(angles.z * degree);
  return {cz * cy,
          cz * sy * sx - sz * cx,
          cz * sy * cx + sz * sx,
          sz * cy,
          sz * sy * sx + cz * cx,
          sz * sy * cx - cz * sx,
          -sy,
          cy * sx,
          cy * cx};
}

inline TXYZ apply(const std::array<double, 9>& m, const TXYZ& v) {
  return {m[0] * v.x + m[1] * v.y + m[2] * v.z,
          m[3] * v.x + m[4] * v.y + m[5] * v.z,
          m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

/// v turned by angle (radians) about the unit axis u (Rodrigues).
inline TXYZ turnabout(const TXYZ& v, const TXYZ& u, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const TXYZ cross{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z,
                   u.x * v.y - u.y * v.x};
  const double along = (u.x * v.x + u.y * v.y + u.z * v.z) * (1.0 - c);
  return {v.x * c + cross.x * s + u.x * along,
          v.y * c + cross.y * s + u.y * along,
          v.z * c + cross.z * s + u.z * along};
}

}  // namespace molvane::rigid
