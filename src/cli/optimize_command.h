// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// `optimize IN OUT [--method M] [--tolerance CAL] [--jump ANGSTROM]
/// [--temp T] [--seed S] [--max-seconds S] [--gradient KCAL] [--no-polish]`:
/// relaxes the drawing of IN in the force field and writes it to OUT in the
/// format of its extension. Normal and Refine end where the RMS gradient is
/// below --gradient kcal/(mol·Å) (1e-4 when not given); --no-polish stops
/// Normal where its sweeps stop. Searches that run until stopped end after
/// --max-seconds (10 when not given) on the best geometry they found.
tclioutcome optimizecommand(const tclioptions& options,
                            const std::vector<std::string>& arguments);

}  // namespace molvane
