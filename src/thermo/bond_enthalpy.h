// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace molvane {

class tforcefield;

/// The dissociation energy (cal/mol, from the ground state) that the
/// thermochemistry counts for each stretch of a set-up force field, in the
/// order of its stretch list. Most bonds keep the force field's well depth;
/// the multiple and charge-separated bonds of a few small molecules (O2,
/// CO, CO2, N2O, ozone, SO2), whose bonding the element pair and order
/// alone describe badly, take values from standard atomisation energies,
/// so that the molecule as a whole has its measured one.
std::vector<double> bonddissociationdepths(tforcefield& field);

/// The atoms bonded to each atom of a set-up force field (indices into its
/// atom list), by its stretches.
std::vector<std::vector<std::int32_t>> stretchneighbours(tforcefield& field);

}  // namespace molvane
