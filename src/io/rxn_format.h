// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace molvane {

/// True when the text is an MDL reaction file: its first line starts with
/// "$RXN" (a byte-order mark before it is allowed).
bool isreactiontext(std::string_view text);

/// Reads an MDL reaction file, V2000 ("$RXN", a counts line of reactants,
/// products and agents, then one "$MOL" molfile per molecule) or V3000
/// ("$RXN V3000" with "BEGIN REACTANT" and "BEGIN PRODUCT" blocks of
/// connection tables). The drawing holds the reactants side by side on the
/// left, one reaction arrow, and the products on the right, all on one
/// centre line and at one scale; the reaction's name becomes the title.
/// Agents (catalysts, solvents) would upset the balance, so they are left
/// out with a notice. A file whose counts disagree with the molecules it
/// holds, or with a molecule that cannot be read, gives an error naming the
/// molecule and the line ("reactant 2, line 14: bond to atom 9 of 3") and
/// no drawing.
[[nodiscard]] treadresult readrxn(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

}  // namespace molvane
