// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class TFragment;
class tdrawing;
struct tsettings;

/// Takes line width code 0..3 (clamped) into settings and gives every bond
/// and symbol of the drawing the new pen width.
void applylinewidth(tdrawing& drawing, tsettings& settings, int code);

/// Takes a new standard bond length in pixels (at least 1) into settings
/// and scales the drawing by the ratio of the new length to the old one.
void applybondlength(tdrawing& drawing, tsettings& settings, int bondlength);

/// Settings/"Double Bond": the distance in pixels between the lines of a
/// multiple bond becomes spacing (limited to 1 .. 255, since the defaults
/// record keeps one byte). The setting takes it, so that new bonds and the
/// copies that Undo and Redo make use it, and every bond of the drawing
/// takes it at once with its line offsets recomputed.
void applydoublebondspacing(tdrawing& drawing, tsettings& settings,
                            int spacing);

/// Takes entry index 0..4 (clamped) of the jump list 2, 4, 8, 16, 32 as the
/// step of the arrow keys; the step down is three quarters of the step
/// across, as the window is wider than tall.
void applyjump(tsettings& settings, int index);

/// The keys that move the whole drawing.
enum class tdrawingmove { left, right, up, down, pageup, pagedown };

/// Moves every atom of target (the drawing, or the group editor's group):
/// the arrows by the jump steps of settings, or by the big step when big
/// is set (Shift); the page keys always by the big step.
void movedrawing(TFragment& target, const tsettings& settings,
                 tdrawingmove move, bool big);

/// Pixels of one big step of the drawing.
inline constexpr double bigmovestep = 32.0;

}  // namespace molvane
