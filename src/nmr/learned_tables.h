// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/fluorine_types.h"
#include "nmr/proton_increments.h"

#include <memory>
#include <string>
#include <vector>

namespace molvane {

struct ttrainingmolecule;

/// Shift classes beyond the hybridisation codes: fluorine atoms, and the
/// protons of sp3 carbons, which have learned fallbacks of their own.
inline constexpr int fluorineclass = 9;
inline constexpr int protonsp3class = 13;

/// The class the predictor combines an atom's shifts by for nucleus: the
/// hybridisation code (4 aromatic), fluorineclass for fluorine and
/// protonsp3class for the protons of sp3 carbons.
int shiftclass(const tnmrgraph& graph, int atom, int nucleus);

/// The tables learned from measured spectra that back up shallow database
/// matches of fluorine and of sp3 C-H protons.
struct tlearnedtables {
  tfluorinetable fluorine;
  tincrementtable fluorineincrements;
  tincrementtable proton;
};

/// Fits the tables of nucleus (1 or 9; the others have none) to the
/// measured shifts of the molecules.
std::shared_ptr<const tlearnedtables> fitlearnedtables(
    const std::vector<const ttrainingmolecule*>& molecules, int nucleus);

/// The tables that come with the program, fitted to all training spectra.
std::shared_ptr<const tlearnedtables> shippedtables();

/// The learned fallback of an atom of class c (level 0 for other classes).
tprediction learnedfallback(const tlearnedtables& tables,
                            const tnmrgraph& graph, int atom, int c);

/// C++ source defining the shipped tables as tables holds them.
std::string tablesource(const tlearnedtables& tables);

}  // namespace molvane
