// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// `energy IN`: opens IN, sets up the force field and prints the total
/// energy in kcal/mol with the number of terms of each kind.
tclioutcome energycommand(const tclioptions& options,
                          const std::vector<std::string>& arguments);

}  // namespace molvane
