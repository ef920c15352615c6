// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/measurement.h"

#include <array>
#include <optional>

namespace molvane {

class tatm;
class tdrawing;

/// The measurements of the "Geometry" choice, in the order of the window.
enum class tmeasurekind {
  bondlength,
  bondangle,
  torsionangle,
  distance,
  bondenergy
};
inline constexpr int measurekinds = 5;

/// Which kinds can pick something in the drawing: bond length and energy
/// need a bond, angles and torsions a term of the force field, distances
/// an atom. All false when the force field refuses the drawing.
std::array<bool, measurekinds> availablemeasurements(tdrawing& drawing);

/// The first atom of a distance while the second is awaited.
struct tdistancestate {
  tatm* first = nullptr;
};

/// Measures at the drawing point (x, y):
/// - bond length: the chemical bond with the nearest midpoint, drawn over
///   in red, its length in Å at its midpoint;
/// - bond angle: the bend of the force field whose point (a + b + 4 centre)
///   / 6 is nearest (the earlier of equal ones), both bonds drawn over in
///   blue, the angle in degrees one pixel right of and below the centre;
/// - torsion angle: the torsion whose four atoms' centroid is nearest, its
///   bonds in blue, the angle in degrees at the middle of its central bond;
/// - distance: the first click keeps the nearest atom and shows it, the
///   second shows a dotted blue line to the nearest atom and the distance
///   in Å at its middle in the first atom's font; the same atom twice
///   starts again;
/// - bond energy: the nearest chemical bond's Morse energy in cal.
/// None when there is nothing of the kind to pick.
std::optional<tmeasurement> measureat(tdrawing& drawing, tmeasurekind kind,
                                      double x, double y,
                                      tdistancestate& distance);

}  // namespace molvane
