// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

namespace molvane {

/// One item of a command menu or a button of the symbol tool: its caption
/// ("&" marks the access key; a symbol-tool button's caption is its name)
/// and the command code it sets. name, when set, is what the user knows the
/// command by, where the caption alone says too little.
struct tcommanditem {
  const char* caption;
  int code;
  const char* name = nullptr;
};

/// The lists of command items, each in the order its menu shows them.
enum class tcommandmenu {
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
};

std::span<const tcommanditem> commanditems(tcommandmenu menu);

/// The name of a command code for the user: "Ring 6" for Ring/Add/"&6",
/// "Fuse Ring 6", "Add NO2" (the molecule) beside "NO2" (the group), the
/// element symbol for a periodic-table code. Every code a menu item or
/// button sets has a name of its own; other codes give "".
std::string commandname(int code);

}  // namespace molvane
