// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace molvane {

class TFragment;

/// The formula as the molecular data window shows it: carbon first, then
/// the hydrogens ("H" and their count, even 1), then N, O, F, P, S, Cl, Br,
/// I where present and the other elements in order of appearance; each item
/// followed by a blank, e.g. "C2 H6 O ". Without carbon the hydrogens come
/// first ("H2 O ").
std::string formulatext(const TFragment& fragment);
/// The molecular mass with implicit hydrogens, "%10.3f".
std::string formulaweighttext(const TFragment& fragment);
/// Weight percentages in the formula's order, e.g. "52.1C 13.1H 34.7O ".
std::string compositiontext(const TFragment& fragment);
/// The Hill-order formula: C, H, then the other elements alphabetically
/// (all alphabetically without carbon), e.g. "C2H6O"; "" without atoms.
std::string hillformula(const TFragment& fragment);

}  // namespace molvane
