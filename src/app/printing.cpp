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
  tpictureoptions options;
  options.antialiased = true;
  options.colourbyelement = session().settings.colourlabels;
  options.notes = notes;
  const std::string problem =
      paintinarea(painter, *session().drawing(), area, dpi, options);
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
