// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace molvane {

struct fontrecord;

/// The Qt font for a label font record: its face (the system's sans-serif
/// font when that face is not installed; the record itself is not
/// changed), its height in pixels (a negative height is the em height, a
/// positive one the whole character cell, 0 a default cell of 12), bold at
/// weight 700, italic, underline and strike-out. Needs a running
/// QGuiApplication. With antialiased false the glyphs are drawn without
/// smoothing.
QFont qtfontof(const fontrecord& record, bool antialiased);

}  // namespace molvane
