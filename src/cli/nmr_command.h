// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <memory>
#include <string>
#include <vector>

namespace molvane {

class IPeakdb;

/// The shift database the nmr command predicts from: the file dbfile when
/// it is not empty (read as it is, never written), else the one of the
/// data folder of options, else the one that comes with the program (an
/// empty database for a nucleus without one). Null with problem set when
/// the file named cannot be read.
std::shared_ptr<IPeakdb> nmrdatabase(const tclioptions& options,
                                     const std::string& dbfile, int nucleus,
                                     std::string& problem);

/// `nmr FILE --nucleus 1H|13C|15N|19F|31P [--db FILE]`: the predicted shift
/// and level of every atom that carries the nucleus, by 0-based atom index;
/// one block (or JSON object) per record of a multi-record file.
tclioutcome nmrcommand(const tclioptions& options,
                       const std::vector<std::string>& arguments);

}  // namespace molvane
