// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/link_atoms.h"

#include "commands/build_messages.h"
#include "commands/click_anchor.h"
#include "commands/command_table.h"
#include "document/drawing.h"
#include "document/messages.h"
#include "model/bond.h"

#include <memory>

namespace molvane {

namespace {

bool bonded(const tdrawing& drawing, const tatm* a, const tatm* b) {
  for (const tbond* bond : drawing.bondsof(a)) {
    if (bond->other(a) == b) {
      return true;
    }
  }
  return false;
}

}  // namespace

tbond* linkatoms(tcommandcontext& context, double x, double y) {
  tlinkpicks& picks = context.linkpicks;
  tdrawing& drawing = context.drawing;
  if (picks.first != nullptr && drawing.positionof(picks.first) < 0) {
    picks.first = nullptr;
  }
  tatm* picked = clickanchor(context, x, y, noatomsmessage);
  if (picked == nullptr || !picked->ischemical()) {
    return nullptr;
  }
  if (picks.first == nullptr) {
    picks.first = picked;
    return nullptr;
  }
  if (picked == picks.first) {
    context.messages.inform(movepointermessage);
    return nullptr;
  }
  tatm* first = picks.first;
  picks.first = nullptr;
  if (bonded(drawing, first, picked)) {
    return nullptr;
  }
  tbond* bond = drawing.addbond(
      std::make_unique<tbond>(first, 0, tbondstyle::normal, 2, picked));
  for (tStructure* structure : drawing.structures) {
    if (structure->hasatom(first) && structure->hasatom(picked)) {
      structure->bonds.add(bond);
    }
  }
  return bond;
}

}  // namespace molvane
