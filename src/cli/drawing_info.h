// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/molecular_data.h"

#include <string>
#include <vector>

namespace molvane {

class tdrawing;

/// What `info` reports about a drawing, worked out once for the text and
/// JSON answers and for the Python module.
struct tdrawinginfo {
  /// The formula as the window shows it, padded with blanks.
  std::string formula;
  std::string hill;
  /// g/mol.
  double weight = 0.0;
  /// Mass percentages, padded with blanks.
  std::string composition;
  int charge = 0;
  int atoms = 0;
  int bonds = 0;
  int structures = 0;
  int symbols = 0;
  /// Partial charges of the chemical atoms, in atom order.
  std::vector<double> partialcharges;
  /// Principal moments of inertia, amu·Å².
  std::vector<double> moments;
  /// Dipole (debye, and its vector in the drawing's axes), energy and the
  /// texts the window shows for them.
  tmoleculardata data;
};

/// The numbers `info` prints for drawing (its partial charges and
/// measurements are brought up to date on the way).
tdrawinginfo drawinginfo(tdrawing& drawing);

}  // namespace molvane
