// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace molvane {

/// The folder of the data that comes with the program (its nmr/ databases
/// and the like): the one chosen by useshippeddatanear, or else the
/// source tree's data/ folder, which a build run from its build folder
/// reads in place.
std::filesystem::path shippeddatafolder();

/// Makes the installed data folder beside executablefolder (its
/// ../share/molvane3d) the shipped data folder when that folder exists;
/// otherwise the shipped data folder stays as it is. Returns the folder
/// in use afterwards.
std::filesystem::path useshippeddatanear(
    const std::filesystem::path& executablefolder);

}  // namespace molvane
