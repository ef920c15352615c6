// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/database_builder.h"

#include "document/drawing.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "testing/smiles_drawing.h"

#include <gtest/gtest.h>

#include <string>

namespace molvane {
namespace {

/// A molecule read from SMILES, with measured shifts.
ttrainingmolecule measured(const std::string& smiles,
                           std::vector<tassignedshift> shifts) {
  return {testing::fromsmiles(smiles), std::move(shifts)};
}

tatomshift first(const std::vector<ttrainingmolecule>& molecules, int nucleus,
                 std::size_t which) {
  std::vector<const ttrainingmolecule*> all;
  for (const ttrainingmolecule& molecule : molecules) {
    all.push_back(&molecule);
  }
  std::shared_ptr<tpeakdb> db = builddatabase(all, nucleus, 100);
  return predictshifts(*molecules[which].structure, db).front();
}

// A class seen on a single atom is learnt by heart: for carbon, whose
// increment schemes back up shallow matches, it never takes room; for
// fluorine, which has none, it fills the room the other classes leave.
TEST(DatabaseBuilder, ClassesOfOneAtomOnlyFillRoomWithoutSchemes) {
  std::vector<ttrainingmolecule> carbon;
  carbon.push_back(measured("CCO", {{0, 18.2}, {1, 58.3}}));
  carbon.push_back(measured("CCO", {{0, 18.4}, {1, 58.1}}));
  carbon.push_back(measured("CCCF", {{0, 13.2}, {1, 26.1}}));
  EXPECT_LT(std::abs(first(carbon, 6, 2).level), 2);

  std::vector<ttrainingmolecule> fluorine;
  fluorine.push_back(measured("FC", {{0, -271.9}}));
  fluorine.push_back(measured("FC", {{0, -272.1}}));
  fluorine.push_back(measured("FCC", {{0, -212.8}}));
  // The learned fluorine increments are averaged into a match this shallow,
  // so the class shows in the depth of the match rather than in the shift.
  EXPECT_EQ(first(fluorine, 9, 2).level, 2);
}

// Textbook shifts are kept as they are: an exact entry for each measured
// atom of a reference, ahead of every class and out of reach of the refit
// that moves class values towards the training atoms.
TEST(DatabaseBuilder, ReferencesGetExactEntriesWithinCapacity) {
  std::vector<ttrainingmolecule> training;
  training.push_back(measured("CCO", {{0, 17.0}, {1, 57.0}}));
  training.push_back(measured("CCO", {{0, 17.2}, {1, 57.2}}));
  training.push_back(measured("CCCF", {{0, 13.2}, {1, 26.1}}));
  std::vector<ttrainingmolecule> references;
  references.push_back(measured("CCO", {{0, 18.41}, {1, 58.28}}));
  // The two ends of propane share an environment: they get the mean.
  references.push_back(measured("CCC", {{0, 15.0}, {1, 16.0}, {2, 17.0}}));
  std::vector<const ttrainingmolecule*> all;
  for (const ttrainingmolecule& molecule : training) {
    all.push_back(&molecule);
  }
  std::vector<const ttrainingmolecule*> pinned;
  for (const ttrainingmolecule& molecule : references) {
    pinned.push_back(&molecule);
  }
  std::shared_ptr<tpeakdb> db = builddatabase(all, 6, 100, pinned);
  const std::vector<double> expected[] = {{18.4, 58.3}, {16.0, 16.0, 16.0}};
  for (std::size_t m = 0; m < references.size(); ++m) {
    std::vector<tatomshift> shifts =
        predictshifts(*references[m].structure, db);
    ASSERT_EQ(shifts.size(), expected[m].size());
    for (std::size_t i = 0; i < expected[m].size(); ++i) {
      EXPECT_NEAR(shifts[i].shift, expected[m][i], 1e-9);
      EXPECT_EQ(std::abs(shifts[i].level), spherecount);
    }
  }
  // Three reference environments in a database of two: references fill it.
  EXPECT_EQ(builddatabase(all, 6, 2, pinned)->totalcount(), 2);
}

}  // namespace
}  // namespace molvane
