// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace molvane {
class tStructure;
class tSymbol;
class tdrawing;
}  // namespace molvane

namespace molvane::testing {

/// Heavy-atom skeletons of small molecules by formula; the hydrogens are
/// completed in 3D. Names follow the reference table.
std::vector<std::string> knownspecies();

/// Builds the species in the current drawing with its centre at x (Å),
/// completes its hydrogens, optimises it and returns its structure.
/// Fails the test (and returns null) for an unknown name.
tStructure* addspecies(std::string_view name, double x);

/// Adds a reaction arrow centred at x (Å) to the current drawing.
tSymbol* addarrow(double x);

}  // namespace molvane::testing
