// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/learned_tables_data.h"

namespace molvane {

std::span<const tshippedterm> shippedfluorinetypes() { return {}; }

std::span<const tshippedterm> shippedfluorineincrements() { return {}; }

std::span<const tshippedterm> shippedprotonincrements() { return {}; }

}  // namespace molvane
