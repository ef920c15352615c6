// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom.h"
#include "model/atom_list.h"

#include <cmath>

namespace molvane::detail {

/// Small vector arithmetic on points of three reals.
inline TXYZ plus(const TXYZ& a, const TXYZ& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline TXYZ minus(const TXYZ& a, const TXYZ& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline TXYZ times(const TXYZ& a, double factor) {
  return {a.x * factor, a.y * factor, a.z * factor};
}
inline double dot(const TXYZ& a, const TXYZ& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline TXYZ cross(const TXYZ& a, const TXYZ& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double norm(const TXYZ& a) { return std::sqrt(dot(a, a)); }
/// The unit vector of a; zero when a has no length.
inline TXYZ unit(const TXYZ& a) {
  const double n = norm(a);
  return n > 0.0 ? times(a, 1.0 / n) : TXYZ{};
}
inline TXYZ pointof(const tatm& atom) { return {atom.x, atom.y, atom.z}; }

}  // namespace molvane::detail
