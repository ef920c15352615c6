// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace molvane {

/// The name of a command code for the user: "Ring 6" for Ring/Add/"&6",
/// "Fuse Ring 6", "Add NO2" (the molecule) beside "NO2" (the group), the
/// element symbol for a periodic-table code. Every code a menu item or
/// button sets has a name of its own; other codes give "".
std::string commandname(int code);

}  // namespace molvane
