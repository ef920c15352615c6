// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/element_colours.h"

#include "model/atom.h"

#include <array>
#include <utility>

namespace molvane {

namespace {

/// Red, green, blue as 0x00BBGGRR.
constexpr tcolour rgb(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8U) | (blue << 16U);
}

// Darker than the usual screen palette where the usual colour would be too
// pale to read as text on white paper.
constexpr std::array<std::pair<int, tcolour>, 17> palette{{
    {3, rgb(128, 40, 200)},   // Li
    {5, rgb(200, 110, 90)},   // B
    {7, rgb(32, 64, 224)},    // N
    {8, rgb(224, 0, 0)},      // O
    {9, rgb(0, 160, 0)},      // F
    {11, rgb(128, 40, 200)},  // Na
    {12, rgb(40, 140, 0)},    // Mg
    {14, rgb(150, 120, 80)},  // Si
    {15, rgb(230, 110, 0)},   // P
    {16, rgb(184, 150, 0)},   // S
    {17, rgb(0, 150, 0)},     // Cl
    {19, rgb(128, 40, 200)},  // K
    {20, rgb(40, 140, 0)},    // Ca
    {26, rgb(200, 90, 30)},   // Fe
    {34, rgb(200, 120, 0)},   // Se
    {35, rgb(166, 41, 41)},   // Br
    {53, rgb(148, 0, 148)},   // I
}};

}  // namespace

tcolour elementlabelcolour(int element) {
  for (const auto& [number, colour] : palette) {
    if (number == element) {
      return colour;
    }
  }
  return blackcolour;
}

tcolour labelcolourof(const tatm& atom, bool colourbyelement) {
  if (!colourbyelement || atom.colour != blackcolour ||
      atom.kind != chemicalatomkind) {
    return atom.colour;
  }
  return elementlabelcolour(atom.element);
}

}  // namespace molvane
