// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

namespace molvane {

class TFragment;

/// Fills every chemical atom's qpartial: its formal charge, and for a
/// neutral atom its share of the electronegativity differences with the
/// fragment's other neutral atoms, weighted steeply by distance
/// (`equilibratecharges`). The charges add up to the formal charges.
/// Nothing but the formal charges for fewer than two chemical atoms.
void equilibratepartialcharges(TFragment& fragment);

/// A dipole moment in debye.
struct tdipole {
  /// Points from the negative to the positive end (the physicists' sign),
  /// in the drawing's axes (x right, y down, z towards the viewer).
  TXYZ vector;
  /// |vector|; 0 when the vector is negligible.
  double debye = 0.0;
};

/// The dipole of the chemical atoms' qpartial about the fragment's
/// centroid. Zero for fewer than two chemical atoms or a vector below
/// 0.003 D.
tdipole dipolemoment(const TFragment& fragment);

/// The molecule's dipole as the molecular data window and `info` report
/// it: the charges' dipole (dipolemoment) plus a lone-pair moment on each
/// neutral N, O, F and Cl whose hydrogens are all drawn, along the sum of
/// the unit vectors to its bonded atoms and weighted per element and bond
/// count. The weights were fitted to the gas-phase moments of ten small
/// molecules; the charges alone fall far short where lone pairs dominate
/// (ammonia, nitriles, pyridine). Zero as dipolemoment is.
tdipole moleculedipole(const TFragment& fragment);

}  // namespace molvane
