// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

namespace molvane {

class TFragment;

/// The axes of rotationmatrix.
inline constexpr int xaxis = 0;
inline constexpr int yaxis = 1;
inline constexpr int zaxis = 2;

/// The matrix of a right-handed turn by degrees about the x, y or z axis
/// (axis 0, 1, 2): about x, y goes towards z; about y, z towards x; about
/// z, x towards y. Any other axis gives the identity.
tmatrix3 rotationmatrix(int axis, double degrees);

/// The matrix of a right-handed turn by degrees about the direction of
/// axis; the identity when axis has no length.
tmatrix3 axisrotationmatrix(const TXYZ& axis, double degrees);

/// The turn a mouse drag by (dx, dy) screen pixels gives a 3D view, like a
/// trackball: the front of the model follows the pointer, by
/// degreesperpixel for every pixel of the drag.
tmatrix3 dragrotationmatrix(double dx, double dy, double degreesperpixel);

/// point turned by matrix about centre.
TXYZ turnpoint(const tmatrix3& matrix, const TXYZ& centre, const TXYZ& point);

/// The inverse of a turn.
tmatrix3 transposed(const tmatrix3& matrix);

/// The turn b, then a.
tmatrix3 product(const tmatrix3& a, const tmatrix3& b);

/// Turns every chemical atom of structure by degrees about the x, y or z
/// axis (0, 1, 2) through the structure's centre, the mean position of
/// its chemical atoms. Screen positions follow.
void rotatestructure(TFragment& structure, int axis, double degrees);

}  // namespace molvane
