// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <string>
#include <vector>

namespace molvane {

/// build OUT CODE@X,Y ... [--in FILE] [--3d]: runs command codes at click
/// points through the dispatcher, as clicks in the window would, on a new
/// drawing (or the document FILE), with 3D building switched on by --3d,
/// then writes OUT in the format of its extension. Messages of the
/// commands reach the session's messages.
tclioutcome buildcommand(const tclioptions& options,
                         const std::vector<std::string>& arguments);

}  // namespace molvane
