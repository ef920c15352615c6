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

/// The record of a font a font dialog chose: base with the font's family,
/// its em height in pixels (points at 96 pixels per inch), bold as weight
/// 700, italic, underline and strike-out. base keeps its other fields, and
/// its height when the font gives no size.
fontrecord fontrecordof(const QFont& font, const fontrecord& base);

}  // namespace molvane
