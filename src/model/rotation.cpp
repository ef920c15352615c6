// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rotation.h"

#include "model/fragment.h"
#include "model/vector3.h"

#include <cmath>
#include <numbers>

namespace molvane {

namespace {

constexpr tmatrix3 identity{
    {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};

double radiansof(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

tmatrix3 rotationmatrix(int axis, double degrees) {
  const double c = std::cos(radiansof(degrees));
  const double s = std::sin(radiansof(degrees));
  switch (axis) {
    case xaxis:
      return {{{1.0, 0.0, 0.0}, {0.0, c, -s}, {0.0, s, c}}};
    case yaxis:
      return {{{c, 0.0, s}, {0.0, 1.0, 0.0}, {-s, 0.0, c}}};
    case zaxis:
      return {{{c, -s, 0.0}, {s, c, 0.0}, {0.0, 0.0, 1.0}}};
    default:
      return identity;
  }
}

tmatrix3 axisrotationmatrix(const TXYZ& axis, double degrees) {
  const TXYZ u = detail::unit(axis);
  if (detail::norm(u) == 0.0) {
    return identity;
  }
  // Rodrigues: R = c I + s [u]x + (1 - c) u u^T.
  const double c = std::cos(radiansof(degrees));
  const double s = std::sin(radiansof(degrees));
  const double t = 1.0 - c;
  return {
      {{c + t * u.x * u.x, t * u.x * u.y - s * u.z, t * u.x * u.z + s * u.y},
       {t * u.y * u.x + s * u.z, c + t * u.y * u.y, t * u.y * u.z - s * u.x},
       {t * u.z * u.x - s * u.y, t * u.z * u.y + s * u.x, c + t * u.z * u.z}}};
}

tmatrix3 dragrotationmatrix(double dx, double dy, double degreesperpixel) {
  // With y down the screen and z towards the viewer, a drag to the right
  // is a turn about +y and a drag downwards one about -x; the axis of a
  // slanted drag lies across it in the screen plane.
  const double length = std::hypot(dx, dy);
  return axisrotationmatrix(TXYZ{-dy, dx, 0.0}, length * degreesperpixel);
}

void rotatestructure(TFragment& structure, int axis, double degrees) {
  const TXYZ centre = structure.atoms.centroid3();
  structure.atoms.rotate(rotationmatrix(axis, degrees), centre.x, centre.y,
                         centre.z);
}

}  // namespace molvane
