// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/dispatcher.h"

#include "commands/branch_commands.h"
#include "commands/chain_commands.h"
#include "commands/command_codes.h"
#include "commands/group_commands.h"
#include "commands/label_commands.h"
#include "commands/molecule_commands.h"
#include "commands/ring_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "document/symbol.h"

#include <array>

namespace molvane {

namespace {

bool within(int code, int first, int last) {
  return code >= first && code <= last;
}

/// The element of the Branch rows that add one atom showing its
/// hydrogens; 0 for other codes.
int branchelementof(int code) {
  switch (code) {
    case hydrogencommand:
      return 1;
    case labelledmethylcommand:
    case hiddenmethylcommand:
      return 6;
    case hydroxycommand:
      return 8;
    case aminocommand:
      return 7;
    case fluorocommand:
      return 9;
    case chlorocommand:
      return 17;
    case bromocommand:
      return 35;
    case thiolcommand:
      return 16;
    case phosphinocommand:
      return 15;
    case iodocommand:
      return 53;
    case selenolcommand:
      return 34;
    case silylcommand:
      return 14;
    case rgroupcommand:
      return -1;
    default:
      return 0;
  }
}

/// A "q-" row: the element branched along a screen axis, and whether its
/// label is switched off afterwards.
struct taxisrow {
  int code;
  int element;
  bool bare;
};

constexpr std::array<taxisrow, 6> axisrows = {{
    {axishydrogencommand, 1, false},
    {axishydroxycommand, 8, false},
    {axismethylcommand, 6, false},
    {axisaminocommand, 7, false},
    {axisrgroupcommand, -1, false},
    {axisbarecommand, 6, true},
}};

const taxisrow* axisrowof(int code) {
  for (const taxisrow& row : axisrows) {
    if (row.code == code) {
      return &row;
    }
  }
  return nullptr;
}

int doublebondedelementof(int code) {
  switch (code) {
    case oxocommand:
      return 8;
    case iminocommand:
      return 7;
    case methylenecommand:
      return 6;
    case thioxocommand:
      return 16;
    default:
      return 0;
  }
}

bool isgroup(int code) {
  for (const tgrouprow& row : grouprows()) {
    if (row.code == code) {
      return true;
    }
  }
  return false;
}

bool ismolecule(int code) {
  for (const tmoleculerow& row : moleculerows()) {
    if (row.code == code) {
      return true;
    }
  }
  return false;
}

/// Runs the building routine of code; returns the label the text editor
/// should open on, if any.
tLAtm* dispatch(double x, double y, int code, tcommandstate& state) {
  if (within(code, firstaddringcommand, lastaddringcommand)) {
    addring(x, y, code - addringbase);
  } else if (code == boatcommand || code == chaircommand) {
    addconformer(x, y, code == chaircommand);
  } else if (within(code, firstfuseringcommand, lastfuseringcommand)) {
    fusering(x, y, code - fuseringbase);
  } else if (within(code, firstbranchringcommand, lastbranchringcommand)) {
    branchring(x, y, code - branchringbase);
  } else if (within(code, firstjoinringcommand, lastjoinringcommand)) {
    joinring(x, y, code - joinringbase);
  } else if (code == dimethylcommand) {
    joindimethyl(x, y);
  } else if (within(code, firstaddchaincommand, lastaddchaincommand)) {
    addchain(x, y, code - addchainbase);
  } else if (code == isobutanecommand || code == isopentanecommand ||
             within(code, ethylenecommand, allenecommand)) {
    addhydrocarbon(x, y, code);
  } else if (code == methylcommand) {
    branchatom(x, y);
  } else if (within(code, firstbranchchaincommand, lastbranchchaincommand)) {
    branchchain(x, y, code - branchchainbase);
  } else if (code == decylcommand) {
    branchchain(x, y, 10);
  } else if (code == isopropylcommand || code == tertbutylcommand ||
             code == isobutylcommand || code == secbutylcommand) {
    branchalkyl(x, y, code);
  } else if (branchelementof(code) != 0) {
    branchelement(x, y, branchelementof(code));
  } else if (code == deuteriumcommand) {
    branchdeuterium(x, y);
  } else if (doublebondedelementof(code) != 0) {
    branchdoublebonded(x, y, doublebondedelementof(code));
  } else if (const taxisrow* axis = axisrowof(code)) {
    branchalongaxis(x, y, axis->element, axis->bare);
  } else if (code == linkatomscommand) {
    linkatoms(x, y, state.linkpicks);
  } else if (isgroup(code)) {
    branchgroup(x, y, code);
  } else if (ismolecule(code)) {
    addmolecule(x, y, code);
  } else if (within(code, firsthydridecommand, lasthydridecommand) ||
             within(code, firstsalthydridecommand, lastsalthydridecommand)) {
    addhydride(x, y, code);
  } else if (code == addbenzenecommand) {
    addbenzene(x, y);
  } else if (code == fusebenzenecommand) {
    fusebenzene(x, y);
  } else if (code == branchphenylcommand) {
    branchphenyl(x, y);
  } else if (within(code, firstsymbolcommand, curvedarrowsymbolcommand)) {
    placesymbol(*session().drawing(), code, x, y);
  } else {
    tLAtm* label = addlabel(x, y, code);
    if (label != nullptr && editsnewlabel(code)) {
      return label;
    }
  }
  return nullptr;
}

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
    session().takeundosnapshot();
    result.snapshot = true;
    result.editlabel = dispatch(x, y, code, state);
  }
  repaintnow();
  return result;
}

tatomtoolresult runatomtool(double x, double y, int code, tatomtoolmode mode) {
  tatomtoolresult result;
  if (!within(code, firstelementcommand, lastelementcommand)) {
    return result;
  }
  result.element = code - elementcommandbase;
  if (mode == tatomtoolmode::choose) {
    return result;
  }
  session().takeundosnapshot();
  result.snapshot = true;
  if (mode == tatomtoolmode::add) {
    addsingleatom(x, y, result.element);
  } else {
    branchelement(x, y, result.element);
  }
  repaintnow();
  return result;
}

}  // namespace molvane
