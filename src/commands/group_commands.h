// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace molvane {

struct tcommandcontext;

class tStructure;

/// A group the Branch menu and Branch/Group build, by command code and the
/// caption its menu item shows.
struct tgrouprow {
  int code;
  std::string_view caption;
};

/// Every group: the Branch/Group rows and "=N=O", "CN", "CO", "=NOH".
std::span<const tgrouprow> grouprows();

/// Branches the group of code from the atom nearest to the click: a carbon
/// skeleton (chain, straight chain, isopropyl or tert-butyl shape) whose
/// atoms then take their elements, hydrogens shown, and whose bonds take
/// their kinds. The new atoms and bonds form one new structure. "No Atoms"
/// on an empty drawing; null for an anchor that takes no branch and for a
/// code that names no group.
tStructure* branchgroup(tcommandcontext& context, double x, double y, int code);

}  // namespace molvane
