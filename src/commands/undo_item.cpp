// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/undo_item.h"

#include "document/session.h"

namespace molvane {

namespace {

std::string itemtext(const char* verb, const std::string& caption) {
  return caption.empty() ? std::string(verb)
                         : std::string(verb) + " " + caption;
}

}  // namespace

tundoitems undoitems() {
  const tundohistory& history = session().history();
  tundoitems items;
  items.canundo = history.canundo();
  items.canredo = history.canredo();
  items.undotext = itemtext("Undo", history.undocaption());
  items.redotext = itemtext("Redo", history.redocaption());
  return items;
}

void chooseundo() { session().undo(); }

void chooseredo() { session().redo(); }

}  // namespace molvane
