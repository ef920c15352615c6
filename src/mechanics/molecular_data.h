// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dipole.h"
#include "model/fragment.h"

#include <memory>
#include <optional>
#include <string>

namespace molvane {

class tdrawing;
class tStructure;

/// Principal moments in amu·Å² per g·cm².
inline constexpr double amuangstromspergramcm = 6.02252e39;

/// What the molecular data window shows of a drawing or of one structure.
struct tmoleculardata {
  std::string formula;
  std::string formulaweight;
  std::string composition;
  /// The atoms over their valence ("Valence: C3 has 5 bonds"); "" when
  /// every atom is within it.
  std::string valence;
  /// False for a structure bonded to atoms outside it: the values below
  /// were not worked out and the window keeps what it showed.
  bool measured = false;
  tdipole dipole;
  tmoments moments;  ///< g·cm²
  /// Force-field potential energy in cal/mol; none when the force field
  /// refuses the atoms (an unnamed point, say).
  std::optional<double> energycal;
  int charge = 0;

  /// μ in debye, "%6.2f".
  std::string dipoletext() const;
  /// The three moments in amu·Å², "%6.*f" each, separated by blanks.
  std::string momentstext(int decimals) const;
  /// kcal/mol, "%6.3f"; "" without an energy.
  std::string energytext() const;
};

/// A drawing of its own holding copies of the structure's atoms and the
/// bonds among them, with the drawing's settings.
std::unique_ptr<tdrawing> drawingofstructure(const tdrawing& drawing,
                                             const tStructure& structure);

/// True when an atom of structure is bonded to a chemical atom of the
/// drawing outside it.
bool bondedoutside(const tdrawing& drawing, const tStructure& structure);

/// Force-field potential energy in cal/mol of the drawing as it stands,
/// worked out on a copy; none when the force field refuses it.
std::optional<double> potentialenergy(const tdrawing& drawing);

/// Equilibrates the partial charges of the whole drawing (into the atoms'
/// qpartial) and measures it.
tmoleculardata moleculardata(tdrawing& drawing);

/// The same for one structure of drawing; its charges, dipole, moments and
/// energy only when it is not bonded to atoms outside it.
tmoleculardata moleculardata(tdrawing& drawing, tStructure& structure);

}  // namespace molvane
