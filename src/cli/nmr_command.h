// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// `nmr FILE --nucleus 1H|13C|15N|19F|31P [--db FILE]`: the predicted shift
/// and level of every atom that carries the nucleus, by 0-based atom index;
/// one block (or JSON object) per record of a multi-record file.
tclioutcome nmrcommand(const tclioptions& options,
                       const std::vector<std::string>& arguments);

}  // namespace molvane
