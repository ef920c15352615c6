// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/paint_drawing.h"

#include <vector>

class QPrinter;
class QWidget;

namespace molvane {

/// Prints the current drawing on one page of printer: painted at the
/// printer's resolution, a sixtieth of an inch per pixel of the drawing
/// (smaller when the page is too small), from the top left corner of the
/// printable area less a quarter inch on every side, with notes beside its
/// atoms. Reports a printer that cannot start, or an empty drawing,
/// through the session.
void printdrawing(QPrinter& printer, const std::vector<tatomnote>& notes);

/// The Print Preview dialog of the current drawing; it prints through
/// printdrawing when the user asks it to.
void showprintpreview(QWidget* parent, const std::vector<tatomnote>& notes);

}  // namespace molvane
