// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <optional>
#include <string>
#include <vector>

namespace molvane {

/// One line per record of a file that holds several molecules (SD files,
/// CML with several molecules): its Hill formula and charge, or why it could
/// not be read. Empty for files of one record. SD, CML and SMILES files are
/// read one record at a time, so memory stays flat whatever their length.
std::vector<std::string> recordsummaries(const std::string& path);

/// convert of a file of MDL records to an SD file: every record is copied
/// as it is read. nullopt for any other pair of formats, which convert
/// handles as one drawing. Unreadable records are left out with a warning
/// through the session's messages. Records are read and written on jobs
/// worker threads, in the order of the file.
std::optional<tclioutcome> convertrecords(const tclioptions& options,
                                          const std::string& in,
                                          const std::string& out, int jobs);

}  // namespace molvane
