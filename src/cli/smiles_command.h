// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// `smiles IN`: opens IN and prints the SMILES of its drawing.
tclioutcome smilescommand(const tclioptions& options,
                          const std::vector<std::string>& arguments);

}  // namespace molvane
