// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/bond_editor_commands.h"

#include "commands/editor_commands.h"
#include "commands/editor_step.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/bond.h"
#include "support/number_text.h"

#include <cmath>
#include <limits>

namespace molvane {

namespace {

constexpr int largestturn = 45;
constexpr int smallestzoom = 50;
constexpr int largestzoom = 150;
constexpr int fullsize = 100;
constexpr double kcalpercal = 0.001;

bool holds(const tdrawing& drawing, const tbond* bond) {
  return bond != nullptr && drawing.bonds.contains(bond);
}

/// Where both ends and the offsets stand, to put them back exactly.
struct tbondplace {
  explicit tbondplace(const tlink& bond)
      : x1(bond.atom1->x),
        y1(bond.atom1->y),
        x2(bond.atom2->x),
        y2(bond.atom2->y),
        sx1(bond.atom1->sx),
        sy1(bond.atom1->sy),
        sx2(bond.atom2->sx),
        sy2(bond.atom2->sy),
        offx(bond.offx),
        offy(bond.offy) {}

  void restore(tlink& bond) const {
    bond.atom1->x = x1;
    bond.atom1->y = y1;
    bond.atom2->x = x2;
    bond.atom2->y = y2;
    bond.atom1->sx = sx1;
    bond.atom1->sy = sy1;
    bond.atom2->sx = sx2;
    bond.atom2->sy = sy2;
    bond.offx = offx;
    bond.offy = offy;
  }

  double x1, y1, x2, y2;
  decltype(tatm::sx) sx1, sy1, sx2, sy2;
  std::int32_t offx, offy;
};

/// Turns bond by degrees about the pivot end, or about its midpoint.
void turnbond(tlink& bond, const tatm* pivot, tbondslider function,
              double degrees) {
  if (function == tbondslider::pivot && bond.hasatom(pivot)) {
    bond.rotate2d(pivot->x, pivot->y, degrees);
  } else {
    bond.rotate2d((bond.atom1->x + bond.atom2->x) / 2.0,
                  (bond.atom1->y + bond.atom2->y) / 2.0, degrees);
  }
}

}  // namespace

bool applybondtag(tlink& bond, int tag) {
  // A new kind or a wedge restates what the bond and its ends show.
  bond.dropstereomarks();
  switch (tag) {
    case 1:
      bond.setsingle();
      break;
    case 2:
      bond.sethalf();
      break;
    case 3:
    case 6:
      bond.setsingle();
      bond.style = tbondstyle::wedge;
      bond.wideend = tag == 3 ? 2 : 1;
      break;
    case 4:
    case 5:
      bond.setkind(tag == 4 ? 4 : 3);
      bond.choosesides();
      break;
    case 7:
      bond.settriple();
      break;
    case 8:
      bond.settwohalf();
      break;
    case 9:
      bond.setsingle();
      bond.style = tbondstyle::hashed;
      break;
    case 10:
    case 11:
      bond.setsingle();
      bond.style = tbondstyle::arrow;
      bond.wideend = tag == 10 ? 1 : 2;
      break;
    case 12:
      bond.sethalf();
      bond.style = tbondstyle::arrow;
      break;
    case 13:
      bond.style = tbondstyle::plain;
      break;
    case 14:
      bond.style = tbondstyle::reversedplain;
      break;
    case 15:
      bond.style = tbondstyle::otherplain;
      break;
    default:
      return false;
  }
  bond.calcoffsets();
  return true;
}

bool runbondtag(tbond* bond, int tag, teditorstep* step) {
  if (!holds(*session().drawing(), bond)) {
    session().messages().warn(nobondmessage);
    return false;
  }
  if (tag < firstbondtag || tag > lastbondtag) {
    return false;
  }
  takeeditsnapshot(step);
  applybondtag(*bond, tag);
  bond->highlight();
  return true;
}

bool shiftsecondline(tlink& bond) {
  if (bond.style == tbondstyle::normal && bond.side == 1) {
    bond.side = -1;
  } else if (bond.style == tbondstyle::normal && bond.side == -1) {
    bond.style = tbondstyle::centred;
    bond.side = 1;
  } else if (bond.style == tbondstyle::centred && bond.side == 1) {
    bond.style = tbondstyle::normal;
  } else {
    return false;
  }
  return true;
}

bool deletebond(tbond* bond, teditorstep* step) {
  tdrawing& drawing = *session().drawing();
  if (!holds(drawing, bond)) {
    return false;
  }
  takeeditsnapshot(step);
  clearcolours(drawing);
  drawing.removebond(bond);
  labelloneatoms(drawing);
  return true;
}

bool takeeditsnapshot(teditorstep* step) {
  if (step != nullptr) {
    if (!step->beforechange()) {
      return false;
    }
  } else {
    session().takeundosnapshot("Bond Editor");
  }
  clearcolours(*session().undodrawing());
  return true;
}

void clearcolours(tdrawing& drawing) {
  drawing.atoms.setcolourall(0);
  for (tbond* bond : drawing.bonds) {
    if (bond->chemical != 0) {
      bond->colour = 0;
    }
  }
}

tatm* nearerend(const tlink& bond, double x, double y) {
  if (bond.atom1 == nullptr || bond.atom2 == nullptr) {
    return bond.atom1 != nullptr ? bond.atom1 : bond.atom2;
  }
  const double d1 = std::hypot(bond.atom1->x - x, bond.atom1->y - y);
  const double d2 = std::hypot(bond.atom2->x - x, bond.atom2->y - y);
  return d1 < d2 ? bond.atom1 : bond.atom2;
}

tbondsliderrange bondsliderrange(tbondslider function) {
  if (function == tbondslider::zoom) {
    return {smallestzoom, largestzoom, fullsize};
  }
  return {-largestturn, largestturn, 0};
}

void slidebond(tlink& bond, const tatm* pivot, tbondslider function,
               int position, const std::function<void()>& paint) {
  if (bond.atom1 == nullptr || bond.atom2 == nullptr) {
    return;
  }
  if (function == tbondslider::zoom) {
    if (position >= 1) {
      bond.scaleabout(static_cast<double>(fullsize) / position);
    }
    paint();
    return;
  }
  // The turn is only shown: the bond keeps its place until the slider is
  // let go.
  const tbondplace place(bond);
  turnbond(bond, pivot, function, position);
  paint();
  place.restore(bond);
}

void releasebond(tlink& bond, const tatm* pivot, tbondslider function,
                 int position) {
  if (bond.atom1 == nullptr || bond.atom2 == nullptr) {
    return;
  }
  if (function == tbondslider::zoom) {
    if (position >= 1) {
      bond.scaleabout(static_cast<double>(fullsize) / position);
    }
  } else if (position != 0) {
    turnbond(bond, pivot, function, position);
  }
  bond.refresh();
}

std::string bondlengthtext(const tlink& bond) {
  return formatfixed(bond.angstromlength(), 2) + "\xC3\x85";
}

std::string strainenergytext(tlink& bond) {
  return formatfixed(bond.bondenergy() * kcalpercal, 2) + "Kcal";
}

std::optional<float> bondenergyvalue(std::string_view text) {
  const std::optional<double> value = parsereal(text);
  if (!value || std::abs(*value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<float>(*value);
}

}  // namespace molvane
