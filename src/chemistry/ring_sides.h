// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tdrawing;

/// Turns the second line of every double and one-and-a-half bond that lies
/// in a ring towards the centre of the smallest ring through it, on the
/// screen (x and y). Bonds outside rings, rings longer than a few dozen
/// atoms and bonds whose ring centre lies on the bond's line keep their
/// side.
void placeringsecondlines(tdrawing& drawing);

}  // namespace molvane
