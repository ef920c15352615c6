// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/view_transform.h"

#include "model/rotation.h"
#include "render/drawing_extent.h"

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

constexpr double zoomstep = 1.1;
/// Degrees the view turns for every pixel the pointer is dragged.
constexpr double turndegreesperpixel = 0.5;

double clampzoom(double zoom) {
  return std::clamp(zoom, tviewtransform::smallestzoom,
                    tviewtransform::largestzoom);
}

/// The pan along one axis that keeps the span [low, high] (window pixels
/// at pan 0) inside a window of size pixels with margin free at each end;
/// a span too large for it starts at the margin.
double panintoview(double pan, double low, double high, int size, int margin) {
  const double first = low + pan;
  const double last = high + pan;
  if (high - low > size - 2.0 * margin || first < margin) {
    return std::round(margin - low);
  }
  if (last > size - margin) {
    return std::round(size - margin - high);
  }
  return pan;
}

}  // namespace

bool tviewtransform::turned() const {
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      if (turn_[i][j] != (i == j ? 1.0 : 0.0)) {
        return true;
      }
    }
  }
  return false;
}

tviewpoint tviewtransform::toscreen(tviewpoint drawing) const {
  return {drawing.x * zoom_ + panx_, drawing.y * zoom_ + pany_};
}

tviewpoint tviewtransform::todrawing(tviewpoint screen) const {
  return {(screen.x - panx_) / zoom_, (screen.y - pany_) / zoom_};
}

void tviewtransform::zoomabout(double factor, tviewpoint about) {
  if (!(factor > 0.0) || !std::isfinite(factor)) {
    return;
  }
  const tviewpoint fixed = todrawing(about);
  zoom_ = clampzoom(zoom_ * factor);
  panx_ = about.x - fixed.x * zoom_;
  pany_ = about.y - fixed.y * zoom_;
}

void tviewtransform::panby(double dx, double dy) {
  panx_ += dx;
  pany_ += dy;
}

void tviewtransform::turnby(double dx, double dy) {
  turn_ = product(dragrotationmatrix(dx, dy, turndegreesperpixel), turn_);
}

void tviewtransform::fit(const tbox& box, int width, int height, int margin,
                         double largest) {
  // A window too small for its margins is filled without them.
  const double room = width > 2 * margin ? width - 2.0 * margin : width;
  const double roomdown = height > 2 * margin ? height - 2.0 * margin : height;
  zoom_ = clampzoom(std::min({room / std::max(box.width(), 1),
                              roomdown / std::max(box.height(), 1), largest}));
  panx_ = width / 2.0 - zoom_ * (box.left + box.right + 1) / 2.0;
  pany_ = height / 2.0 - zoom_ * (box.top + box.bottom + 1) / 2.0;
}

void tviewtransform::showwhole(const tbox& box, int width, int height,
                               int margin) {
  if (box.width() + 2 * margin > width || box.height() + 2 * margin > height) {
    fit(box, width, height, margin);
    return;
  }
  zoom_ = 1.0;
  panx_ = 0.0;
  pany_ = 0.0;
  keepinview(box, width, height, margin);
}

void tviewtransform::keepinview(const tbox& box, int width, int height,
                                int margin) {
  panx_ = panintoview(panx_, box.left * zoom_, (box.right + 1) * zoom_, width,
                      margin);
  pany_ = panintoview(pany_, box.top * zoom_, (box.bottom + 1) * zoom_, height,
                      margin);
}

void tviewtransform::turnfurther(const tmatrix3& turn) {
  tmatrix3 result{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      for (std::size_t k = 0; k < 3; ++k) {
        result[i][j] += turn[i][k] * turn_[k][j];
      }
    }
  }
  turn_ = result;
}

void tviewtransform::reset() { *this = tviewtransform(); }

double wheelzoomfactor(double notches) { return std::pow(zoomstep, notches); }

}  // namespace molvane
