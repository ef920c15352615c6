// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/increment_fit.h"

namespace molvane {

class tnmrgraph;

/// Whether atom is an uncharged sp3 carbon that carries hydrogens.
bool carriessp3protons(const tnmrgraph& graph, int atom);

/// The terms of the protons of an sp3 carbon: a base term for CH, CH2, CH3
/// or CH4, the terms of its substituents and one for a three- or
/// four-membered ring it closes; false for other atoms.
bool protonterms(const tnmrgraph& graph, int atom, tincrementterms& terms);

}  // namespace molvane
