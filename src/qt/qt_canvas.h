// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/font.h"
#include "render/canvas.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

#include <optional>

class QPainter;

namespace molvane {

/// The Qt colour of a model colour (0x00BBGGRR).
QColor qtcolourof(tcolour colour);

/// A canvas over a QPainter. Without antialiasing every line, outline and
/// fill lands on the pixels its integer coordinates name, as the window's
/// bitmap needs: one-pixel lines leave out their end point, thicker lines
/// have round ends. Antialiasing smooths lines, curves and text, for
/// exported pictures. Needs a running QGuiApplication for its fonts.
class tqtcanvas final : public tcanvas {
 public:
  /// The painter is not owned and must stay active while the canvas is
  /// used.
  tqtcanvas(QPainter& painter, bool antialiased);

  void line(int x1, int y1, int x2, int y2) override;
  void polyline(std::span<const tpoint> points) override;
  void polygon(std::span<const tpoint> points) override;
  void ellipse(int left, int top, int right, int bottom) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void arc(int left, int top, int right, int bottom, int startx, int starty,
           int endx, int endy) override;
  void textout(int x, int y, const std::string& text) override;
  int textwidth(const std::string& text) override;
  int textheight(const std::string& text) override;

 private:
  /// Hands the canvas's pen and brush to the painter when they changed.
  void applypenandbrush();
  /// The Qt font of the canvas's font record, rebuilt when it changed.
  const QFontMetrics& metrics();

  QPainter& painter_;
  bool antialiased_;
  bool rasterops_;
  std::optional<tpen> appliedpen_;
  std::optional<tbrush> appliedbrush_;
  std::optional<fontrecord> fontrecord_;
  QFont font_;
  /// Whether the painter holds font_ already.
  bool painterfont_ = false;
  std::optional<QFontMetrics> metrics_;
};

}  // namespace molvane
