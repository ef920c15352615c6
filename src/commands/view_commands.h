// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <vector>

namespace molvane {

class tdrawing;

/// Degrees the model turns for every pixel the pointer is dragged.
inline constexpr double dragdegreesperpixel = 0.5;

/// Turning the 3D view with the mouse, like a trackball: the model turns
/// about the drawing's centre with every move, and the whole drag becomes
/// one undo step when it ends.
class tviewdrag {
 public:
  /// Starts at the pointer position (x, y) on the current drawing.
  tviewdrag(int x, int y);

  /// Turns the model for a move of the pointer to (x, y).
  void moveto(int x, int y);

  /// Ends the drag. When the model turned, the undo copy is taken of the
  /// drawing as it was before the drag, and the turned drawing stays. True
  /// when the drawing changed. Nothing happens when the drawing was
  /// replaced or lost atoms during the drag.
  [[nodiscard]] bool finish();

 private:
  /// Whether the current drawing is still the one the drag started on.
  bool samedrawing() const;

  tdrawing* drawing_;
  std::vector<TXYZ> start_;
  TXYZ centre_;
  int x_;
  int y_;
  bool turned_ = false;
};

/// Scales every point of the drawing by factor about the centre of its
/// chemical atoms, as a zoom of the view; fixed atoms move too. Factors
/// that are not positive do nothing.
void zoomdrawing(tdrawing& drawing, double factor);

/// The zoom factor of a turn of the mouse wheel by notches (negative
/// towards the user): 10 % per notch.
double wheelzoomfactor(double notches);

}  // namespace molvane
