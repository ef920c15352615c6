// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

namespace molvane {

/// The picture of a symbol-tool button: the symbol or text label that
/// command code creates, painted by the drawing's own painters and
/// centred in a white image of size (a symbol larger than the image is
/// shrunk to fit). A plain white image for a code that creates neither.
QImage symbolpicture(int code, QSize size);

/// The picture of a bond editor button: a bond across a white image of
/// size, drawn by the bond painter as bond picture tag makes it (a plain
/// single bond for a tag outside 1 .. 15).
QImage bondpicture(int tag, QSize size);

}  // namespace molvane
