// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/link_atoms.h"

#include <cstdint>

namespace molvane {

class tLAtm;

/// The window's command state: the code the next click runs (0: none) and
/// the pending pick of Link Atoms. The code stays set, so every click
/// repeats the command, until a menu choice replaces it or resetcommand
/// clears it.
struct tcommandstate {
  std::uint16_t commandcode = 0;
  tlinkpicks linkpicks;
};

/// Undo, Reset and the optimiser clear the command and any pending pick.
void resetcommand(tcommandstate& state);

/// What a click did, for the window to follow up.
struct tcommandresult {
  /// An undo snapshot was taken: the drawing counts as modified, Reset and
  /// Undo become available and the Undo item reads "Undo" again.
  bool snapshot = false;
  /// A new text label the text editor should open on (codes 607, 608,
  /// 613); null otherwise.
  tLAtm* editlabel = nullptr;
};

/// The left click in drawing mode at (x, y) with command code. A code other
/// than 0 first takes the undo snapshot; then the building routine of the
/// code runs at the click (codes without a routine build nothing, and the
/// periodic-table codes 801 .. 903 belong to the atom tool); finally the
/// drawing is repainted and pending window events run. Messages go through
/// the session's messages.
tcommandresult runcommand(double x, double y, int code, tcommandstate& state);

/// The sub-modes of the atom tool (the periodic table in the drawing).
enum class tatomtoolmode {
  add,     ///< Atom/Add ...: a new atom at the click
  branch,  ///< Atom/Branch ...: a new atom bonded to the nearest one
  choose,  ///< the atom editor's element choice: nothing is built
};

struct tatomtoolresult {
  bool snapshot = false;
  /// The element chosen (1 .. 103); 0 for a code outside 801 .. 903.
  int element = 0;
};

/// The mouse release in atom-tool mode with a periodic-table code
/// (atomic number = code - 800). Add and branch take the undo snapshot,
/// build and repaint; choose only reports the element. Other codes are
/// ignored.
tatomtoolresult runatomtool(double x, double y, int code, tatomtoolmode mode);

}  // namespace molvane
