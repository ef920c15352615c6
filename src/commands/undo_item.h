// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace molvane {

/// What the Edit menu's Undo and Redo items say and whether they can be
/// chosen, from the session's history: "Undo Ring 6", "Redo Add Hs 3D";
/// plain "Undo" or "Redo" for a step without a name.
struct tundoitems {
  bool canundo = false;
  bool canredo = false;
  std::string undotext = "Undo";
  std::string redotext = "Redo";
};

tundoitems undoitems();

/// Undo and Redo as the Edit menu chooses them: one step back or forward
/// in the session's history; nothing when there is none.
void chooseundo();
void chooseredo();

}  // namespace molvane
