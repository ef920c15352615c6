// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// `reaction IN [--T K] [--P ATM] [--optimize] [--reference N]`: opens a
/// drawing with a reaction arrow, optionally minimises every reactive
/// structure, balances with structure N (1-based, default 1) fixed at 1 and
/// prints the amounts, the balance, ΔH, ΔS, ΔG, log K and the
/// classification.
tclioutcome reactioncommand(const tclioptions& options,
                            const std::vector<std::string>& arguments);

}  // namespace molvane
