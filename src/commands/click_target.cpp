// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/click_target.h"

#include "commands/click_anchor.h"
#include "commands/group_editor_commands.h"
#include "document/drawing.h"
#include "document/structure.h"
#include "model/bond.h"

namespace molvane {

namespace {

double squared(double dx, double dy) { return dx * dx + dy * dy; }

}  // namespace

tclicktarget pickclicktarget(const tdrawing& drawing, double x, double y) {
  tclicktarget target;
  double best = farthestclick;
  if (tatm* atom = nearestatom(drawing, x, y)) {
    const double d = squared(atom->x - x, atom->y - y);
    if (d < best) {
      best = d;
      target = {tclicktarget::tkind::atom, atom, nullptr, nullptr};
    }
  }
  if (tbond* bond = nearestbond(drawing, x, y)) {
    const double mx = (bond->atom1->x + bond->atom2->x) / 2.0;
    const double my = (bond->atom1->y + bond->atom2->y) / 2.0;
    const double d = squared(mx - x, my - y);
    if (d < best) {
      best = d;
      target = {tclicktarget::tkind::bond, nullptr, bond, nullptr};
    }
  }
  if (tStructure* structure = nearestgroup(drawing, x, y)) {
    const TXYZ centre = structure->centroid();
    const double d = squared(centre.x - x, centre.y - y);
    if (d < best) {
      best = d;
      target = {tclicktarget::tkind::structure, nullptr, nullptr, structure};
    }
  }
  return target;
}

}  // namespace molvane
