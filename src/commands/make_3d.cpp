// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/make_3d.h"

#include "document/drawing.h"
#include "document/session.h"

namespace molvane {

tembedresult runmake3d(tembedsettings settings) {
  tsession& current = session();
  current.takeundosnapshot("Make 3D");
  tprogress& progress = current.progress();
  progress.setrange(0, settings.conformers);
  settings.progress = [&progress](int, int) { progress.step(1); };
  settings.processmessages = [&current] { current.processmessages(); };
  tembedresult result = embedmolecule(*current.drawing(), settings);
  progress.reset();
  if (!result.error.empty()) {
    current.messages().error(result.error);
  } else if (!result.warning.empty()) {
    current.messages().warn(result.warning);
  }
  current.repaint();
  return result;
}

}  // namespace molvane
