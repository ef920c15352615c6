// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/block_cholesky.h"

#include <cstddef>
#include <span>

namespace molvane {

class tforcefield;

/// The stiffness of the bonds and bond angles at the positions xyz, over the
/// atoms whose coordinates start at the offsets freeat (in that order),
/// factored. It is the curvature of the stretches and bends where each sits
/// at its reference, so it is positive whatever the geometry; the soft
/// parts (torsions, pairs) are stood in for by a uniform share of the mean
/// stiffness. A quasi-Newton descent takes its inverse as its first
/// estimate of the curvature. Unfactored when it cannot be made.
tblockcholesky bondedstiffness(tforcefield& field, std::span<const double> xyz,
                               std::span<const std::size_t> freeat);

}  // namespace molvane
