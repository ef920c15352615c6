// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/hydrogen_commands.h"

#include "chemistry/hybridization.h"
#include "chemistry/hydrogens.h"
#include "commands/make_3d.h"
#include "document/drawing.h"
#include "document/session.h"

namespace molvane {

const char* hydrogencommandname(thydrogencommand command) {
  switch (command) {
    case thydrogencommand::add2d:
      return "Add Hs 2D";
    case thydrogencommand::add3d:
      return "Add Hs 3D";
    case thydrogencommand::make3d:
      return "Make 3D";
    case thydrogencommand::remove:
      break;
  }
  return "Remove Hs";
}

int applyhydrogencommand(tdrawing& drawing, thydrogencommand command) {
  int count = 0;
  switch (command) {
    case thydrogencommand::add2d:
      count = addhydrogens2d(drawing);
      break;
    case thydrogencommand::add3d: {
      std::string warning;
      count = addhydrogens3d(drawing, warning);
      if (!warning.empty()) {
        session().messages().warn(warning);
      }
      break;
    }
    case thydrogencommand::remove:
      count = removehydrogens(drawing);
      break;
    case thydrogencommand::make3d:
      return 0;
  }
  assignhybridization(drawing);
  return count;
}

int runhydrogencommand(thydrogencommand command) {
  if (command == thydrogencommand::make3d) {
    return runmake3d().hydrogens;
  }
  tsession& current = session();
  current.takeundosnapshot(hydrogencommandname(command));
  const int count = applyhydrogencommand(*current.drawing(), command);
  current.repaint();
  return count;
}

}  // namespace molvane
