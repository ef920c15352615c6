// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/settings_commands.h"

#include "document/drawing.h"
#include "document/session.h"
#include "model/bond.h"

#include <algorithm>
#include <cstdint>

namespace molvane {

namespace {

/// The defaults record keeps the spacing in one byte; no spacing draws the
/// lines of a bond on top of each other.
constexpr int narrowestspacing = 1;
constexpr int widestspacing = 255;

}  // namespace

void setdoublebondspacing(tdrawing& drawing, int spacing) {
  spacing = std::clamp(spacing, narrowestspacing, widestspacing);
  session().settings.doublebondspacing = static_cast<std::uint16_t>(spacing);
  for (tbond* bond : drawing.bonds) {
    bond->spacing = spacing;
    bond->calcoffsets();
  }
}

}  // namespace molvane
