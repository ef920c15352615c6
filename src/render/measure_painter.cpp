// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/measure_painter.h"

#include "document/measurement.h"
#include "model/atom.h"
#include "model/bond.h"
#include "render/canvas.h"
#include "render/font_selection.h"
#include "support/number_text.h"

namespace molvane {

namespace {

constexpr tcolour distancecolour = 0xFF0000;
constexpr const char* angstromsign = "\u00C5";
/// Radius of the ring round a picked atom, pixels.
constexpr int ringradius = 6;

}  // namespace

std::string measuretext(tmeasureunit units, double value) {
  switch (units) {
    case tmeasureunit::calories:
      return formatfixed(value, 1, 4) + "cal";
    case tmeasureunit::hertz:
      return formatfixed(value, 2, 4) + "Hz";
    default:
      return formatfixed(value, 3, 4) + angstromsign;
  }
}

void drawbondlength(const tlink& bond, tcanvas& canvas, tmeasureunit units,
                    double value) {
  if (bond.atom1 == nullptr || bond.atom2 == nullptr) {
    return;
  }
  canvas.textout((bond.atom1->sx + bond.atom2->sx) / 2,
                 (bond.atom1->sy + bond.atom2->sy) / 2,
                 measuretext(units, value));
}

void drawdistance(const tatm& a, const tatm& b, tcanvas& canvas,
                  const tdrawing& drawing) {
  setpen(canvas, tpenstyle::dotted, 1, distancecolour);
  canvas.line(a.sx, a.sy, b.sx, b.sy);
  canvas.setpenstyle(tpenstyle::solid);
  selectfont(drawing, a.fontindex, canvas);
  canvas.textout(roundhalfeven((a.sx + b.sx) / 2.0),
                 roundhalfeven((a.sy + b.sy) / 2.0),
                 formatfixed(a.angstromdistance(b), 3, 6) + angstromsign);
}

void drawmeasurement(const tmeasurement& measurement, tcanvas& canvas,
                     const tdrawing& drawing) {
  for (const tmeasureline& line : measurement.lines) {
    setpen(canvas, line.dotted ? tpenstyle::dotted : tpenstyle::solid, 1,
           line.colour);
    if (line.from == line.to) {
      canvas.setbrushstyle(tbrushstyle::clear);
      canvas.ellipse(line.from->sx - ringradius, line.from->sy - ringradius,
                     line.from->sx + ringradius, line.from->sy + ringradius);
    } else {
      canvas.line(line.from->sx, line.from->sy, line.to->sx, line.to->sy);
    }
  }
  canvas.setpenstyle(tpenstyle::solid);
  resetbrush(canvas);
  if (measurement.text.empty()) {
    return;
  }
  if (measurement.fontatom != nullptr) {
    selectfont(drawing, measurement.fontatom->fontindex, canvas);
  }
  // The figure stands beside its bond or angle: the lines show through.
  const bool opaque = canvas.textformat().opaque;
  canvas.settextopaque(false);
  canvas.textout(measurement.x, measurement.y, measurement.text);
  canvas.settextopaque(opaque);
}

}  // namespace molvane
