// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

namespace molvane {

class TFragment;

/// Fills every chemical atom's qpartial from electronegativity differences
/// along the bonds: each sweep moves charge from the less to the more
/// electronegative end of every bond, by half as much as the sweep before,
/// and the electronegativities follow the charges. Formal charges are the
/// starting values. Atoms of element 0 or below (unnamed points, R) keep
/// their formal charge and pass no charge on.
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

}  // namespace molvane
