// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"

#include <string_view>
#include <vector>

namespace molvane {

/// An alias a file gives for one atom: the atom's 0-based position and the
/// text that stands for it.
struct tatomalias {
  long atom = -1;
  std::string_view text;
};

/// Replaces each pseudo atom that carries an alias by the group the alias
/// names ("NO2", "COOH", "OMe", ...): the atom becomes the group's first
/// atom, the others are appended to the atom list and bonded inside the
/// group, pointing away from the atom's first neighbour. An alias the table
/// does not know becomes the atom's label. Aliases of real atoms or of
/// positions outside the atom list are ignored.
void expandaliases(tmoleculerecord& record,
                   const std::vector<tatomalias>& aliases);

}  // namespace molvane
