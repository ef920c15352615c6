// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_names.h"

#include "commands/command_table.h"

namespace molvane {

namespace {

/// Put before the captions of rows without a name of their own: a bare
/// ring size means nothing in the status bar, and the molecules share
/// formulas with the groups and the hydrides.
std::string_view nameprefix(tcommandfamily family) {
  switch (family) {
    case tcommandfamily::molecules:
      return "Add ";
    case tcommandfamily::hydrides:
      return "AHn ";
    case tcommandfamily::addring:
      return "Ring ";
    case tcommandfamily::fusering:
      return "Fuse Ring ";
    case tcommandfamily::branchring:
      return "Branch Ring ";
    case tcommandfamily::joinring:
      return "Join Ring ";
    default:
      return "";
  }
}

std::string withoutaccesskeys(std::string_view caption) {
  std::string text;
  for (char c : caption) {
    if (c != '&') {
      text += c;
    }
  }
  return text;
}

}  // namespace

std::string commandname(int code) {
  const tcommandrow* row = findcommand(code);
  if (row == nullptr || row->family == tcommandfamily::hidden) {
    return {};
  }
  if (!row->name.empty()) {
    return std::string(row->name);
  }
  return std::string(nameprefix(row->family)) + withoutaccesskeys(row->caption);
}

}  // namespace molvane
