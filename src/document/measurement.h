// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace molvane {

class tatm;

/// A line between two atoms' screen positions, drawn over the drawing.
struct tmeasureline {
  const tatm* from = nullptr;
  const tatm* to = nullptr;
  std::uint32_t colour = 0;
  bool dotted = false;
};

/// What one measurement in the drawing shows: lines over the atoms and a
/// text at a screen point, in the font of an atom (the canvas's font when
/// none). The atoms belong to the drawing that was measured.
struct tmeasurement {
  std::vector<tmeasureline> lines;
  std::string text;
  int x = 0;
  int y = 0;
  const tatm* fontatom = nullptr;
};

}  // namespace molvane
