// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/view_commands.h"

#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/rotation.h"

#include <cmath>

namespace molvane {

namespace {

constexpr double zoomstep = 1.1;

std::vector<TXYZ> coordinatesof(const tdrawing& drawing) {
  std::vector<TXYZ> points;
  points.reserve(static_cast<std::size_t>(drawing.atoms.count()));
  for (const tatm* atom : drawing.atoms) {
    points.push_back({atom->x, atom->y, atom->z});
  }
  return points;
}

/// Puts points back on the atoms, in list order, and makes them the atoms'
/// reference positions, which scaling and the group editor start from.
void placeatoms(tdrawing& drawing, const std::vector<TXYZ>& points) {
  std::size_t i = 0;
  for (tatm* atom : drawing.atoms) {
    atom->setxyzraw(points[i].x, points[i].y, points[i].z);
    atom->commit();
    ++i;
  }
}

}  // namespace

tviewdrag::tviewdrag(int x, int y)
    : drawing_(session().drawing()),
      start_(coordinatesof(*drawing_)),
      centre_(drawing_->atoms.centroid3()),
      x_(x),
      y_(y) {}

bool tviewdrag::samedrawing() const {
  return session().drawing() == drawing_ &&
         static_cast<std::size_t>(drawing_->atoms.count()) == start_.size();
}

void tviewdrag::moveto(int x, int y) {
  if (!samedrawing() || (x == x_ && y == y_)) {
    return;
  }
  drawing_->atoms.rotate(
      dragrotationmatrix(x - x_, y - y_, dragdegreesperpixel), centre_.x,
      centre_.y, centre_.z);
  x_ = x;
  y_ = y;
  turned_ = true;
}

bool tviewdrag::finish() {
  if (!turned_ || !samedrawing()) {
    return false;
  }
  turned_ = false;
  const std::vector<TXYZ> turned = coordinatesof(*drawing_);
  placeatoms(*drawing_, start_);
  session().takeundosnapshot();
  placeatoms(*drawing_, turned);
  return true;
}

void zoomdrawing(tdrawing& drawing, double factor) {
  if (!(factor > 0.0) || !std::isfinite(factor)) {
    return;
  }
  const TXYZ centre = drawing.atoms.centroid3();
  for (tatm* atom : drawing.atoms) {
    atom->setxyzraw((atom->x - centre.x) * factor + centre.x,
                    (atom->y - centre.y) * factor + centre.y,
                    (atom->z - centre.z) * factor + centre.z);
    atom->commit();
  }
}

double wheelzoomfactor(double notches) { return std::pow(zoomstep, notches); }

}  // namespace molvane
