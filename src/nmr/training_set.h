// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/database_builder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace molvane {

/// Appends the records of an SD file that have measured shifts of nucleus
/// (1, 6 or 9) to molecules. Hydrogen shifts filed under a hydrogen atom go
/// to the atom that carries it. Returns "" or why the file could not be
/// read; records that cannot be read are skipped and counted in skipped.
std::string readtrainingfile(const std::filesystem::path& path, int nucleus,
                             std::vector<ttrainingmolecule>& molecules,
                             int& skipped);

}  // namespace molvane
