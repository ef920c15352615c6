// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Times repainting drawings of 100, 1 000 and 10 000 atoms through the Qt
// canvas into an off-screen image as large as the drawing, the way the
// window repaints its bitmap: fill with white, then paint everything.
// Prints the median time of one repaint, of the white fill alone (which
// grows with the image's area), and of the painting per 1 000 atoms, for
// the 2D drawing (mode 0), the shaded colour spheres (mode 10) and the
// shaded white spheres with rods (mode 16). An animation at 30 frames a
// second needs a repaint of 1 000 atoms in under 33 ms.
#include "document/drawing.h"
#include "qt/qt_canvas.h"
#include "render/paint_drawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace molvane {
namespace {

constexpr int rowlength = 40;
constexpr double pitch = 30.0;
constexpr int margin = 40;

/// Rows of zigzag carbon chains in which every third bond is double and
/// every fifth atom an OH label, with a wedge now and then: the mix of
/// lines and labels of an ordinary structure drawing.
void builddrawing(tdrawing& drawing, int atoms) {
  drawing.atoms.reserve(atoms);
  for (int i = 0; i < atoms; ++i) {
    const int row = i / rowlength;
    const int column = i % rowlength;
    const bool oxygen = i % 5 == 4;
    drawing.addatom(std::make_unique<tatm>(
        oxygen ? 8 : 6, oxygen ? hydrogenlabel : nolabel,
        margin + pitch * column, margin + 2 * pitch * row + (i % 2) * 15.0));
  }
  for (int i = 1; i < atoms; ++i) {
    if (i % rowlength == 0) {
      continue;
    }
    const int kind = i % 3 == 0 && i % 5 != 4 && (i - 1) % 5 != 4 ? 4 : 2;
    tbond* bond = drawing.addbond(std::make_unique<tbond>(
        drawing.atoms.items(i - 1), 0, tbondstyle::normal, kind,
        drawing.atoms.items(i)));
    if (i % 7 == 0 && kind == 2) {
      bond->style = tbondstyle::wedge;
    }
  }
}

/// Gives the atoms depths of up to two bond lengths either way, as a
/// turned 3D model has.
void spreaddepths(tdrawing& drawing) {
  for (int i = 0; i < drawing.atoms.count(); ++i) {
    tatm* atom = drawing.atoms.items(i);
    atom->setxyz(atom->x, atom->y, 2.0 * pitch * std::sin(0.7 * i));
  }
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct ttiming {
  double repaint = 0.0;  ///< fill and paint, ms
  double fill = 0.0;     ///< the white fill alone, ms
};

ttiming repaintmilliseconds(int atoms, int repeats, int drawmode) {
  tdrawing drawing;
  builddrawing(drawing, atoms);
  if (drawmode != 0) {
    spreaddepths(drawing);
  }
  drawing.drawmode = static_cast<std::uint8_t>(drawmode);
  const int rows = (atoms + rowlength - 1) / rowlength;
  QImage image(2 * margin + static_cast<int>(pitch) * rowlength,
               2 * margin + 2 * static_cast<int>(pitch) * rows,
               QImage::Format_RGB32);
  std::vector<double> times;
  std::vector<double> fills;
  for (int i = 0; i < repeats; ++i) {
    const auto fillstart = std::chrono::steady_clock::now();
    image.fill(Qt::white);
    const std::chrono::duration<double, std::milli> filled =
        std::chrono::steady_clock::now() - fillstart;
    fills.push_back(filled.count());
    const auto start = std::chrono::steady_clock::now();
    {
      image.fill(Qt::white);
      QPainter painter(&image);
      tqtcanvas canvas(painter, false);
      paintdrawing(drawing, canvas);
    }
    const std::chrono::duration<double, std::milli> took =
        std::chrono::steady_clock::now() - start;
    times.push_back(took.count());
  }
  return {median(times), median(fills)};
}

}  // namespace
}  // namespace molvane

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QGuiApplication application(argc, argv);
  std::printf("%5s %8s %12s %12s %20s\n", "mode", "atoms", "ms/repaint",
              "ms of fill", "paint ms/1000 atoms");
  for (const int mode : {0, 10, 16}) {
    for (const int atoms : {100, 1000, 10000}) {
      const int repeats = atoms >= 10000 ? 7 : 31;
      const molvane::ttiming ms =
          molvane::repaintmilliseconds(atoms, repeats, mode);
      std::printf("%5d %8d %12.3f %12.3f %20.3f\n", mode, atoms, ms.repaint,
                  ms.fill, (ms.repaint - ms.fill) * 1000.0 / atoms);
    }
  }
  return 0;
}
