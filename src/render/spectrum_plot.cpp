// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/spectrum_plot.h"

#include "model/atom.h"
#include "render/canvas.h"
#include "support/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace molvane {

namespace {

constexpr int ticklength = 5;
constexpr double tickppm = 10.0;
constexpr int yticks = 10;
constexpr const char* axistitle = "Shifts in ppm";

/// value rounded and cut to a multiple of ten toward zero.
double wholetens(double value) {
  return std::trunc(std::round(value) / 10.0) * 10.0;
}

/// A tick step of 1, 2 or 5 times a power of ten, the smallest not below
/// at least.
double roundstep(double at_least) {
  const double power = std::pow(10.0, std::floor(std::log10(at_least)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= at_least) {
      return factor * power;
    }
  }
  return 10.0 * power;
}

}  // namespace

TSpecPlot::TSpecPlot(int width, int height, double a, double b)
    : width_(width), height_(height), a_(a), b_(b) {}

void TSpecPlot::fitaxis(std::span<const tspectrumline> lines, double low,
                        double high) {
  if (fitshifts_) {
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (const tspectrumline& line : lines) {
      if (std::isfinite(line.shift)) {
        lowest = std::min(lowest, line.shift);
        highest = std::max(highest, line.shift);
      }
    }
    if (lowest <= highest) {
      // A single line, or lines close together, still get a readable axis.
      tickstep_ = roundstep(std::max(highest - lowest, 1.0) / 8.0);
      axislow_ = std::floor(lowest / tickstep_ - 0.5) * tickstep_;
      axishigh_ = std::ceil(highest / tickstep_ + 0.5) * tickstep_;
      setscale();
      return;
    }
  }
  tickstep_ = tickppm;
  for (const tspectrumline& line : lines) {
    if (!std::isfinite(line.shift)) {
      continue;
    }
    if (line.shift < low) {
      low = line.shift;
    } else if (line.shift > high) {
      high = line.shift;
    }
  }
  axislow_ = wholetens(low) - tickppm;
  axishigh_ = wholetens(high) + tickppm;
  setscale();
}

void TSpecPlot::setscale() {
  const double range = axishigh_ - axislow_;
  xscale_ = -(width_ - 2.0 * leftmargin) / range;
  xoffset_ =
      ((width_ - leftmargin) * axishigh_ - leftmargin * axislow_) / range;
}

int TSpecPlot::xof(double shift) const {
  return roundhalfeven(shift * xscale_ + xoffset_);
}

int TSpecPlot::heightof(double intensity, double imax) const {
  const double span = height_ - 2.0 * topmargin;
  const double offset = (height_ * b_ - topmargin * a_ - topmargin * b_) / span;
  return roundhalfeven(intensity * span / imax + offset);
}

void TSpecPlot::draw(tcanvas& canvas, std::span<const tspectrumline> lines,
                     double low, double high) {
  if (width_ <= 2 * leftmargin || height_ <= 2 * topmargin) {
    return;
  }
  fitaxis(lines, low, high);
  setpen(canvas, tpenstyle::solid, 1, blackcolour);
  drawaxes(canvas);
  double imax = 0.0;
  for (const tspectrumline& line : lines) {
    imax = std::max(imax, line.intensity);
  }
  // Without a positive intensity there is nothing to scale the sticks to.
  if (!(imax > 0.0) || !std::isfinite(imax)) {
    return;
  }
  const int baseline = height_ - topmargin;
  for (const tspectrumline& line : lines) {
    if (!std::isfinite(line.shift) || !(line.intensity >= 0.0)) {
      continue;
    }
    const int x = xof(line.shift);
    canvas.line(x, baseline, x, baseline - heightof(line.intensity, imax));
  }
}

void TSpecPlot::drawaxes(tcanvas& canvas) const {
  const int baseline = height_ - topmargin;
  const int right = width_ - leftmargin;
  canvas.line(leftmargin, baseline, right, baseline);
  canvas.line(leftmargin, topmargin, leftmargin, baseline);

  canvas.setfont(fontrecord::standard());
  canvas.setfontcolour(blackcolour);
  const ttextformat previous = canvas.textformat();
  canvas.settextopaque(false);
  const int span = height_ - 2 * topmargin;
  canvas.settextalign(thorizontalalign::left, tverticalalign::top);
  for (int i = 0; i < yticks; ++i) {
    const int y = roundhalfeven(i * 0.1 * span + topmargin);
    canvas.line(leftmargin, y, leftmargin + ticklength, y);
    const std::string label = formatfixed(0.1 * (yticks - i), 1);
    canvas.textout(leftmargin - 20, y - canvas.textheight(label) / 2, label);
  }

  canvas.settextalign(thorizontalalign::centre, tverticalalign::top);
  const double step = tickstep_ * std::abs(xscale_);
  const int ticks =
      static_cast<int>(std::lround((axishigh_ - axislow_) / tickstep_));
  // Ticks under a whole ppm show their tenths.
  const int decimals = tickstep_ < 1.0 ? 1 : 0;
  for (int i = 1; i <= ticks; ++i) {
    const int x = roundhalfeven(leftmargin + i * step);
    canvas.line(x, baseline, x, baseline + ticklength);
    double value = axishigh_ - tickstep_ * i;
    if (std::abs(value) < 1e-6 * tickstep_) {
      value = 0.0;  // never "-0.0"
    }
    canvas.textout(x, baseline + 10,
                   decimals == 0 ? formatinteger(std::lround(value), 0)
                                 : formatfixed(value, decimals));
    if (x >= right) {
      break;
    }
  }
  canvas.textout(width_ / 2, baseline + 10 + canvas.textheight("8"), axistitle);
  canvas.settextalign(previous.horizontal, previous.vertical);
  canvas.settextopaque(previous.opaque);
}

}  // namespace molvane
