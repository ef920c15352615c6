// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

namespace molvane {

struct tbox;

/// A point in drawing or in window pixels, y downwards.
struct tviewpoint {
  double x = 0.0;
  double y = 0.0;
};

/// How the window shows the drawing: a zoom factor and a pan offset that
/// map drawing coordinates to window pixels, and in the 3D draw modes a
/// turn of the model about its centre. Only the view changes; the drawing's
/// coordinates never do, so nothing of it reaches a saved file.
///
/// window = drawing × zoom + pan. The zoom stays within smallestzoom ..
/// largestzoom whatever is asked.
class tviewtransform {
 public:
  static constexpr double smallestzoom = 0.05;
  static constexpr double largestzoom = 20.0;
  /// The most a drawing just opened or a model just built is enlarged
  /// when it is fitted: a small molecule stays a drawing, not a poster.
  static constexpr double largestfitzoom = 1.5;

  double zoom() const { return zoom_; }
  double panx() const { return panx_; }
  double pany() const { return pany_; }
  /// The turn of the 3D view, applied about the model's centre.
  const tmatrix3& turn() const { return turn_; }
  /// Whether the 3D view is turned away from the drawing's own axes.
  bool turned() const;

  tviewpoint toscreen(tviewpoint drawing) const;
  tviewpoint todrawing(tviewpoint screen) const;

  /// Multiplies the zoom by factor, keeping the drawing point under the
  /// window point about where it is. Factors that are not positive and
  /// finite do nothing.
  void zoomabout(double factor, tviewpoint about);
  /// Moves the picture by (dx, dy) window pixels.
  void panby(double dx, double dy);
  /// Turns the 3D view like a trackball for a drag of (dx, dy) pixels.
  void turnby(double dx, double dy);
  /// Turns the 3D view further by turn, after the turn it has.
  void turnfurther(const tmatrix3& turn);

  /// Zooms and pans so that box (drawing coordinates) fills a window of
  /// width × height pixels, centred, with margin pixels left free on every
  /// side, but never enlarged past largest.
  void fit(const tbox& box, int width, int height, int margin,
           double largest = largestzoom);
  /// Shows box whole at zoom 1 when it fits, moved in from the edges only
  /// as far as needed; a larger box is fitted. The turn is kept.
  void showwhole(const tbox& box, int width, int height, int margin);
  /// Pans, without zooming, so that box is inside the window, or, when it
  /// is larger than the window, so that its left and top edges show.
  void keepinview(const tbox& box, int width, int height, int margin);
  /// Zoom 1, no pan, no turn.
  void reset();

 private:
  double zoom_ = 1.0;
  double panx_ = 0.0;
  double pany_ = 0.0;
  tmatrix3 turn_{{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};
};

/// The zoom factor of a turn of the mouse wheel by notches (negative
/// towards the user): 10 % per notch.
double wheelzoomfactor(double notches);

}  // namespace molvane
