// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tdrawing;

/// Settings/"Double Bond": the distance in pixels between the lines of a
/// multiple bond becomes spacing (limited to 1 .. 255, since the defaults
/// record keeps one byte). The setting takes it, so that new bonds and the
/// clones that Undo and Redo make use it, and every bond of drawing takes
/// it at once with its line offsets recomputed. Saving the defaults and
/// repainting are the caller's.
void setdoublebondspacing(tdrawing& drawing, int spacing);

}  // namespace molvane
