// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/qt_canvas.h"

#include "qt/font_mapping.h"
#include "qt/text_conversion.h"

#include <QBrush>
#include <QList>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace molvane {

namespace {

/// Dots of a dotted pen are 3 pixels long with 3-pixel gaps.
constexpr double dotpixels = 3.0;

QVarLengthArray<QPoint, 32> qtpoints(std::span<const tpoint> points) {
  QVarLengthArray<QPoint, 32> result;
  result.reserve(static_cast<qsizetype>(points.size()));
  for (const tpoint& p : points) {
    result.append(QPoint(p.x, p.y));
  }
  return result;
}

/// The box of an outline drawn in a pen one pixel wide: from left to
/// right - 1, like the ellipse and rectangle of the canvas.
QRect outlinebox(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left - 1, bottom - top - 1);
}

/// Qt measures arc angles on the ellipse's parameter, in sixteenths of a
/// degree counter-clockwise from three o'clock; the ray through (x, y)
/// meets the ellipse at this parameter.
double parameterangle(const QRect& box, int x, int y) {
  const double cx = box.left() + box.width() / 2.0;
  const double cy = box.top() + box.height() / 2.0;
  const double rx = std::max(box.width() / 2.0, 0.5);
  const double ry = std::max(box.height() / 2.0, 0.5);
  const double radians = std::atan2(-(y - cy) / ry, (x - cx) / rx);
  return radians * 180.0 / std::numbers::pi;
}

/// The fields a Qt font is made from (labels repeat their font for every
/// character, so this runs often).
bool samefont(const fontrecord& a, const fontrecord& b) {
  return a.height == b.height && a.weight == b.weight && a.italic == b.italic &&
         a.underline == b.underline && a.strikeout == b.strikeout &&
         a.facename == b.facename;
}

}  // namespace

QColor qtcolourof(tcolour colour) {
  return QColor(static_cast<int>(colour & 0xFFU),
                static_cast<int>((colour >> 8U) & 0xFFU),
                static_cast<int>((colour >> 16U) & 0xFFU));
}

tqtcanvas::tqtcanvas(QPainter& painter, bool antialiased)
    : painter_(painter),
      antialiased_(antialiased),
      rasterops_(
          painter.paintEngine() != nullptr &&
          painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
  painter_.setRenderHint(QPainter::Antialiasing, antialiased_);
  painter_.setRenderHint(QPainter::TextAntialiasing, antialiased_);
}

void tqtcanvas::applypenandbrush() {
  if (!appliedpen_ || *appliedpen_ != pen()) {
    const tpen& wanted = pen();
    QPen qtpen;
    const int width = std::max(wanted.width, 1);
    qtpen.setWidth(width);
    qtpen.setColor(qtcolourof(wanted.colour));
    switch (wanted.style) {
      case tpenstyle::clear:
        qtpen.setStyle(Qt::NoPen);
        break;
      case tpenstyle::dotted:
        qtpen.setDashPattern({dotpixels / width, dotpixels / width});
        qtpen.setCapStyle(Qt::FlatCap);
        break;
      default:
        qtpen.setStyle(Qt::SolidLine);
        break;
    }
    if (wanted.style == tpenstyle::solid) {
      qtpen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::FlatCap);
    }
    qtpen.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    painter_.setPen(qtpen);
    if (rasterops_) {
      painter_.setCompositionMode(
          wanted.mode == tpenmode::notxor
              ? QPainter::RasterOp_NotSourceXorDestination
              : QPainter::CompositionMode_SourceOver);
    }
    appliedpen_ = wanted;
  }
  if (!appliedbrush_ || *appliedbrush_ != brush()) {
    painter_.setBrush(brush().style == tbrushstyle::solid
                          ? QBrush(qtcolourof(brush().colour))
                          : QBrush(Qt::NoBrush));
    appliedbrush_ = brush();
  }
}

const QFontMetrics& tqtcanvas::metrics() {
  if (!fontrecord_ || !samefont(*fontrecord_, font())) {
    fontrecord_ = font();
    font_ = qtfontof(font(), antialiased_);
    metrics_.emplace(font_);
    painterfont_ = false;
  }
  return *metrics_;
}

void tqtcanvas::line(int x1, int y1, int x2, int y2) {
  applypenandbrush();
  painter_.drawLine(x1, y1, x2, y2);
}

void tqtcanvas::polyline(std::span<const tpoint> points) {
  applypenandbrush();
  const auto list = qtpoints(points);
  painter_.drawPolyline(list.constData(), static_cast<int>(list.size()));
}

void tqtcanvas::polygon(std::span<const tpoint> points) {
  applypenandbrush();
  const auto list = qtpoints(points);
  painter_.drawPolygon(list.constData(), static_cast<int>(list.size()),
                       Qt::OddEvenFill);
}

void tqtcanvas::ellipse(int left, int top, int right, int bottom) {
  applypenandbrush();
  painter_.drawEllipse(outlinebox(left, top, right, bottom));
}

void tqtcanvas::rectangle(int left, int top, int right, int bottom) {
  applypenandbrush();
  if (pen().style == tpenstyle::clear) {
    // Without an outline the fill covers the whole box.
    if (brush().style == tbrushstyle::solid) {
      painter_.fillRect(QRect(left, top, right - left, bottom - top),
                        qtcolourof(brush().colour));
    }
    return;
  }
  painter_.drawRect(outlinebox(left, top, right, bottom));
}

void tqtcanvas::arc(int left, int top, int right, int bottom, int startx,
                    int starty, int endx, int endy) {
  applypenandbrush();
  const QRect box = outlinebox(left, top, right, bottom);
  const double start = parameterangle(box, startx, starty);
  double span = parameterangle(box, endx, endy) - start;
  while (span <= 0.0) {
    span += 360.0;
  }
  painter_.drawArc(box, static_cast<int>(std::lround(start * 16.0)),
                   static_cast<int>(std::lround(span * 16.0)));
}

void tqtcanvas::textout(int x, int y, const std::string& text) {
  const QFontMetrics& measure = metrics();
  const QString qttext = qtstring(text);
  const int width = measure.horizontalAdvance(qttext);
  const int height = measure.height();
  int left = x;
  if (textformat().horizontal == thorizontalalign::centre) {
    left = x - width / 2;
  } else if (textformat().horizontal == thorizontalalign::right) {
    left = x - width;
  }
  int top = y;
  if (textformat().vertical == tverticalalign::baseline) {
    top = y - measure.ascent();
  } else if (textformat().vertical == tverticalalign::bottom) {
    top = y - height;
  }
  if (textformat().opaque && brush().style == tbrushstyle::solid) {
    painter_.fillRect(QRect(left, top, width, height),
                      qtcolourof(brush().colour));
  }
  if (!painterfont_) {
    painter_.setFont(font_);
    painterfont_ = true;
  }
  painter_.setPen(qtcolourof(fontcolour()));
  appliedpen_.reset();
  painter_.drawText(QPoint(left, top + measure.ascent()), qttext);
}

int tqtcanvas::textwidth(const std::string& text) {
  return metrics().horizontalAdvance(qtstring(text));
}

int tqtcanvas::textheight(const std::string&) { return metrics().height(); }

}  // namespace molvane
