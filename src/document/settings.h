// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/font.h"
#include "model/geometry_settings.h"

#include <cstdint>

namespace molvane {

/// The defaults record: what a new drawing starts from. The session keeps
/// the program's live copy; a drawing is built from the settings it is
/// given and afterwards reads only its own geometry.
struct tsettings : tgeometrysettings {
  std::uint16_t version = 150;  ///< written into every document header
  fontrecord labelfont = fontrecord::standard();
  std::uint8_t nmrnucleus = 0;  ///< 0 none, or 1, 6, 7, 9, 15
  bool saveonclose = false;
  std::uint16_t horizontalstep = 16;
  std::uint16_t verticalstep = 16;
  /// Heteroatom labels take the colour of their element.
  bool colourlabels = true;
  /// The window draws smooth (antialiased) lines and text.
  bool smoothscreen = true;
};

/// The settings of a fresh program, for drawings built without a session.
const tsettings& defaultsettings();

}  // namespace molvane
