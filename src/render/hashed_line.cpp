// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/hashed_line.h"

#include "model/atom.h"

#include <cstdlib>

namespace molvane {

std::vector<tpoint> digitalline(tpoint from, tpoint to) {
  const int dx = std::abs(to.x - from.x);
  const int dy = std::abs(to.y - from.y);
  const int stepx = to.x >= from.x ? 1 : -1;
  const int stepy = to.y >= from.y ? 1 : -1;
  std::vector<tpoint> points;
  points.reserve(static_cast<std::size_t>(dx > dy ? dx : dy));
  // The error term measures how far the walk is from the true line, in
  // units that keep it integral; each step moves along the major axis and
  // along the minor one when the error says so.
  int error = dx - dy;
  tpoint at = from;
  while (at != to) {
    points.push_back(at);
    const int twice = 2 * error;
    if (twice > -dy) {
      error -= dy;
      at.x += stepx;
    }
    if (twice < dx) {
      error += dx;
      at.y += stepy;
    }
  }
  return points;
}

std::vector<thashstroke> hashstrokes(tpoint from, tpoint to, tpoint half) {
  std::vector<tpoint> pixels = digitalline(from, to);
  std::vector<thashstroke> strokes;
  strokes.reserve(pixels.size() / 3 + 1);
  const auto count = static_cast<double>(pixels.size());
  for (std::size_t i = 0; i < pixels.size(); i += 3) {
    const tpoint p = pixels[i];
    const double share = static_cast<double>(i + 1) / count;
    const tpoint reach{roundhalfeven(half.x * share),
                       roundhalfeven(half.y * share)};
    strokes.push_back(
        {{p.x - reach.x, p.y - reach.y}, {p.x + reach.x, p.y + reach.y}});
  }
  return strokes;
}

}  // namespace molvane
