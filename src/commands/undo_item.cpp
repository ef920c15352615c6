// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/undo_item.h"

#include "document/session.h"

namespace molvane {

void noteedit(tundoitem& item) {
  item.enabled = true;
  item.tag = -1;
}

void notereplaced(tundoitem& item) {
  item.enabled = false;
  item.tag = -1;
}

void chooseundo(tundoitem& item) {
  if (!item.enabled) {
    return;
  }
  if (item.tag == -1) {
    session().undo();
  } else {
    session().redo();
  }
  item.tag = -item.tag;
}

}  // namespace molvane
