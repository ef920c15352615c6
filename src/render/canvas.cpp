// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/canvas.h"

namespace molvane {

void setpen(tcanvas& canvas, tpenstyle style, int width, tcolour colour) {
  canvas.setpenstyle(style);
  canvas.setpenwidth(width);
  canvas.setpencolour(colour);
}

void setbrushcolour(tcanvas& canvas, tcolour colour) {
  canvas.setbrushcolour(colour);
}

void setbrush(tcanvas& canvas, tbrushstyle style, tcolour colour) {
  canvas.setbrushstyle(style);
  canvas.setbrushcolour(colour);
}

void resetbrush(tcanvas& canvas) {
  setbrush(canvas, tbrushstyle::solid, whitecolour);
}

}  // namespace molvane
