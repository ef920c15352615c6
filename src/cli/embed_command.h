// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// `embed IN OUT [--conformers N] [--seed S]`: builds a relaxed 3D model of
/// the drawing of IN (hydrogens added, stated stereo kept, the lowest of N
/// conformers, 4 when not given) and writes it to OUT in the format of its
/// extension. Warnings are printed before the result; the exit status
/// stays 0.
tclioutcome embedcommand(const tclioptions& options,
                         const std::vector<std::string>& arguments);

}  // namespace molvane
