// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/view_commands.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/rotation.h"
#include "model/vector3.h"
#include "render/paint_drawing.h"
#include "render/view_turn.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace molvane {

namespace {

/// Share of the distance to the nearest other object that a shown offset
/// may keep, so that the object stays the nearest one to the click.
constexpr double offsetshare = 0.45;

/// An object a click can choose: its own place and where it is shown.
struct tclickable {
  TXYZ own;
  TXYZ shown;
};

/// Atoms first, then chemical bonds by their midpoints, as the commands
/// look for them. Only chemical atoms turn; labels and symbols stay flat.
std::vector<tclickable> clickables(const tdrawing& drawing,
                                   const tmatrix3& turn, const TXYZ& centre) {
  std::vector<tclickable> objects;
  for (const tatm* atom : drawing.atoms) {
    const TXYZ own = detail::pointof(*atom);
    objects.push_back(
        {own, atom->ischemical() ? turnpoint(turn, centre, own) : own});
  }
  for (const tbond* bond : drawing.bonds) {
    if (bond->chemical == 0 || bond->atom1 == nullptr ||
        bond->atom2 == nullptr) {
      continue;
    }
    const TXYZ own = detail::times(detail::plus(detail::pointof(*bond->atom1),
                                                detail::pointof(*bond->atom2)),
                                   0.5);
    objects.push_back({own, turnpoint(turn, centre, own)});
  }
  return objects;
}

}  // namespace

tviewpoint clickpoint(const tdrawing& drawing, const tviewtransform& view,
                      tviewpoint screen) {
  const tviewpoint shown = view.todrawing(screen);
  if (!view.turned() || !isdrawmode3d(drawing.drawmode)) {
    return shown;
  }
  const TXYZ centre = turncentre(drawing);
  const std::vector<tclickable> objects =
      clickables(drawing, view.turn(), centre);
  const tclickable* nearest = nullptr;
  double best = std::numeric_limits<double>::infinity();
  for (const tclickable& object : objects) {
    const double distance =
        std::hypot(object.shown.x - shown.x, object.shown.y - shown.y);
    if (distance < best) {
      best = distance;
      nearest = &object;
    }
  }
  const double reach = std::max<double>(drawing.bondlength, 1.0);
  if (nearest == nullptr || best > reach) {
    const TXYZ own = turnpoint(transposed(view.turn()), centre,
                               {shown.x, shown.y, centre.z});
    return {own.x, own.y};
  }
  double room = std::numeric_limits<double>::infinity();
  for (const tclickable& object : objects) {
    if (&object != nearest) {
      room = std::min(room, std::hypot(object.own.x - nearest->own.x,
                                       object.own.y - nearest->own.y));
    }
  }
  double dx = shown.x - nearest->shown.x;
  double dy = shown.y - nearest->shown.y;
  const double limit = offsetshare * room;
  if (best > limit) {
    dx *= limit / best;
    dy *= limit / best;
  }
  return {nearest->own.x + dx, nearest->own.y + dy};
}

}  // namespace molvane
