// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/branch_commands.h"

#include "chemistry/branch_position.h"
#include "chemistry/build_geometry.h"
#include "commands/build_messages.h"
#include "commands/click_anchor.h"
#include "commands/command_table.h"
#include "document/drawing.h"
#include "model/bond.h"

#include <memory>

namespace molvane {

namespace {

using detail::dot;
using detail::plus;
using detail::pointof;
using detail::times;

double bondlength(const tcommandcontext& context) {
  return context.settings.bondlength;
}

tStructure* firststructureof(const tdrawing& drawing, const tatm* atom) {
  for (tStructure* structure : drawing.structures) {
    if (structure->hasatom(atom)) {
      return structure;
    }
  }
  return nullptr;
}

}  // namespace

tbranch attachcarbon(tcommandcontext& context, tatm& anchor,
                     const TXYZ& position) {
  tdrawing& drawing = context.drawing;
  tStructure* home = firststructureof(drawing, &anchor);
  tatm* atom = drawing.addatom(
      std::make_unique<tatm>(6, nolabel, position.x, position.y, position.z));
  tbond* bond = drawing.addbond(
      std::make_unique<tbond>(&anchor, 0, tbondstyle::normal, 2, atom));
  if (home != nullptr) {
    home->atoms.add(atom);
    home->bonds.add(bond);
  }
  return {atom, bond};
}

tbranch branchfrom(tcommandcontext& context, tatm& anchor, double x, double y) {
  std::optional<TXYZ> position = branchposition(anchor, x, y);
  if (!position) {
    return {};
  }
  return attachcarbon(context, anchor, *position);
}

void orientlabel(tatm& atom, const tatm& neighbour) {
  if (atom.element == 8 || atom.element == 16) {
    atom.direction = atom.x < neighbour.x ? -1 : 1;
  }
}

tbranch branchelementfrom(tcommandcontext& context, tatm& anchor, double x,
                          double y, int element) {
  tbranch branch = branchfrom(context, anchor, x, y);
  if (!branch) {
    return branch;
  }
  branch.atom->changeelement(element, hydrogenlabel);
  orientlabel(*branch.atom, anchor);
  branch.bond->adjustlength(1);
  return branch;
}

tbranch branchatom(tcommandcontext& context, double x, double y) {
  tatm* anchor = clickanchor(context, x, y, noatomsmessage);
  if (anchor == nullptr) {
    return {};
  }
  tbranch branch = branchfrom(context, *anchor, x, y);
  if (branch) {
    branch.bond->adjustlength(1);
  }
  return branch;
}

tbranch branchelement(tcommandcontext& context, double x, double y,
                      int element) {
  tatm* anchor = clickanchor(context, x, y, noatomsmessage);
  if (anchor == nullptr) {
    return {};
  }
  return branchelementfrom(context, *anchor, x, y, element);
}

tbranch branchdeuterium(tcommandcontext& context, double x, double y) {
  tbranch branch = branchelement(context, x, y, 1);
  if (branch) {
    branch.atom->setdeuterium();
  }
  return branch;
}

tbranch branchalongaxis(tcommandcontext& context, double x, double y,
                        int element, bool bare) {
  tatm* anchor = clickanchor(context, x, y, noatomsmessage);
  if (anchor == nullptr) {
    return {};
  }
  tbranch branch = branchelementfrom(context, *anchor, x, y, element);
  if (!branch) {
    return branch;
  }
  const TXYZ axis = screenaxis(wholedegrees(x - anchor->x, y - anchor->y));
  const TXYZ position =
      plus(pointof(*anchor), times(axis, bondlength(context)));
  branch.atom->setxyz(position.x, position.y, position.z);
  branch.bond->refresh();
  // The move may have put the atom on the other side of its anchor.
  orientlabel(*branch.atom, *anchor);
  if (bare) {
    branch.atom->setlabelmode(nolabel);
  }
  return branch;
}

tbranch branchdoublebonded(tcommandcontext& context, double x, double y,
                           int element) {
  tatm* anchor = clickanchor(context, x, y, noatomsmessage);
  if (anchor == nullptr) {
    return {};
  }
  if (context.settings.build3d && anchor->ischemical() &&
      anchor->findneighbours() == 2) {
    // The anchor becomes a trigonal centre, whose third bond lies on the
    // open side of the other two: a click inside their angle, which may
    // pick the inner side in a flat drawing, is mirrored through the
    // anchor.
    const TXYZ towards{x - anchor->x, y - anchor->y, 0.0};
    if (dot(openbisector(*anchor), towards) < 0.0) {
      x = anchor->x - towards.x;
      y = anchor->y - towards.y;
    }
  }
  tbranch branch = branchelementfrom(context, *anchor, x, y, element);
  if (!branch) {
    return branch;
  }
  if (element == 6) {
    branch.atom->setlabelmode(nolabel);
  }
  branch.bond->setkindstyle(4, tbondstyle::centred);
  branch.bond->side = 1;
  // A double bond is shorter than the single bond it was built as.
  branch.bond->adjustlength(1);
  return branch;
}

}  // namespace molvane
