// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/symbol_geometry.h"

#include "model/atom.h"

#include <cmath>

namespace molvane {

std::optional<tsymbolshape> arrowhead(tpixel tip, double dx, double dy,
                                      int style, int turn, double bondlength) {
  if (style < 0 || style > lastheadstyle) {
    return std::nullopt;
  }
  // (u, v) runs along the arrow and is about one bond long; the +1 keeps a
  // zero-length arrow finite.
  const double s = bondlength / std::sqrt(dx * dx + dy * dy + 1.0);
  const double u = dx * s;
  const double v = dy * s;
  const tpixel middle{tip.x - roundhalfeven(u / 4.0),
                      tip.y - roundhalfeven(v / 4.0)};
  const int across = roundhalfeven(v / 8.0);
  const int along = roundhalfeven(u / 8.0);
  const tpixel wing1{middle.x + across, middle.y - along};
  const tpixel wing2{middle.x - across, middle.y + along};
  const tpixel halfwing = turn < 1 ? wing2 : wing1;

  tsymbolshape head;
  switch (style) {
    case 0:
      head.points = {wing1, tip, wing2};
      break;
    case 1:
    case 2:
      head.style = style == 1 ? tshapestyle::closed : tshapestyle::filled;
      head.points = {wing1, tip, wing2};
      break;
    case 3:
      head.points = {middle, tip, halfwing};
      break;
    default:
      head.style = style == 4 ? tshapestyle::closed : tshapestyle::filled;
      head.points = {middle, tip, halfwing};
      break;
  }
  return head;
}

tarcframe arcframe(tpixel p0, tpixel p1, int turn) {
  // The ellipse's centre sits at one corner of the box p0 and p1 span, so
  // that both points are ends of its axes and the quarter between them is
  // the arc.
  tarcframe frame;
  // Cases 1 and 3 centre the ellipse at (p0.x, p1.y), cases 2 and 4 at
  // (p1.x, p0.y).
  bool centresharesp0x = true;
  frame.start = p0;
  frame.end = p1;
  if (p0.x >= p1.x && p0.y < p1.y) {
    frame.quadrant = turn;
    frame.left = p1.x;
    frame.top = p0.y;
    frame.right = 2 * p0.x - p1.x;
    frame.bottom = 2 * p1.y - p0.y;
  } else if (p0.x >= p1.x) {
    centresharesp0x = false;
    frame.quadrant = 2 * turn;
    frame.left = 2 * p1.x - p0.x;
    frame.top = p1.y;
    frame.right = p0.x;
    frame.bottom = 2 * p0.y - p1.y;
  } else if (p0.y >= p1.y) {
    frame.quadrant = 3 * turn;
    frame.left = 2 * p0.x - p1.x;
    frame.top = 2 * p1.y - p0.y;
    frame.right = p1.x;
    frame.bottom = p0.y;
  } else {
    centresharesp0x = false;
    frame.quadrant = 4 * turn;
    frame.left = p0.x;
    frame.top = 2 * p0.y - p1.y;
    frame.right = 2 * p1.x - p0.x;
    frame.bottom = p1.y;
  }
  // At p0 the arc runs parallel to the axis through p1, away from p1's
  // side: behind p0 lies p0 + (p1 - centre).
  frame.headbase = centresharesp0x ? tpixel{p1.x, p0.y} : tpixel{p0.x, p1.y};
  return frame;
}

std::vector<tpixel> beziercurve(const std::array<TXYZ, 4>& control,
                                int segments) {
  std::vector<tpixel> points;
  if (segments < 1) {
    segments = 1;
  }
  points.reserve(static_cast<std::size_t>(segments) + 1);
  for (int i = 0; i <= segments; ++i) {
    const double t = static_cast<double>(i) / segments;
    const double r = 1.0 - t;
    const double w0 = r * r * r;
    const double w1 = 3.0 * r * r * t;
    const double w2 = 3.0 * r * t * t;
    const double w3 = t * t * t;
    const double x = w0 * control[0].x + w1 * control[1].x + w2 * control[2].x +
                     w3 * control[3].x;
    const double y = w0 * control[0].y + w1 * control[1].y + w2 * control[2].y +
                     w3 * control[3].y;
    points.push_back({roundhalfeven(x), roundhalfeven(y)});
  }
  return points;
}

}  // namespace molvane
