// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <optional>
#include <string>

namespace molvane {

/// convert to an InChI file (one standard InChI a line, one per record of
/// IN; a record without one gives an empty line and a warning) or from an InChI
/// file to an SD file (every line a record; a damaged line fails the
/// whole conversion). nullopt for any other pair of formats.
std::optional<tclioutcome> convertinchirecords(const tclioptions& options,
                                               const std::string& in,
                                               const std::string& out);

}  // namespace molvane
