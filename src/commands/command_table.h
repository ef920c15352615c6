// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace molvane {

class tdrawing;
class tLAtm;
class tmessages;
struct tlinkpicks;
struct tsettings;

/// Where a command code comes from, and so which menu or tool lists it.
/// The menu families come first, in the order their menus stand.
enum class tcommandfamily {
  atom,         ///< Atom: "&Link Atoms"
  molecules,    ///< Atom/Add Molecule
  hydrides,     ///< Atom/Add AHn, Tags 0 .. 29 in order
  branch,       ///< Branch: single atoms and small groups
  groups,       ///< Branch/Group
  addchain,     ///< Chain/Add
  branchchain,  ///< Chain/Branch
  addring,      ///< Ring/Add: sizes 3 .. 10, boat and chair
  fusering,     ///< Ring/Fuse
  branchring,   ///< Ring/Branch
  joinring,     ///< Ring/Join
  benzene,      ///< Benzene
  symbols,      ///< the symbol tool's buttons
  hidden,       ///< codes no menu sets, which documents and scripts may
  elements,     ///< the periodic table: the atom tool runs these
};

/// What a command acts on: the drawing clicked in, the settings it builds
/// with, where it tells the user and the pending pick of Link Atoms.
struct tcommandcontext {
  tdrawing& drawing;
  const tsettings& settings;
  tmessages& messages;
  tlinkpicks& linkpicks;
};

/// A left click in the drawing, in screen pixels.
struct tclickpoint {
  double x = 0.0;
  double y = 0.0;
};

struct tcommandrow;

/// Builds what row stands for at the click. Returns the new text label the
/// text editor should open on, or null.
using tcommandhandler = tLAtm* (*)(tcommandcontext& context,
                                   const tcommandrow& row, tclickpoint click);

/// One command code. caption is the menu item ("&" marks the access key)
/// or the symbol-tool button's name; name, when set, is what the user
/// knows the command by where the caption alone says too little.
/// parameter is what the code stands for inside its family: the ring size,
/// the chain's carbons, the element, the Tag of a hydride.
struct tcommandrow {
  int code = 0;
  std::string_view caption;
  tcommandfamily family = tcommandfamily::hidden;
  int parameter = 0;
  /// Null for codes the dispatcher runs nothing for (the periodic table's).
  tcommandhandler handler = nullptr;
  std::string_view name = {};
};

/// Every command code, family by family, each family in the order its menu
/// or tool shows it. Code 511 has two rows: Branch/"Bond" and
/// Chain/Branch/"&1-Methyl".
std::span<const tcommandrow> commandrows();
/// The rows of one family, in menu order.
std::span<const tcommandrow> commandrows(tcommandfamily family);
/// The first row of code; null for a code without one.
const tcommandrow* findcommand(int code);
/// The code of the row of family with parameter; 0 when there is none.
int familycode(tcommandfamily family, int parameter);

/// The periodic table's code of an element (1 .. 103), 0 for others.
int elementcommand(int element);
/// The element a periodic-table code stands for; 0 for other codes.
int elementofcommand(int code);

}  // namespace molvane
