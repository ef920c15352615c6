// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/branch_commands.h"

#include "commands/build_geometry.h"
#include "commands/build_messages.h"
#include "commands/click_anchor.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/bond.h"

#include <cmath>
#include <memory>
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

double bondlength() { return session().settings.bondlength; }

TXYZ along(const TXYZ& origin, double degrees) {
  return plus(origin, times(detail::planedirection(degrees), bondlength()));
}

/// A lone atom: the click direction snapped to the square grid.
TXYZ lonebranch(const tatm& anchor, const TXYZ& towards) {
  return along(pointof(anchor),
               isolatedbranchsector(wholedegrees(towards.x, towards.y)));
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
    return plus(origin, times(back, bondlength() / length));
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
  return plus(origin, times(plus(times(u, c), times(v, s)), bondlength()));
}

/// The direction opposite the sum of the unit vectors from anchor to its
/// first two neighbours (not normalised): the open side of their angle.
TXYZ openbisector(const tatm& anchor) {
  const TXYZ origin = pointof(anchor);
  return times(plus(unit(minus(pointof(*anchor.neighbour(0)), origin)),
                    unit(minus(pointof(*anchor.neighbour(1)), origin))),
               -1.0);
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
    return plus(origin, times(towards, bondlength() / clickdistance));
  }
  // The open bisector when the click lies on its side, otherwise the
  // bisector between the two bonds.
  const double sense = dot(s, towards) >= 0.0 ? 1.0 : -1.0;
  return plus(origin, times(s, sense * bondlength() / length));
}

std::optional<TXYZ> threebranch(tatm& anchor, const TXYZ& towards) {
  const TXYZ origin = pointof(anchor);
  const TXYZ u1 = unit(minus(pointof(*anchor.neighbour(0)), origin));
  const TXYZ u2 = unit(minus(pointof(*anchor.neighbour(1)), origin));
  const TXYZ u3 = unit(minus(pointof(*anchor.neighbour(2)), origin));
  const double volume = std::abs(dot(u1, cross(u2, u3)));
  const TXYZ sum = plus(plus(u1, u2), u3);
  if (volume > coplanarlimit && norm(sum) > 0.0) {
    return plus(origin, times(sum, -bondlength() / norm(sum)));
  }
  // A flat centre: the fourth bond follows the click on a 30 degree grid,
  // the directions a drawing of 120 degree bond angles already uses, so the
  // new bond lines up with the rest of the picture.
  return along(origin, thirtydegreesector(wholedegrees(towards.x, towards.y)));
}

std::optional<TXYZ> crowdedbranch(const tatm& anchor, const TXYZ& towards) {
  const double clickdistance = std::hypot(towards.x, towards.y);
  if (clickdistance <= crowdeddeadzone) {
    return std::nullopt;
  }
  return plus(pointof(anchor), times(towards, bondlength() / clickdistance));
}

tStructure* firststructureof(const tdrawing& drawing, const tatm* atom) {
  for (tStructure* structure : drawing.structures) {
    if (structure->hasatom(atom)) {
      return structure;
    }
  }
  return nullptr;
}

}  // namespace

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

tbranch attachcarbon(tatm& anchor, const TXYZ& position) {
  tdrawing& drawing = *session().drawing();
  tStructure* home = firststructureof(drawing, &anchor);
  tatm* atom = drawing.addatom(
      std::make_unique<tatm>(6, nolabel, position.x, position.y, position.z));
  tbond* bond = drawing.addbond(
      std::make_unique<tbond>(&anchor, 0, normalstyle, 2, atom));
  if (home != nullptr) {
    home->atoms.add(atom);
    home->bonds.add(bond);
  }
  return {atom, bond};
}

tbranch branchfrom(tatm& anchor, double x, double y) {
  std::optional<TXYZ> position = branchposition(anchor, x, y);
  if (!position) {
    return {};
  }
  return attachcarbon(anchor, *position);
}

void orientlabel(tatm& atom, const tatm& neighbour) {
  if (atom.element == 8 || atom.element == 16) {
    atom.direction = atom.x < neighbour.x ? -1 : 1;
  }
}

tbranch branchelementfrom(tatm& anchor, double x, double y, int element) {
  tbranch branch = branchfrom(anchor, x, y);
  if (!branch) {
    return branch;
  }
  branch.atom->changeelement(element, hydrogenlabel);
  orientlabel(*branch.atom, anchor);
  branch.bond->adjustlength(1);
  return branch;
}

tbranch branchatom(double x, double y) {
  tatm* anchor = clickanchor(x, y, noatomsmessage);
  if (anchor == nullptr) {
    return {};
  }
  tbranch branch = branchfrom(*anchor, x, y);
  if (branch) {
    branch.bond->adjustlength(1);
  }
  return branch;
}

tbranch branchelement(double x, double y, int element) {
  tatm* anchor = clickanchor(x, y, noatomsmessage);
  if (anchor == nullptr) {
    return {};
  }
  return branchelementfrom(*anchor, x, y, element);
}

tbranch branchdeuterium(double x, double y) {
  tbranch branch = branchelement(x, y, 1);
  if (branch) {
    branch.atom->setdeuterium();
  }
  return branch;
}

tbranch branchalongaxis(double x, double y, int element, bool bare) {
  tatm* anchor = clickanchor(x, y, noatomsmessage);
  if (anchor == nullptr) {
    return {};
  }
  tbranch branch = branchelementfrom(*anchor, x, y, element);
  if (!branch) {
    return branch;
  }
  const TXYZ axis = screenaxis(wholedegrees(x - anchor->x, y - anchor->y));
  const TXYZ position = plus(pointof(*anchor), times(axis, bondlength()));
  branch.atom->setxyz(position.x, position.y, position.z);
  branch.bond->refresh();
  // The move may have put the atom on the other side of its anchor.
  orientlabel(*branch.atom, *anchor);
  if (bare) {
    branch.atom->setlabelmode(nolabel);
  }
  return branch;
}

tbranch branchdoublebonded(double x, double y, int element) {
  tatm* anchor = clickanchor(x, y, noatomsmessage);
  if (anchor == nullptr) {
    return {};
  }
  if (session().settings.build3d && anchor->ischemical() &&
      anchor->findneighbours() == 2) {
    // The anchor becomes a trigonal centre, whose third bond lies on the
    // open side of the other two: a click inside their angle, which may
    // pick the inner side in a flat drawing, is mirrored through the
    // anchor.
    const TXYZ towards{x - anchor->x, y - anchor->y, 0.0};
    if (dot(openbisector(*anchor), towards) < 0.0) {
      x = anchor->x - towards.x;
      y = anchor->y - towards.y;
    }
  }
  tbranch branch = branchelementfrom(*anchor, x, y, element);
  if (!branch) {
    return branch;
  }
  if (element == 6) {
    branch.atom->setlabelmode(nolabel);
  }
  branch.bond->setkindstyle(4, centredstyle);
  branch.bond->side = 1;
  // A double bond is shorter than the single bond it was built as.
  branch.bond->adjustlength(1);
  return branch;
}

}  // namespace molvane
