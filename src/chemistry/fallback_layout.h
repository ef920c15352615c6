// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/coordgen_layout.h"
#include "chemistry/molecule_record.h"

#include <vector>

namespace molvane {

/// A quick flat layout for one connected part too large for the library:
/// small rings become regular polygons, everything else a tree spread
/// from its parent at 120 degrees with chains in a zigzag. Rings fused to
/// a ring already placed stretch their bonds. Runs in time linear in the
/// size of the part. Bonds are 1.5 long.
std::vector<tflatpoint> quicklayout(const tmoleculerecord& part);

}  // namespace molvane
