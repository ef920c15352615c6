// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where an atom stands: its coordinates, the pixels it is drawn at, and
// distances in drawing units and in ångström.
#include "model/atom.h"
#include "model/geometry_settings.h"
#include "support/units.h"

#include <cmath>

namespace molvane {

void tatm::setxyz(double newx, double newy, double newz) {
  if (fixed != 0) {
    return;
  }
  x = newx;
  y = newy;
  z = newz;
  commit();
}

void tatm::move(double dx, double dy, double dz) {
  if (fixed != 0) {
    return;
  }
  x += dx;
  y += dy;
  z += dz;
  commit();
}

void tatm::setxyzraw(double newx, double newy, double newz) {
  x = newx;
  y = newy;
  z = newz;
}

void tatm::commit() {
  updatescreen();
  osx = sx;
  osy = sy;
  x0 = x;
  y0 = y;
  z0 = z;
}

void tatm::updatescreen() {
  sx = roundhalfeven(x);
  sy = roundhalfeven(y);
  sz = roundhalfeven(z);
}

void tatm::fromscreen() {
  osx = sx;
  osy = sy;
  x = sx;
  y = sy;
  x0 = x;
  y0 = y;
  z0 = z;
}

void tatm::scaleabout(double cx, double cy, double cz, double factor) {
  x = (x0 - cx) * factor + cx;
  y = (y0 - cy) * factor + cy;
  z = (z0 - cz) * factor + cz;
  updatescreen();
}

double tatm::distance(const tbaseatm& other) const {
  return std::sqrt(distance2(other));
}

double tatm::distance2(const tbaseatm& other) const {
  double dx = x - other.x;
  double dy = y - other.y;
  double dz = z - other.z;
  return dx * dx + dy * dy + dz * dz;
}

double tatm::distanceto(double px, double py, double pz) const {
  double dx = x - px;
  double dy = y - py;
  double dz = z - pz;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double tatm::angstromx() const {
  return angstromperbond * x * geometry().lengthscale();
}

double tatm::angstromy() const {
  return angstromperbond * y * geometry().lengthscale();
}

double tatm::angstromz() const {
  return angstromperbond * z * geometry().lengthscale();
}

double tatm::angstromdistance(const tbaseatm& other) const {
  return angstromperbond * distance(other) * geometry().lengthscale() +
         0.000001;
}

int tatm::rightpixel() const { return roundhalfeven(x) + 1; }
int tatm::leftpixel() const { return roundhalfeven(x) - 1; }
int tatm::downpixel() const { return roundhalfeven(y) + 1; }
int tatm::uppixel() const { return roundhalfeven(y) - 1; }

}  // namespace molvane
