// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tcanvas;
class tdrawing;
struct fontrecord;

/// The part of a label font a canvas takes: face name, height, italic when
/// `italic` is 1, bold only at weight 700, underline and strike-out when
/// 1. Width, escapement, orientation and the code bytes are left at their
/// defaults.
fontrecord canvasfontof(const fontrecord& record);

/// Puts the drawing's font at index into the canvas (the default font for
/// an index outside the list); index -1 leaves the canvas font as it is.
void selectfont(const tdrawing& drawing, int index, tcanvas& canvas);

}  // namespace molvane
