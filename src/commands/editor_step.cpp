// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/editor_step.h"

#include "document/session.h"

namespace molvane {

bool teditorstep::beforechange() {
  tsession& current = session();
  // The newest undo step is still ours only while the history did nothing
  // else since (the address of its drawing may come back for another step)
  // and the drawing is the one it was taken of.
  if (joined_ && current.history().changes() == historychanges_ &&
      current.drawingserial() == drawingserial_) {
    return false;
  }
  current.takeundosnapshot(caption_);
  joined_ = true;
  historychanges_ = current.history().changes();
  drawingserial_ = current.drawingserial();
  return true;
}

void teditorstep::restart() { joined_ = false; }

}  // namespace molvane
