// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace molvane {

class tdrawing;

/// Reads an XYZ file. Two layouts are told apart by their first line:
/// - the common one ("3", a comment line, then "O 0.0 0.0 0.0" per atom in
///   ångström, element symbols or atomic numbers): every hydrogen is an
///   atom, so no atom gets implicit hydrogens; bonds are perceived from the
///   distances, all single; lines starting with '#' inside the atom block
///   are skipped; y is turned to grow downwards;
/// - this program's text table ("3 2": atoms and bonds), which keeps
///   charges, bond kinds and the delocalised flags.
/// Errors name the line; an empty file is an error, a count of 0 atoms
/// gives an empty drawing.
[[nodiscard]] treadresult readxyz(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// The text table: "NAtoms NBonds", the first atom's position, one line
/// per chemical atom (atomic number, charge and position relative to the
/// first atom, in ångström at 1.53 per L), one line per bond between
/// chemical atoms (0-based positions, kind, delocalised 0 or 1), one label
/// per atom, then a block describing the layout.
[[nodiscard]] std::vector<std::uint8_t> writexyz(const tdrawing& drawing);

}  // namespace molvane
