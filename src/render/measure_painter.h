// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace molvane {

class tatm;
class tcanvas;
class tdrawing;
class tlink;
struct tmeasurement;

/// Units of a bond measurement.
enum class tmeasureunit { angstrom, calories, hertz };

/// The measurement text: 3 decimals and "Å", 1 decimal and "cal", or 2
/// decimals and "Hz", right-aligned in at least 4 characters before the
/// unit.
std::string measuretext(tmeasureunit units, double value);

/// Writes the measurement at the midpoint of the bond's ends (halves
/// truncated) in the canvas's current font and alignment.
void drawbondlength(const tlink& bond, tcanvas& canvas, tmeasureunit units,
                    double value);

/// A dotted blue line between two atoms and their distance in ångström at
/// its rounded midpoint, in the font of a. The pen is solid afterwards.
void drawdistance(const tatm& a, const tatm& b, tcanvas& canvas,
                  const tdrawing& drawing);

/// Paints a measurement over the drawing: its lines one pixel wide (a line
/// from an atom to itself rings the atom), then its text in the font of its
/// atom or the canvas's font. The pen is solid afterwards.
void drawmeasurement(const tmeasurement& measurement, tcanvas& canvas,
                     const tdrawing& drawing);

}  // namespace molvane
