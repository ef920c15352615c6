// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/database_builder.h"

#include "document/drawing.h"
#include "io/exchange_files.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace molvane {
namespace {

/// A chain molecule read from a small molfile: elements in order, each
/// bonded to the one before by a single bond, with measured shifts.
ttrainingmolecule chain(const std::vector<const char*>& elements,
                        std::vector<tassignedshift> shifts) {
  std::string text = "chain\n  test\n\n";
  char line[80];
  std::snprintf(line, sizeof line,
                "%3zu%3zu  0  0  0  0  0  0  0  0999 V2000\n", elements.size(),
                elements.size() - 1);
  text += line;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    std::snprintf(line, sizeof line,
                  "%10.4f    0.0000    0.0000 %-3s 0  0  0  0  0  0  0  0  0  "
                  "0  0  0\n",
                  1.5 * static_cast<double>(i), elements[i]);
    text += line;
  }
  for (std::size_t i = 1; i < elements.size(); ++i) {
    std::snprintf(line, sizeof line, "%3zu%3zu  1  0\n", i, i + 1);
    text += line;
  }
  text += "M  END\n";
  treadresult read = readmdlfile(std::span<const std::uint8_t>(
      reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  EXPECT_EQ(read.error, "");
  ttrainingmolecule molecule;
  molecule.structure = std::move(read.drawing);
  molecule.shifts = std::move(shifts);
  return molecule;
}

tatomshift predicted(const ttrainingmolecule& molecule,
                     const std::shared_ptr<tpeakdb>& db, int atomindex) {
  for (const tatomshift& shift : predictshifts(*molecule.structure, db)) {
    if (shift.atomindex == atomindex) {
      return shift;
    }
  }
  return {};
}

double shiftof(const ttrainingmolecule& molecule,
               const std::shared_ptr<tpeakdb>& db, int atomindex) {
  return predicted(molecule, db, atomindex).shift;
}

int levelof(const ttrainingmolecule& molecule,
            const std::shared_ptr<tpeakdb>& db, int atomindex) {
  return predicted(molecule, db, atomindex).level;
}

// A class seen on a single atom is learnt by heart: for carbon, whose
// increment schemes back up shallow matches, it never takes room; for
// fluorine, which has none, it fills the room the other classes leave.
TEST(DatabaseBuilder, ClassesOfOneAtomOnlyFillRoomWithoutSchemes) {
  std::vector<ttrainingmolecule> carbon;
  carbon.push_back(chain({"C", "C", "O"}, {{0, 18.2}, {1, 58.3}}));
  carbon.push_back(chain({"C", "C", "O"}, {{0, 18.4}, {1, 58.1}}));
  carbon.push_back(chain({"C", "C", "C", "Cl"}, {{0, 13.2}, {1, 26.1}}));
  std::vector<const ttrainingmolecule*> all;
  for (const ttrainingmolecule& molecule : carbon) {
    all.push_back(&molecule);
  }
  std::shared_ptr<tpeakdb> db = builddatabase(all, 6, 100);
  EXPECT_NEAR(shiftof(carbon[0], db, 1), 58.1, 0.05);
  EXPECT_LT(std::abs(levelof(carbon[2], db, 0)), 2);

  std::vector<ttrainingmolecule> fluorine;
  fluorine.push_back(chain({"F", "C"}, {{0, -271.9}}));
  fluorine.push_back(chain({"F", "C"}, {{0, -272.1}}));
  fluorine.push_back(chain({"F", "C", "C"}, {{0, -212.8}}));
  all.clear();
  for (const ttrainingmolecule& molecule : fluorine) {
    all.push_back(&molecule);
  }
  db = builddatabase(all, 9, 100);
  EXPECT_NEAR(shiftof(fluorine[2], db, 0), -212.8, 0.05);
}

}  // namespace
}  // namespace molvane
