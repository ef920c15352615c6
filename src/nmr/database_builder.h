// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/structure.h"
#include "nmr/assigned_shifts.h"

#include <memory>
#include <vector>

namespace molvane {

class tpeakdb;

/// A molecule with measured shifts of one nucleus on some of its atoms
/// (for hydrogen: on the atoms that carry the protons).
struct ttrainingmolecule {
  std::unique_ptr<tStructure> structure;
  std::vector<tassignedshift> shifts;
};

/// Prediction errors over a set of molecules.
struct tshifterrors {
  double abserror = 0.0;
  /// Measured atoms, and those of them that got a shift.
  int atoms = 0;
  int predicted = 0;
  double seconds = 0.0;
  int molecules = 0;

  double mae() const { return predicted > 0 ? abserror / predicted : 0.0; }
  double coverage() const {
    return atoms > 0 ? static_cast<double>(predicted) / atoms : 0.0;
  }
  void add(const tshifterrors& other);
};

/// The default number of entries: the database's limit less room for the
/// shifts users teach it.
int defaultcapacity(int nucleus);

/// Chooses at most capacity entries for nucleus from the measured atoms of
/// the given molecules, the ones that lower the error of the whole predictor
/// most on them: entries for the exact environments and for shared leading
/// spheres of environments (so that partial matches get the typical shift
/// of their class), each carrying the median shift of the atoms it ends up
/// predicting. Classes are ranked by what their median gains on atoms left
/// out of it, so rare deep classes do not crowd out well-supported shallow
/// ones.
///
/// Each measured atom of references (molecules whose shifts are textbook
/// values, such as common solvents) gets an entry of its exact environment
/// carrying its own shift (the mean where several atoms share one), before
/// anything else and within capacity; references take no other part in the
/// choice.
std::unique_ptr<tpeakdb> builddatabase(
    const std::vector<const ttrainingmolecule*>& molecules, int nucleus,
    int capacity, const std::vector<const ttrainingmolecule*>& references = {});

/// Predicts every molecule with db and compares with the measured shifts;
/// carbononly limits the comparison to atoms of carbon (C-H protons).
tshifterrors evaluatedatabase(
    const std::shared_ptr<tpeakdb>& db,
    const std::vector<const ttrainingmolecule*>& molecules, bool carbononly);

/// k-fold cross-validation: molecule i is tested in fold i mod folds with a
/// database built from the other folds (and for carbon, unless
/// withoutmodel, a carbon model fitted to them). Every fold's database
/// also holds the entries of references, which are never tested.
tshifterrors crossvalidate(
    const std::vector<ttrainingmolecule>& molecules, int nucleus, int capacity,
    int folds, bool carbononly, bool withoutmodel = false,
    const std::vector<const ttrainingmolecule*>& references = {});

}  // namespace molvane
