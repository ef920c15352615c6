// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"
#include "render/canvas.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace molvane {

class tdrawing;
class tStructure;
class tatm;
struct tbox;

/// A line painted over everything, such as the dipole vector of the
/// molecular-data tool.
struct tvectoroverlay {
  tpoint from;
  tpoint to;
};

/// A short text shown beside an atom, such as its predicted NMR shift.
struct tatomnote {
  const tatm* atom = nullptr;
  std::string text;
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
  /// Texts beside atoms of the drawing painted, on a white background,
  /// over the symbols and under the overlay.
  std::vector<tatomnote> notes;
  /// Labels of chemical atoms drawn in black take the colour of their
  /// element (2D drawing only).
  bool colourbyelement = false;
  /// Called afterwards, when set, so that the front end handles pending
  /// events.
  std::function<void()> processmessages;
  /// The turn of the window's 3D view: in the 3D draw modes the model is
  /// painted turned by it about its centre. The drawing keeps its own
  /// coordinates.
  std::optional<tmatrix3> turn;
};

inline constexpr tcolour overlaycolour = 0x808080;
/// The ring painted round an atom over its valence.
inline constexpr tcolour valenceflagcolour = 0x0000FF;
/// Its radius in pixels.
inline constexpr int valenceflagradius = 8;

/// The box the notes cover when painted on canvas in the drawing's
/// default font; none without notes.
std::optional<tbox> notesbox(const tdrawing& drawing, tcanvas& canvas,
                             const std::vector<tatomnote>& notes);

/// True for the draw modes that show the model in 3D rather than as the 2D
/// drawing: every mode but 0, the stereo pairs included.
bool isdrawmode3d(int drawmode);

/// The name of a structure in the drawing: its phase prefix ("Gas_",
/// "Sol_", "Liq_", "X_") and its 1-based place in the structures.
std::string structurelabel(const tdrawing& drawing,
                           const tStructure& structure);

/// Paints the whole drawing on canvas, in this order: the structures' amount
/// and phase texts (when the drawing shows them), their names (likewise),
/// the bonds and then the atoms (as 3D figures or a stereo pair in the
/// draw modes other than 0), the aromatic circles of rings of ring
/// style 6 or 7 (in draw modes 0, 12, 15 and 18 only), the symbols, and
/// the notes and the overlay. Multiple bonds are refreshed from their atoms
/// first. A turn of the options is undone afterwards, bond refreshes included.
void paintdrawing(tdrawing& drawing, tcanvas& canvas,
                  const tpaintoptions& options = {});

}  // namespace molvane
