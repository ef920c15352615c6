// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom.h"
#include "model/atom_list.h"
#include "model/vector3.h"

#include <cmath>
#include <vector>

namespace molvane {

namespace detail {

/// The unit vector at degrees in the drawing plane (y grows downwards, so
/// 90 points down the screen).
TXYZ planedirection(double degrees);
/// a turned by degrees in the drawing plane; z is kept.
TXYZ turnedinplane(const TXYZ& a, double degrees);

}  // namespace detail

/// The direction of (dx, dy) in whole degrees (ties to even), reduced to
/// 0 <= a < 360; 0 for a zero vector.
int wholedegrees(double dx, double dy);

/// Snaps the direction of a branch from an atom without neighbours to the
/// eight directions of a square grid: 30 <= a < 60 gives 45, 60 <= a < 121
/// gives 90, ... 301 <= a < 330 gives 315, anything else 0.
int isolatedbranchsector(int degrees);

/// Snaps to multiples of 30 degrees: 15 <= a < 45 gives 30, ... 315 <= a <
/// 345 gives 330, anything else 0.
int thirtydegreesector(int degrees);

/// The screen axis nearest to a direction: right (1, 0) for a >= 315 or
/// a < 46, down (0, 1) for 46 <= a < 136, left for 136 <= a < 226, up for
/// 226 <= a < 315.
TXYZ screenaxis(int degrees);

/// Turns atoms by degrees about the axis through from directed towards to
/// (right-hand rule), then commits their coordinates. Nothing when the two
/// axis points coincide.
void turnatoms(const std::vector<tatm*>& atoms, const TXYZ& from,
               const TXYZ& to, double degrees);

/// Carbon-carbon and other ideal lengths in drawing units for a bond of
/// kind between two elements, as a bond between such atoms reports them.
double ideallengthof(int element1, int element2, int kind);

}  // namespace molvane
