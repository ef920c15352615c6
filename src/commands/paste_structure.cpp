// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/paste_structure.h"

#include "commands/import_document.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/clipboard_payload.h"

#include <string>
#include <utility>

namespace molvane {

bool pastestructure(std::string_view mimetype, std::string_view text) {
  treadresult read = readpastedtext(mimetype, text, session().settings);
  if (read.drawing == nullptr || read.drawing->atoms.empty()) {
    session().messages().error(
        "Paste: " +
        (read.error.empty() ? std::string("no atoms to paste") : read.error));
    return false;
  }
  session().takeundosnapshot("Paste");
  tdrawing& target = *session().drawing();
  placebeside(target, std::move(read.drawing));
  target.saved = false;
  session().repaint();
  return true;
}

}  // namespace molvane
