// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace molvane {

class tatm;
class tcanvas;
class tdrawing;
class TFragment;

/// A box of pixels; right and bottom are the last pixels inside.
struct tbox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  /// Grows the box to cover the other box.
  void include(const tbox& other);
  void include(int x, int y) { include(tbox{x, y, x, y}); }
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
  friend bool operator==(const tbox&, const tbox&) = default;
};

/// The box an atom's label covers when drawn on canvas, measured with the
/// atom's font; none when the atom draws no text. Selects the atom's font
/// into the canvas.
std::optional<tbox> labelbox(const tatm& atom, tcanvas& canvas,
                             const tdrawing& drawing);

/// Stores in the fragment's `frame` (left, top, right, bottom) the box of
/// its atoms' points and labels; an empty fragment gets (0, 1, 0, 1).
void calcframe(TFragment& fragment, tcanvas& canvas, const tdrawing& drawing);

/// The box painting the drawing covers (bonds, labels, annotations,
/// circles, symbols) and every atom's point, widened by margin pixels on
/// every side; text is measured with canvas. Painting it this way
/// refreshes the bonds as a repaint does. None for a drawing without atoms.
std::optional<tbox> drawingextent(tdrawing& drawing, tcanvas& canvas,
                                  int margin);

}  // namespace molvane
