// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/bond_painter.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/bond_list.h"
#include "render/hashed_line.h"

#include <cmath>
#include <cstddef>
#include <optional>

namespace molvane {

namespace {

constexpr tcolour hydrogenlinecolour = 0xBFBFBF;
constexpr tcolour carbonlinecolour = 0x777777;

tpoint screenof(const tatm& atom) { return {atom.sx, atom.sy}; }

tpoint plus(tpoint p, tpoint q) { return {p.x + q.x, p.y + q.y}; }
tpoint minus(tpoint p, tpoint q) { return {p.x - q.x, p.y - q.y}; }
tpoint times(int k, tpoint p) { return {k * p.x, k * p.y}; }

void drawline(tcanvas& canvas, tpoint from, tpoint to) {
  canvas.line(from.x, from.y, to.x, to.y);
}

/// A dotted line; the pen is solid again afterwards.
void drawdotted(tcanvas& canvas, tpoint from, tpoint to) {
  canvas.setpenstyle(tpenstyle::dotted);
  drawline(canvas, from, to);
  canvas.setpenstyle(tpenstyle::solid);
}

/// The colour of a coloured style; green only where the kind allows it.
std::optional<tcolour> colourofstyle(tbondstyle bondstyle, bool allowsgreen) {
  const int style = bondstylenumber(bondstyle);
  if (style >= 10 && style <= 15) {
    return reddishbondcolour;
  }
  if (style >= 20 && style <= 25) {
    return bluishbondcolour;
  }
  if (allowsgreen && style >= 30 && style <= 35) {
    return greenishbondcolour;
  }
  return std::nullopt;
}

bool isplainstyle(tbondstyle style) {
  return bondstylenumber(style) == -7 || style == tbondstyle::reversedplain ||
         style == tbondstyle::plain || style == tbondstyle::otherplain;
}

/// Half of v in each component, rounded away from zero (5 -> 3, -5 -> -3).
int halfawayfromzero(int v) { return v >= 0 ? (v + 1) / 2 : -((-v + 1) / 2); }

/// The perpendicular of a single bond, as long as the bond's spacing, taken
/// from where the ends are now. Single bonds keep no offsets of their own
/// that follow their ends, and a wedge or hash drawn from stale offsets
/// would be skewed after its ends moved. Falls back to the stored offsets
/// when the ends coincide.
tpoint singleperpendicular(const tlink& bond) {
  const double dx = bond.atom2->x - bond.atom1->x;
  const double dy = bond.atom2->y - bond.atom1->y;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length <= 0.000001) {
    return {bond.offx, bond.offy};
  }
  return {-roundhalfeven(dy * bond.spacing / length),
          roundhalfeven(dx * bond.spacing / length)};
}

const tatm& wideatom(const tlink& bond) {
  return bond.wideend == 1 ? *bond.atom1 : *bond.atom2;
}

const tatm& narrowatom(const tlink& bond) {
  return bond.wideend == 1 ? *bond.atom2 : *bond.atom1;
}

void drawwedge(const tlink& bond, tcanvas& canvas) {
  const tatm& wide = wideatom(bond);
  const tpoint offset = singleperpendicular(bond);
  const tpoint corners[] = {screenof(narrowatom(bond)),
                            {roundhalfeven(wide.x + offset.x / 2.0),
                             roundhalfeven(wide.y + offset.y / 2.0)},
                            {roundhalfeven(wide.x - offset.x / 2.0),
                             roundhalfeven(wide.y - offset.y / 2.0)}};
  setbrush(canvas, tbrushstyle::solid, bond.colour);
  canvas.polygon(corners);
  resetbrush(canvas);
}

/// Hashes widen from the narrow end to the wide end, as wide as a wedge
/// there, so the picture says which end is raised or lowered.
void drawhashed(const tlink& bond, tcanvas& canvas) {
  const tpoint offset = singleperpendicular(bond);
  // Integer division: the half stroke is truncated towards zero.
  const tpoint half{offset.x / 2, offset.y / 2};
  for (const thashstroke& stroke : hashstrokes(
           screenof(narrowatom(bond)), screenof(wideatom(bond)), half)) {
    drawline(canvas, stroke.from, stroke.to);
  }
}

/// A dative bond: a shaft from the tail that stops a quarter of the bond
/// before the head atom, clear of its label, and two short barbs.
void drawarrow(tlink& bond, tcanvas& canvas) {
  const tatm& head = wideatom(bond);
  const tatm& tail = narrowatom(bond);
  const double dx = head.x - tail.x;
  const double dy = head.y - tail.y;
  const tpoint back{-roundhalfeven(dx / 4.0), -roundhalfeven(dy / 4.0)};
  const tpoint barbback{roundhalfeven(back.x / 4.0),
                        roundhalfeven(back.y / 4.0)};
  const tpoint tip = plus(screenof(head), back);
  if (bond.kind() == 1) {
    drawdotted(canvas, screenof(tail), tip);
  } else {
    drawline(canvas, screenof(tail), tip);
  }
  // The barbs spread by a sixteenth of the bond; calcoffsets leaves these
  // values alone for single bonds, so the bond keeps them.
  bond.offx = roundhalfeven(dy / 16.0);
  bond.offy = -roundhalfeven(dx / 16.0);
  const tpoint spread{bond.offx, bond.offy};
  const tpoint base = plus(tip, barbback);
  drawline(canvas, tip, plus(base, spread));
  drawline(canvas, tip, minus(base, spread));
}

void drawsinglekinds(tlink& bond, tcanvas& canvas, tpoint a, tpoint b) {
  const tbondstyle style = bond.style;
  if (style == tbondstyle::wedge) {
    drawwedge(bond, canvas);
  } else if (style == tbondstyle::hashed) {
    drawhashed(bond, canvas);
  } else if (style == tbondstyle::arrow) {
    drawarrow(bond, canvas);
  } else if (auto colour = colourofstyle(style, true)) {
    canvas.setpencolour(*colour);
    drawline(canvas, a, b);
  } else if (bond.kind() == 1 && style == tbondstyle::normal) {
    drawdotted(canvas, a, b);
  } else if (isplainstyle(style) || bondstylenumber(style) == 0 ||
             (bond.kind() == 2 && style == tbondstyle::normal)) {
    drawline(canvas, a, b);
  }
}

void drawmultiplekinds(const tlink& bond, tcanvas& canvas, tpoint a, tpoint b) {
  const int kind = bond.kind();
  const tbondstyle style = bond.style;
  const tpoint o{bond.offx, bond.offy};
  const int side = bond.side;
  const auto shifted = [&](int k, bool dotted) {
    const tpoint by = times(k, o);
    if (dotted) {
      drawdotted(canvas, plus(a, by), plus(b, by));
    } else {
      drawline(canvas, plus(a, by), plus(b, by));
    }
  };
  if (auto colour = colourofstyle(style, kind != 3)) {
    canvas.setpencolour(*colour);
    drawline(canvas, a, b);
    return;
  }
  switch (kind) {
    case 3:
      drawline(canvas, a, b);
      if (!isplainstyle(style)) {
        shifted(side, true);
      }
      break;
    case 4:
      if (isplainstyle(style)) {
        drawline(canvas, a, b);
      } else if (style == tbondstyle::normal) {
        drawline(canvas, a, b);
        shifted(side, false);
      } else if (style == tbondstyle::centred) {
        const tpoint h{halfawayfromzero(o.x), halfawayfromzero(o.y)};
        drawline(canvas, minus(a, h), minus(b, h));
        drawline(canvas, plus(a, h), plus(b, h));
      }
      break;
    case 5:
      drawline(canvas, a, b);
      if (style == tbondstyle::reversedplain || style == tbondstyle::plain ||
          style == tbondstyle::otherplain) {
        break;
      }
      if (style == tbondstyle::centred) {
        shifted(-1, true);
        shifted(1, false);
      } else {
        shifted(2 * side, true);
        shifted(side, false);
      }
      break;
    default:  // 6
      drawline(canvas, a, b);
      if (style == tbondstyle::centred) {
        shifted(-1, false);
        shifted(1, false);
      } else {
        shifted(side, false);
        shifted(2 * side, false);
      }
      break;
  }
}

}  // namespace

void drawbond(tlink& bond, tcanvas& canvas) {
  if (bond.chemical == 0 || bond.atom1 == nullptr || bond.atom2 == nullptr) {
    return;
  }
  bond.calcoffsets();
  const tpoint a = screenof(*bond.atom1);
  const tpoint b = screenof(*bond.atom2);
  setpen(canvas, tpenstyle::solid, bond.width, bond.colour);
  const int kind = bond.kind();
  if (kind == 1 || kind == 2) {
    drawsinglekinds(bond, canvas, a, b);
  } else if (kind >= 3 && kind <= 6) {
    drawmultiplekinds(bond, canvas, a, b);
  }
}

void drawbonds(const tbondlist& list, tcanvas& canvas) {
  for (tbond* bond : list) {
    drawbond(*bond, canvas);
  }
}

tcolour bondendcolour(const tatm& atom, const tdrawing& drawing) {
  if (atom.element == 1) {
    return hydrogenlinecolour;
  }
  if (atom.element == 6) {
    return carbonlinecolour;
  }
  const auto index = static_cast<std::size_t>(atom.element);
  if (atom.element < 1 || index >= drawing.elementcolours.size()) {
    return blackcolour;
  }
  return drawing.elementcolours[index];
}

void drawtwocolourbond(const tlink& bond, tcanvas& canvas, int width,
                       const tdrawing& drawing) {
  if (bond.atom1 == nullptr || bond.atom2 == nullptr) {
    return;
  }
  const tpoint a = screenof(*bond.atom1);
  const tpoint b = screenof(*bond.atom2);
  // Each halved sum is truncated towards zero.
  const tpoint middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
  setpen(canvas, tpenstyle::solid, width, bondendcolour(*bond.atom1, drawing));
  drawline(canvas, middle, a);
  canvas.setpencolour(bondendcolour(*bond.atom2, drawing));
  drawline(canvas, middle, b);
}

void drawplainbond(const tlink& bond, tcanvas& canvas, int width,
                   tcolour colour) {
  if (bond.atom1 == nullptr || bond.atom2 == nullptr) {
    return;
  }
  setpen(canvas, tpenstyle::solid, width, colour);
  drawline(canvas, screenof(*bond.atom1), screenof(*bond.atom2));
}

}  // namespace molvane
