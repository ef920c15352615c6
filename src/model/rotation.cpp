// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rotation.h"

#include "model/fragment.h"
#include "model/vector3.h"

#include <cmath>
#include <cstddef>
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

TXYZ turnpoint(const tmatrix3& matrix, const TXYZ& centre, const TXYZ& point) {
  const double dx = point.x - centre.x;
  const double dy = point.y - centre.y;
  const double dz = point.z - centre.z;
  return {centre.x + matrix[0][0] * dx + matrix[0][1] * dy + matrix[0][2] * dz,
          centre.y + matrix[1][0] * dx + matrix[1][1] * dy + matrix[1][2] * dz,
          centre.z + matrix[2][0] * dx + matrix[2][1] * dy + matrix[2][2] * dz};
}

tmatrix3 transposed(const tmatrix3& matrix) {
  tmatrix3 result{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      result[i][j] = matrix[j][i];
    }
  }
  return result;
}

tmatrix3 product(const tmatrix3& a, const tmatrix3& b) {
  tmatrix3 result{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      for (std::size_t k = 0; k < 3; ++k) {
        result[i][j] += a[i][k] * b[k][j];
      }
    }
  }
  return result;
}

}  // namespace molvane
