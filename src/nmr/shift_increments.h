// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/peak_database.h"

namespace molvane {

class tnmrgraph;

/// Additivity rules for carbon-13 shifts that need no database.
class TLANMR {
 public:
  /// An sp3 carbon from its alpha to delta neighbours; level -7 for a
  /// hydrocarbon neighbourhood, weaker with heteroatoms, 0 (no value) for a
  /// charged carbon or an alpha neighbour that is neither sp3 nor sp2.
  static tprediction sp3shift(const tnmrgraph& graph, int atom);
  /// An sp2 carbon with one double bond; level -7, or 0 when a heteroatom
  /// is attached to either end.
  static tprediction sp2shift(const tnmrgraph& graph, int atom);
  /// The increment of the neighbours two to four bonds away from an sp
  /// carbon with one triple bond; -9999 when level is 0.
  static double spincrement(const tnmrgraph& graph, int atom, int level);
};

/// The shift correction for the smallest ring of 3 to 6 atoms holding atom:
/// carbon-13 and hydrogen values; 0 for other nuclei and outside rings.
double smallringcorrection(const tnmrgraph& graph, int atom, int nucleus);

/// Size of the smallest ring of 3 to 6 atoms through atom; 0 when none.
int smallestring(const tnmrgraph& graph, int atom);

}  // namespace molvane
