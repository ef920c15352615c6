// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/canvas.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace molvane {

class tdrawing;
class tStructure;

/// A line painted over everything, such as the dipole vector of the
/// molecular-data tool.
struct tvectoroverlay {
  tpoint from;
  tpoint to;
};

/// What the window or an export wants besides the drawing itself.
struct tpaintoptions {
  /// When set, this box (left, top, right, bottom; right and bottom just
  /// outside) is filled white before painting.
  std::optional<std::array<int, 4>> background;
  /// Paint the label atoms a second time, over everything else.
  bool labelsontop = false;
  /// Hide that second pass of the labels.
  bool hidelabels = false;
  std::optional<tvectoroverlay> overlay;
  /// Paints atoms and bonds in the 3D draw modes; without it those modes
  /// are painted as in 2D.
  std::function<void(tdrawing&, tcanvas&)> paint3d;
  /// Let the front end handle pending events afterwards.
  bool processmessages = false;
};

inline constexpr tcolour overlaycolour = 0x808080;

/// True for the draw modes (stereo pairs included) that paint atoms and
/// bonds as 3D figures rather than as the 2D drawing.
bool isdrawmode3d(int drawmode);

/// The name of a structure in the drawing: its phase prefix ("Gas_",
/// "Sol_", "Liq_", "X_") and its 1-based place in the structures.
std::string structurelabel(const tdrawing& drawing,
                           const tStructure& structure);

/// Paints the whole drawing on canvas, in this order: the structures' amount
/// and phase texts (when the drawing shows them), their names (likewise),
/// the bonds and then the atoms, the aromatic circles of rings of ring
/// style 6 or 7 (in draw modes 0, 12, 15 and 18 only), the symbols, and
/// the overlay. Multiple bonds are refreshed from their atoms first.
void paintdrawing(tdrawing& drawing, tcanvas& canvas,
                  const tpaintoptions& options = {});

}  // namespace molvane
