// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/editor_step.h"

#include "document/session.h"

namespace molvane {

bool teditorstep::beforechange() {
  tsession& current = session();
  // The newest undo step is still ours only while nobody else took one and
  // the drawing is the one it was taken of.
  if (undodrawing_ != nullptr && current.undodrawing() == undodrawing_ &&
      current.drawingserial() == drawingserial_) {
    return false;
  }
  current.takeundosnapshot(caption_);
  undodrawing_ = current.undodrawing();
  drawingserial_ = current.drawingserial();
  return true;
}

void teditorstep::restart() { undodrawing_ = nullptr; }

}  // namespace molvane
