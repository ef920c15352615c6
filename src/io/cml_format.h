// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace molvane {

class tdrawing;

/// Reads the first molecule of a CML file with an XML parser, so that
/// namespaces, prefixes, comments, attribute order and line breaks do not
/// matter. Atoms come as attributes (`<atom id="a1" elementType="C" x2=".."
/// y2=".." formalCharge="-1"/>`, x3/y3/z3 for 3D), as child elements with a
/// `builtin` attribute, or as arrays; bonds as `atomRefs2` and `order`
/// ("1", "S", "2", "D", "3", "T", "A" or "1.5" aromatic; an aromatic
/// `bondType` marks a bond delocalised), as child elements or as arrays.
/// `hydrogenCount` sets an atom's hydrogens, `isotopeNumber` its mass.
/// Molecules nested in lists or reactions are found; a molecule without
/// bonds whose hydrogens are atoms gets bonds from the distances. Files of
/// this program's own layout keep its coordinates and valences; when they
/// are not well-formed XML (older files did not escape names) they are
/// read line by line. y grows upwards, except in the program's own files
/// written before their molecule said `yaxis="up"`, which kept the
/// drawing's downward y. Errors name the line.
[[nodiscard]] treadresult readcml(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// Every top-level molecule of a CML file, in document order; a molecule
/// that cannot be read gives an entry with its error.
[[nodiscard]] std::vector<treadresult> readcmlrecords(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// Reads one molecule element that a stream cut out of a larger CML file,
/// starting on line firstline of it, so that errors name the line in the
/// whole file.
[[nodiscard]] treadresult readcmlmolecule(
    std::span<const std::uint8_t> bytes, int firstline,
    const tsettings& settings = defaultsettings());

/// The CML file written beside every saved document, line by line with
/// tabs: the formula, one `<atom id="a_i">` per chemical atom (i its
/// position in the drawing's atom list) with x3, y3, z3 in ångström (1.54
/// per L, relative to the first atom, y upwards as the molecule's
/// `yaxis="up"` says, 10:5), the element label and, for a
/// charged atom, its formal charge; one `<bond id="b_j">` per real bond
/// with its two atom references and its effective order as 3:1 ("1.0",
/// "1.5", "2.0", "3.0"). Names are escaped for XML.
[[nodiscard]] std::vector<std::uint8_t> writecml(const tdrawing& drawing);

}  // namespace molvane
