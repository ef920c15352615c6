// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/palette_pictures.h"

#include "commands/bond_editor_commands.h"
#include "commands/label_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "document/symbol.h"
#include "model/atom.h"
#include "model/bond.h"
#include "qt/qt_canvas.h"
#include "render/atom_painter.h"
#include "render/bond_painter.h"
#include "render/font_selection.h"
#include "render/symbol_painter.h"

#include <QPainter>

#include <algorithm>
#include <limits>
#include <memory>

namespace molvane {

namespace {

/// Pixels kept free round the picture.
constexpr double margin = 4.0;

void paintsymbol(tSymbol& symbol, QSize size, tcanvas& canvas) {
  double left = std::numeric_limits<double>::infinity();
  double right = -left;
  double top = left;
  double bottom = -left;
  for (const tatm* point : symbol.atoms) {
    left = std::min(left, point->x);
    right = std::max(right, point->x);
    top = std::min(top, point->y);
    bottom = std::max(bottom, point->y);
  }
  double factor = 1.0;
  if (right > left) {
    factor = std::min(factor, (size.width() - 2 * margin) / (right - left));
  }
  if (bottom > top) {
    factor = std::min(factor, (size.height() - 2 * margin) / (bottom - top));
  }
  symbol.scalesymbol(factor);
  symbol.takereference();
  symbol.movecentreto(size.width() / 2.0, size.height() / 2.0);
  drawsymbol(symbol, canvas);
}

void paintlabel(tLAtm& label, const tdrawing& fonts, tcanvas& canvas) {
  // Plain text starts at its point, an atom-like label centres its first
  // character there: either way the middle of the text goes to the point.
  selectfont(fonts, label.fontindex, canvas);
  double shift = canvas.textwidth(label.symbol) / 2.0;
  if (label.labelmode != textlabel) {
    shift -= canvas.textwidth(label.symbol.substr(0, 1)) / 2.0;
  }
  label.setxyz(label.x - shift, label.y, 0.0);
  drawatom(label, canvas, fonts);
}

}  // namespace

QImage symbolpicture(int code, QSize size) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  tqtcanvas canvas(painter, true);
  if (std::unique_ptr<tSymbol> symbol =
          makesymbolforcommand(code, session().settings)) {
    paintsymbol(*symbol, image.size(), canvas);
  } else {
    // The label is painted with a drawing of its own for the default font,
    // so that the document is never touched.
    const tdrawing fonts;
    std::unique_ptr<tLAtm> label = makelabel(
        code, image.width() / 2.0, image.height() / 2.0, fonts.temperature);
    if (label != nullptr) {
      label->colour = 0;
      paintlabel(*label, fonts, canvas);
    }
  }
  painter.end();
  return image;
}

QImage bondpicture(int tag, QSize size) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(Qt::white);
  // Two unlabelled carbons of a drawing of the picture's own, so that the
  // document is never touched.
  tdrawing drawing;
  const double y = image.height() / 2.0;
  tatm* a =
      drawing.addatom(std::make_unique<tatm>(6, nolabel, margin + 2.0, y, 0.0));
  tatm* b = drawing.addatom(
      std::make_unique<tatm>(6, nolabel, image.width() - margin - 2.0, y, 0.0));
  tbond* bond =
      drawing.addbond(std::make_unique<tbond>(a, 0, tbondstyle::normal, 2, b));
  bond->width = 2;
  applybondtag(*bond, tag);
  QPainter painter(&image);
  tqtcanvas canvas(painter, true);
  drawbond(*bond, canvas);
  painter.end();
  return image;
}

}  // namespace molvane
