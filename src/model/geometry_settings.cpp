// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/geometry_settings.h"

#include <algorithm>

namespace molvane {

int tgeometrysettings::linewidth() const {
  return std::clamp(static_cast<int>(linewidthcode), 1, 4);
}

double tgeometrysettings::lengthscale() const {
  return 1.0 / std::max<std::uint16_t>(bondlength, 1);
}

const tgeometrysettings& defaultgeometry() {
  static const tgeometrysettings defaults;
  return defaults;
}

}  // namespace molvane
