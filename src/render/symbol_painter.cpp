// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/symbol_painter.h"

#include "document/symbol.h"
#include "render/bond_painter.h"
#include "render/canvas.h"

#include <vector>

namespace molvane {

namespace {

std::vector<tpoint> canvaspoints(const std::vector<tpixel>& pixels) {
  std::vector<tpoint> points;
  points.reserve(pixels.size());
  for (const tpixel& pixel : pixels) {
    points.push_back({pixel.x, pixel.y});
  }
  return points;
}

void drawlinks(tSymbol& symbol, tcanvas& canvas) {
  for (tbond* link : symbol.bonds) {
    const std::uint8_t chemical = link->chemical;
    link->chemical = 1;
    drawbond(*link, canvas);
    link->chemical = chemical;
  }
}

}  // namespace

void drawsymbol(tSymbol& symbol, tcanvas& canvas) {
  const tsymbolshapes shapes = symbol.computeshapes();
  if (shapes.drawlinks) {
    drawlinks(symbol, canvas);
  }
  setpen(canvas, tpenstyle::solid, symbol.linewidth, symbol.colour);
  if (shapes.arc) {
    const tarcframe& arc = *shapes.arc;
    canvas.arc(arc.left, arc.top, arc.right, arc.bottom, arc.start.x,
               arc.start.y, arc.end.x, arc.end.y);
  }
  for (const tsymbolshape& shape : shapes.shapes) {
    const std::vector<tpoint> points = canvaspoints(shape.points);
    switch (shape.style) {
      case tshapestyle::open:
        canvas.polyline(points);
        break;
      case tshapestyle::closed:
        canvas.polygon(points);
        break;
      case tshapestyle::filled:
        setbrush(canvas, tbrushstyle::solid, symbol.colour);
        canvas.polygon(points);
        resetbrush(canvas);
        break;
    }
  }
}

}  // namespace molvane
