// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// `nmrdb build --nucleus 13C|1H|19F IN.sdf... OUT.pks [--reference REF.sdf]
/// [--entries N] [--folds K]`: builds a shift database from the measured
/// shifts of SD files, with an exact entry for every measured atom of the
/// reference files; with --folds also reports the cross-validated error.
/// `nmrdb model IN.sdf... OUT.fit`: fits the carbon shift model that refines
/// shallow carbon matches to the measured carbon shifts of SD files.
tclioutcome nmrdbcommand(const tclioptions& options,
                         const std::vector<std::string>& arguments);

}  // namespace molvane
