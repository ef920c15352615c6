// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <array>
#include <optional>
#include <vector>

namespace molvane {

/// A pixel of the page, y downwards.
struct tpixel {
  int x = 0;
  int y = 0;
  friend bool operator==(const tpixel&, const tpixel&) = default;
};

/// How a painter finishes a shape: a polyline, a polygon outline, or a
/// polygon filled in the symbol's colour.
enum class tshapestyle { open, closed, filled };

/// One polyline or polygon of a symbol, in pixels.
struct tsymbolshape {
  tshapestyle style = tshapestyle::open;
  std::vector<tpixel> points;
};

/// The quarter ellipse of an arc: the bounding box of the whole ellipse
/// and the two ends. Going counter-clockwise on the screen from `start` to
/// `end` traces the quarter.
struct tarcframe {
  int quadrant = 0;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  tpixel start;
  tpixel end;
  /// A point behind `start` along the direction in which the arc arrives
  /// there; an arrow head at `start` points away from it.
  tpixel headbase;
};

/// What a painter draws for a symbol on top of its links.
struct tsymbolshapes {
  /// False when the links are only control lines (curved arrows).
  bool drawlinks = true;
  /// Heads and curves in painting order.
  std::vector<tsymbolshape> shapes;
  std::optional<tarcframe> arc;
};

/// Largest arrow-head style: 0 open V, 1 closed triangle, 2 filled
/// triangle, 3 open half head, 4 closed half head, 5 filled half head.
inline constexpr int lastheadstyle = 5;

/// The head of an arrow whose tip is at tip and which runs along (dx, dy)
/// into the tip. The head is about a quarter of bondlength long. A half
/// head (styles 3 to 5) lies on the side that turn selects (turn < 1 gives
/// the other side). None for a style outside 0 to 5.
std::optional<tsymbolshape> arrowhead(tpixel tip, double dx, double dy,
                                      int style, int turn, double bondlength);

/// The quarter ellipse that joins p0 and p1, its corner at p1's x and p0's
/// y or the other way round as their relative position decides; quadrant
/// 1 to 4 times turn.
tarcframe arcframe(tpixel p0, tpixel p1, int turn);

/// The cubic Bezier curve from control[0] to control[3] with control[1]
/// and control[2] pulling it, as segments + 1 rounded pixels.
std::vector<tpixel> beziercurve(const std::array<TXYZ, 4>& control,
                                int segments);

}  // namespace molvane
