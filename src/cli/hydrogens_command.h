// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// `hydrogens --2d|--3d|--remove IN OUT`: opens IN, adds hydrogens flat or
/// in 3D (or removes them) as the menu commands do, and writes OUT in the
/// format of its extension. The mode may stand anywhere after the command.
tclioutcome hydrogenscommand(const tclioptions& options,
                             const std::vector<std::string>& arguments);

}  // namespace molvane
