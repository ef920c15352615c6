// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/canvas.h"

namespace molvane {

class tatm;
class tbondlist;
class tdrawing;
class tlink;

/// Colours of the special bond styles 10-15, 20-25 and 30-35.
inline constexpr tcolour reddishbondcolour = 0x7777CC;
inline constexpr tcolour bluishbondcolour = 0xCC7777;
inline constexpr tcolour greenishbondcolour = 0x77FF77;

/// Draws one bond at its ends' screen positions as its kind and style say:
/// plain, dotted, wedged, hashed, as a dative arrow, as parallel lines on
/// its side or centred, or as one coloured line. Links between symbol
/// points (not chemical) and bonds with a missing end draw nothing. The
/// bond's offsets are recomputed first; an arrow bond stores the small
/// offsets of its barbs in them. Leaves a solid pen and a solid white
/// brush.
void drawbond(tlink& bond, tcanvas& canvas);

/// drawbond for every bond of list, in list order.
void drawbonds(const tbondlist& list, tcanvas& canvas);

/// The colour an atom gives its half of a bond in the line displays: light
/// grey for hydrogen, grey for carbon, otherwise the drawing's colour for
/// its element (black outside the table).
tcolour bondendcolour(const tatm& atom, const tdrawing& drawing);

/// The bond as two solid half lines from the midpoint, each in the colour
/// of the atom it reaches.
void drawtwocolourbond(const tlink& bond, tcanvas& canvas, int width,
                       const tdrawing& drawing);

/// One solid line from atom1 to atom2.
void drawplainbond(const tlink& bond, tcanvas& canvas, int width,
                   tcolour colour);

}  // namespace molvane
