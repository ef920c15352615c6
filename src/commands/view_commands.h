// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/view_transform.h"

namespace molvane {

class tdrawing;

/// Where a click at a window point lands in the drawing, for the commands,
/// which work in drawing coordinates whatever the view shows.
///
/// Zoom and pan are undone exactly. While a 3D draw mode shows the model
/// turned, the click is resolved against what is shown: the atom or bond
/// midpoint shown nearest to the pointer, within one bond length, is the
/// one the command gets, at its own place, with the pointer's offset from
/// it on the screen shortened until no other atom or bond midpoint is as
/// near (atoms win a tie with bonds, earlier objects a tie among
/// themselves). A click farther from everything is turned back onto the
/// plane through the model's centre.
tviewpoint clickpoint(const tdrawing& drawing, const tviewtransform& view,
                      tviewpoint screen);

}  // namespace molvane
