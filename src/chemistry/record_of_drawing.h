// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"

namespace molvane {

class tdrawing;

/// The chemical atoms and bonds of a drawing as a record: coordinates in
/// ångström with y upwards, every atom's total hydrogen count (implicit
/// ones and bonded hydrogen atoms), charges, isotopes and bond styles.
/// Wedged and hashed bonds run from their narrow end (atom1) to their wide
/// end (atom2).
tmoleculerecord recordofdrawing(const tdrawing& drawing);

}  // namespace molvane
