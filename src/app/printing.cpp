// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/printing.h"

#include "document/session.h"
#include "qt/picture_export.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRect>

#include <string>

namespace molvane {

namespace {

constexpr double printedpixelsperinch = 60.0;

}  // namespace

void printdrawing(QPrinter& printer, const std::vector<tatomnote>& notes) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    session().messages().error("The printer could not be started");
    return;
  }
  const int dpi = printer.resolution();
  const int margin = dpi / 4;
  const QRect area =
      painter.viewport().adjusted(margin, margin, -margin, -margin);
  // A pixel of the drawing prints a sixtieth of an inch (ten dots of a
  // 600 dpi printer), as the window did when it printed; larger drawings
  // shrink to fit the page.
  const double factor = dpi / printedpixelsperinch;
  tpictureoptions options;
  options.antialiased = true;
  options.colourbyelement = session().settings.colourlabels;
  options.notes = notes;
  const std::string problem =
      paintinarea(painter, *session().drawing(), area, factor, options);
  painter.end();
  if (!problem.empty()) {
    session().messages().warn("Nothing printed: " + problem);
  }
}

void showprintpreview(QWidget* parent, const std::vector<tatomnote>& notes) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&notes](QPrinter* page) { printdrawing(*page, notes); });
  preview.exec();
}

}  // namespace molvane
