// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/settings.h"

namespace molvane {

const tsettings& defaultsettings() {
  static const tsettings defaults;
  return defaults;
}

}  // namespace molvane
