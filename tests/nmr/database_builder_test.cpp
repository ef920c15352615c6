// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/database_builder.h"

#include "document/drawing.h"
#include "io/exchange_files.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace molvane {
namespace {

/// A chain of single bonds read from a molfile, with measured shifts.
ttrainingmolecule chain(const std::string& elements,
                        std::vector<tassignedshift> shifts) {
  char line[80];
  std::snprintf(line, sizeof line,
                "x\n\n\n%3zu%3zu  0  0  0  0  0  0  0  0999 V2000\n",
                elements.size(), elements.size() - 1);
  std::string text = line;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    std::snprintf(line, sizeof line,
                  "%10.4f    0.0000    0.0000 %c   0  0  0  0  0  0\n",
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
  return {std::move(read.drawing), std::move(shifts)};
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
  carbon.push_back(chain("CCO", {{0, 18.2}, {1, 58.3}}));
  carbon.push_back(chain("CCO", {{0, 18.4}, {1, 58.1}}));
  carbon.push_back(chain("CCCF", {{0, 13.2}, {1, 26.1}}));
  EXPECT_LT(std::abs(first(carbon, 6, 2).level), 2);

  std::vector<ttrainingmolecule> fluorine;
  fluorine.push_back(chain("FC", {{0, -271.9}}));
  fluorine.push_back(chain("FC", {{0, -272.1}}));
  fluorine.push_back(chain("FCC", {{0, -212.8}}));
  // The learned fluorine increments are averaged into a match this shallow,
  // so the class shows in the depth of the match rather than in the shift.
  EXPECT_EQ(first(fluorine, 9, 2).level, 2);
}

}  // namespace
}  // namespace molvane
