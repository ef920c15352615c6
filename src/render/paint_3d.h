// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/canvas.h"

#include <vector>

namespace molvane {

class tAtoms;
class tatm;
class tbond;
class tbondlist;
class tdrawing;

/// Adding this to a draw mode shows the same mode as a stereo pair.
inline constexpr int stereopairmode = 100;

/// Colours of the 3D figures: outlines and carbon rods, hydrogen rods.
inline constexpr tcolour figuregrey = 0x777777;
inline constexpr tcolour figurelightgrey = 0xBFBFBF;

/// Size factor of the spheres, balls and circles, and of the small balls
/// of draw mode 8.
inline constexpr double largefigure = 1.2;
inline constexpr double smallfigure = 0.7;

/// Spheres smaller than this radius (pixels) are drawn flat.
inline constexpr int smallestshadedsphere = 5;

/// Draw modes of 100 and more show a stereo pair.
bool isstereopair(int drawmode);
/// The mode without the stereo pair.
int normalviewof(int drawmode);
/// The stereo pair of the mode; a mode that is a stereo pair already
/// stays as it is.
int stereoviewof(int drawmode);

/// How much larger a figure at depth z is drawn than one at z = 0: 3 % per
/// bond length towards the viewer. Never below 0.1, so that a model far
/// behind the screen keeps positive sizes.
double depthfactor(double z, double bondlength);

/// The radius in pixels of an atom's figure: factor times the atom's size
/// at its depth. Hydrogen is 0.3 Å drawn 10 % larger; other atoms take
/// their ion radius, at most 2.7 Å. One ångström is bondlength / 1.53
/// pixels.
int displayradius(const tatm& atom, double factor, double bondlength);

/// The drawing's colour for the atom's element; grey for a number outside
/// the table.
tcolour elementcolour(const tatm& atom, const tdrawing& drawing);

/// A disc of radius r around centre, filled with fill and outlined with a
/// one-pixel pen in outline. Leaves a solid white brush.
void drawflatcircle(tcanvas& canvas, tpoint centre, int r, tcolour fill,
                    tcolour outline);

/// A sphere of radius r in colour, lit from the upper right by eight discs
/// that grow lighter and smaller; below smallestshadedsphere a flat disc
/// with a grey outline. Leaves a solid white brush.
void drawshadedsphere(tcanvas& canvas, tpoint centre, int r, tcolour colour);

/// The chemical atoms of list from the farthest (smallest z) to the
/// nearest; atoms at the same depth keep their list order.
std::vector<const tatm*> atomsbydepth(const tAtoms& list);

/// The chemical bonds of list with both ends, ordered by the depth of
/// their midpoints as atomsbydepth orders atoms.
std::vector<tbond*> bondsbydepth(const tbondlist& list);

/// Paints the atoms and bonds of the drawing in draw mode drawmode: the
/// 2D drawing for mode 0, the 3D figures of modes 5 to 20, nothing for
/// other modes, and for modes from 100 on a stereo pair of mode - 100: two
/// copies side by side, each turned 5 degrees about the vertical axis the
/// other way. Painting leaves every coordinate as it found it.
void paint3d(tdrawing& drawing, tcanvas& canvas, int drawmode);

}  // namespace molvane
