// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

namespace molvane {

class tcanvas;

/// One stick of a spectrum: its shift in ppm and its intensity in any unit
/// (only the ratio to the strongest stick counts).
struct tspectrumline {
  double shift = 0.0;
  double intensity = 0.0;
};

/// A stick spectrum drawn over a window-sized area: shifts fall from left
/// to right between two margins, intensities rise from the baseline, the
/// strongest stick reaching the top margin.
class TSpecPlot {
 public:
  static constexpr int leftmargin = 40;
  static constexpr int topmargin = 40;

  /// width and height: the area in pixels. a and b set the stick offset c
  /// that lifts every stick a little above the baseline, so that a weak
  /// one still shows.
  TSpecPlot(int width, int height, double a, double b);

  /// Widens the axis from [low, high] to take every line, then to whole
  /// tens plus one ten of room at each end. An area too small to leave
  /// room between the margins draws nothing.
  void draw(tcanvas& canvas, std::span<const tspectrumline> lines, double low,
            double high);
  /// From now on draw spans the axis over the lines' own shifts instead,
  /// with half a tick of room at each end and ticks of 1, 2 or 5 times a
  /// power of ten, about five to ten of them; low and high then count only
  /// when no line has a shift.
  void fitshifts() { fitshifts_ = true; }
  /// The ppm between ticks of the axis draw fitted last.
  double tickstep() const { return tickstep_; }

  /// The axis draw fitted last, in ppm.
  double axislow() const { return axislow_; }
  double axishigh() const { return axishigh_; }
  /// Where a shift lies across the area, for the axis draw fitted last.
  int xof(double shift) const;
  /// The pixel height of a stick of the given intensity, for the strongest
  /// intensity imax.
  int heightof(double intensity, double imax) const;

 private:
  void fitaxis(std::span<const tspectrumline> lines, double low, double high);
  void setscale();
  void drawaxes(tcanvas& canvas) const;

  int width_;
  int height_;
  double a_;
  double b_;
  bool fitshifts_ = false;
  double tickstep_ = 10.0;
  double axislow_ = 0.0;
  double axishigh_ = 0.0;
  double xscale_ = 0.0;
  double xoffset_ = 0.0;
};

}  // namespace molvane
