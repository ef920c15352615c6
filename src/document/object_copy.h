// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom.h"
#include "model/bond.h"

#include <memory>

namespace molvane {

/// An atom of the same kind as source with every property a copy of the
/// document keeps (not the last neighbour search, the force-field data or
/// the NMR shift shown).
std::unique_ptr<tatm> copyatom(const tatm& source);

/// Whether copyatom gives the same atom for a and b: every field it copies
/// is equal, reals bit for bit.
bool samecopy(const tatm& a, const tatm& b);

/// Whether two links are equal in every field but their ends, reals bit
/// for bit.
bool samefields(const tlink& a, const tlink& b);

}  // namespace molvane
