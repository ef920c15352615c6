// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

/// The Edit menu's one item that undoes and redoes: it swaps the current
/// drawing with the session's undo or redo copy and turns round each time.
struct tundoitem {
  bool enabled = false;
  /// -1: the item undoes; 1: it redoes.
  int tag = -1;
  /// "Undo" or "Redo".
  const char* caption() const { return tag == -1 ? "Undo" : "Redo"; }
};

/// An edit took the undo snapshot (a command, a key, a drag): the item
/// undoes it, even right after an Undo, whose redo copy the edit outdated.
void noteedit(tundoitem& item);

/// New or Open gave the session fresh copies equal to the drawing: there is
/// nothing to undo until the next edit.
void notereplaced(tundoitem& item);

/// Choosing the item: undoes or redoes in the session and turns the item
/// round. A disabled item changes nothing.
void chooseundo(tundoitem& item);

}  // namespace molvane
