// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tcanvas;
class tSymbol;

/// Draws a symbol: its links with the ordinary bond drawing (each link
/// counts as chemical only for that call), then its arc and its heads and
/// curves in the symbol's pen width and colour. Computing the shapes
/// refreshes an arc's `quadrant`. Leaves a solid white brush.
void drawsymbol(tSymbol& symbol, tcanvas& canvas);

}  // namespace molvane
