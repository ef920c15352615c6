// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/peak_database.h"

namespace molvane {

class tnmrgraph;

/// The fallbacks that build a shift from database lookups of an atom in
/// reduced surroundings: bonds are cut in the working graph, elements
/// changed, and everything is put back before each scheme returns. Every
/// scheme gives a negative level, or noshift and level 0 when it fails.
class tincrementschemes {
 public:
  tincrementschemes(const tpeakdb& db, tnmrgraph& graph)
      : db_(db), graph_(graph) {}

  /// Ring carbons and heteroatoms of an aromatic system: the bare ring plus
  /// one increment per ring heteroatom and per substituent.
  tprediction predictaromatic(int atom);
  /// Carbons of a C=C double bond or the end of an allene.
  tprediction predictsp2(int atom);
  /// The centre of an allene or a carbon of a C#C triple bond.
  tprediction predictsp(int atom);
  /// Carbon: the alkane increments, else the star scheme; nitrogen: the
  /// star scheme; other nuclei: none.
  tprediction predictsp3(int atom);
  /// The bare atom plus one increment per substituent.
  tprediction starscheme(int atom);
  /// The scheme of the atom's hybridisation code (1 sp ... 4 aromatic), or
  /// the learned table of its shift class (fluorine, sp3 C-H protons).
  tprediction byhybridization(int atom, int hybridization);

 private:
  tprediction lookup(int atom) const;

  const tpeakdb& db_;
  tnmrgraph& graph_;
};

}  // namespace molvane
