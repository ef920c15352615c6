// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/dispatcher.h"

#include "commands/branch_commands.h"
#include "commands/command_codes.h"
#include "commands/command_names.h"
#include "commands/command_table.h"
#include "commands/molecule_commands.h"
#include "document/session.h"

namespace molvane {

namespace {

void repaintnow() {
  session().repaint();
  session().processmessages();
}

}  // namespace

void resetcommand(tcommandstate& state) {
  state.commandcode = nocommand;
  state.linkpicks = {};
}

tcommandresult runcommand(double x, double y, int code, tcommandstate& state) {
  tcommandresult result;
  if (code != nocommand) {
    session().takeundosnapshot(commandname(code));
    result.snapshot = true;
    const tcommandrow* row = findcommand(code);
    if (row != nullptr && row->handler != nullptr) {
      tcommandcontext context{*session().drawing(), session().settings,
                              session().messages(), state.linkpicks};
      result.editlabel = row->handler(context, *row, {x, y});
    }
  }
  repaintnow();
  return result;
}

tatomtoolresult runatomtool(double x, double y, int code, tatomtoolmode mode) {
  tatomtoolresult result;
  result.element = elementofcommand(code);
  if (result.element == 0 || mode == tatomtoolmode::choose) {
    return result;
  }
  session().takeundosnapshot((mode == tatomtoolmode::add ? "Add " : "Branch ") +
                             commandname(code));
  result.snapshot = true;
  // The atom tool leaves any pending Link Atoms pick alone.
  tlinkpicks picks;
  tcommandcontext context{*session().drawing(), session().settings,
                          session().messages(), picks};
  if (mode == tatomtoolmode::add) {
    addsingleatom(context, x, y, result.element);
  } else {
    branchelement(context, x, y, result.element);
  }
  repaintnow();
  return result;
}

}  // namespace molvane
