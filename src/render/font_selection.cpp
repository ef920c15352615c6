// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/font_selection.h"

#include "document/drawing.h"
#include "model/font.h"
#include "render/canvas.h"

namespace molvane {

namespace {

constexpr std::int16_t boldweight = 700;
constexpr std::int16_t normalweight = 400;

}  // namespace

fontrecord canvasfontof(const fontrecord& record) {
  fontrecord font;
  font.setfacename(record.facenametext());
  font.height = record.height;
  font.weight = record.weight == boldweight ? boldweight : normalweight;
  font.italic = record.italic == 1 ? 1 : 0;
  font.underline = record.underline == 1 ? 1 : 0;
  font.strikeout = record.strikeout == 1 ? 1 : 0;
  return font;
}

void selectfont(const tdrawing& drawing, int index, tcanvas& canvas) {
  if (index == -1) {
    return;
  }
  canvas.setfont(canvasfontof(drawing.getfontrecord(index)));
}

}  // namespace molvane
