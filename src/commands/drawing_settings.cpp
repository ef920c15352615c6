// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/drawing_settings.h"

#include "document/drawing.h"
#include "document/session.h"
#include "document/symbol.h"
#include "model/bond.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace molvane {

void applylinewidth(tdrawing& drawing, tsettings& settings, int code) {
  settings.linewidthcode = static_cast<std::uint8_t>(std::clamp(code, 0, 3));
  const int width = settings.linewidth();
  for (tbond* bond : drawing.bonds) {
    bond->setwidth(width);
  }
  // Arrows and arcs draw their heads with their own pen width.
  for (tSymbol* symbol : drawing.symbols) {
    symbol->linewidth = static_cast<std::uint8_t>(width);
  }
}

void applybondlength(tdrawing& drawing, tsettings& settings, int bondlength) {
  const int old = settings.bondlength;
  const int length = std::clamp(bondlength, 1, 0xFFFF);
  settings.bondlength = static_cast<std::uint16_t>(length);
  if (old > 0 && old != length) {
    drawing.scale(static_cast<double>(length) / old);
  }
  drawing.bondlength = settings.bondlength;
}

void applyjump(tsettings& settings, int index) {
  constexpr std::array<std::pair<int, int>, 5> steps{
      {{2, 2}, {4, 3}, {8, 6}, {16, 12}, {32, 24}}};
  const auto [across, down] =
      steps[static_cast<std::size_t>(std::clamp(index, 0, 4))];
  settings.horizontalstep = static_cast<std::uint16_t>(across);
  settings.verticalstep = static_cast<std::uint16_t>(down);
}

void movedrawing(TFragment& target, const tsettings& settings,
                 tdrawingmove move, bool big) {
  const double across = big ? bigmovestep : settings.horizontalstep;
  const double down = big ? bigmovestep : settings.verticalstep;
  double dx = 0.0;
  double dy = 0.0;
  switch (move) {
    case tdrawingmove::left:
      dx = -across;
      break;
    case tdrawingmove::right:
      dx = across;
      break;
    case tdrawingmove::up:
      dy = -down;
      break;
    case tdrawingmove::down:
      dy = down;
      break;
    case tdrawingmove::pageup:
      dy = -bigmovestep;
      break;
    case tdrawingmove::pagedown:
      dy = bigmovestep;
      break;
  }
  target.translate(dx, dy, 0.0);
}

void applydoublebondspacing(tdrawing& drawing, tsettings& settings,
                            int spacing) {
  // No spacing would draw the lines of a bond on top of each other.
  spacing = std::clamp(spacing, 1, 255);
  settings.doublebondspacing = static_cast<std::uint16_t>(spacing);
  for (tbond* bond : drawing.bonds) {
    bond->spacing = spacing;
    bond->calcoffsets();
  }
}

}  // namespace molvane
