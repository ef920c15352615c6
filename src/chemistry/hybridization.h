// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tdrawing;

/// The tetrahedral angle in degrees.
inline constexpr double tetrahedralangle = 109.4712206;

/// Stores the hybridisation code of every chemical atom, first to last.
/// Atoms find their bonds through the drawing that holds them.
void assignhybridization(tdrawing& drawing);

/// The ideal bond angle in radians at an atom of the given hybridisation
/// code (0..6) with coordination bonded neighbours. Aromatic atoms (4) get
/// 120 degrees whatever the coordination; combinations without an ideal
/// angle, and codes or coordinations outside the table, give 0. The element
/// and the charge do not change the angle.
double idealangle(int element, int charge, int hybridization, int coordination);

}  // namespace molvane
