// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/valence_check.h"

#include "chemistry/valence.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/molecule_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::tmolecule;

/// A centre of element (atom 0) bonded to one neighbour per entry of
/// kinds, the neighbours of the given element.
tmolecule star(int element, int neighbour, const std::vector<int>& kinds) {
  std::vector<double> atoms = {static_cast<double>(element), 0, 0, 0};
  std::vector<int> bonds;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    atoms.insert(atoms.end(),
                 {static_cast<double>(neighbour), 1.0 + i, 0.5 * i, 0});
    bonds.insert(bonds.end(), {0, static_cast<int>(i) + 1, kinds[i]});
  }
  return tmolecule(atoms, bonds);
}

// Issue #30: a double bond that made a pentavalent carbon, a chlorine with
// two ring bonds, were accepted silently.
TEST(ValenceCheck, FlagsAtomsOverTheirValenceOnly) {
  struct tcase {
    const char* what;
    int element;
    int charge;
    int neighbour;
    std::vector<int> kinds;
    int flagged;  ///< bonds of the centre when it is flagged, else 0
  };
  const tcase cases[] = {
      {"methane", 6, 0, 1, {2, 2, 2, 2}, 0},
      {"carbon with a double bond too many", 6, 0, 6, {4, 2, 2, 2}, 5},
      {"chlorine in two bonds", 17, 0, 6, {2, 2}, 2},
      {"ammonium", 7, 1, 1, {2, 2, 2, 2}, 0},
      {"neutral nitrogen with four bonds", 7, 0, 1, {2, 2, 2, 2}, 4},
      {"nitro drawn without charges", 7, 0, 8, {4, 4, 2}, 5},
      {"alkoxide", 8, -1, 6, {2}, 0},
      {"sulfur hexafluoride", 16, 0, 9, {2, 2, 2, 2, 2, 2}, 0},
      {"dotted half bonds use no valence", 8, 0, 1, {2, 2, 1}, 0},
      {"iron is not checked", 26, 0, 6, {2, 2, 2, 2, 2, 2, 2}, 0},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.what);
    tmolecule molecule = star(c.element, c.neighbour, c.kinds);
    molecule.atom(0).setcharge(c.charge);
    const std::vector<tvalenceproblem> problems =
        valenceproblems(molecule.drawing);
    if (c.flagged == 0) {
      EXPECT_TRUE(problems.empty());
      continue;
    }
    ASSERT_EQ(problems.size(), 1U);
    EXPECT_EQ(problems[0].atom, &molecule.atom(0));
    EXPECT_EQ(problems[0].position, 1);
    EXPECT_EQ(problems[0].bonds, c.flagged);
  }
}

TEST(ValenceCheck, RingsOfOneAndAHalfBondsPassAndNothingIsChanged) {
  // Naphthalene's skeleton drawn with one-and-a-half bonds: the fusion
  // carbons have three of them.
  std::vector<double> atoms;
  for (int i = 0; i < 10; ++i) {
    atoms.insert(atoms.end(), {6, 1.0 * i, 0.3 * (i % 3), 0});
  }
  const std::vector<int> bonds = {0, 1, 3, 1, 2, 3, 2, 3, 3, 3, 4,
                                  3, 4, 5, 3, 5, 0, 3, 4, 6, 3, 6,
                                  7, 3, 7, 8, 3, 8, 9, 3, 9, 5, 3};
  tmolecule naphthalene(atoms, bonds);
  EXPECT_TRUE(valenceproblems(naphthalene.drawing).empty());
  // One more bond at a fusion carbon is one too many; its neighbour's
  // half bond of the ring leaves it room.
  tmolecule crowded(atoms, bonds);
  crowded.drawing.addbond(std::make_unique<tbond>(
      &crowded.atom(5), 0, tbondstyle::normal, 2, &crowded.atom(2)));
  const std::vector<tvalenceproblem> problems =
      valenceproblems(crowded.drawing);
  ASSERT_EQ(problems.size(), 1U);
  EXPECT_EQ(problems[0].position, 6);
  EXPECT_EQ(problems[0].bonds, 5);
  EXPECT_EQ(crowded.drawing.bonds.count(), 12);
  EXPECT_EQ(crowded.atom(5).element, 6);
}

TEST(ValenceCheck, TextNamesTheFirstFewAtoms) {
  EXPECT_EQ(valencetext({}), "");
  tmolecule chlorine = star(17, 6, {2, 2});
  EXPECT_EQ(valencetext(valenceproblems(chlorine.drawing)),
            "Valence: Cl1 has 2 bonds");
  tmolecule carbon = star(6, 6, {4, 2, 2, 2});
  std::vector<tvalenceproblem> many(6, valenceproblems(carbon.drawing)[0]);
  EXPECT_EQ(valencetext(many),
            "Valence: C1 has 5 bonds, C1 has 5 bonds, C1 has 5 bonds, "
            "C1 has 5 bonds and 2 more");
}

TEST(ValenceCheck, LargestValenceFollowsPeriodAndCharge) {
  EXPECT_EQ(largestvalence(7, 0), 3);
  EXPECT_EQ(largestvalence(7, 1), 4);
  EXPECT_EQ(largestvalence(6, -1), 3);
  EXPECT_EQ(largestvalence(5, -1), 4);
  EXPECT_EQ(largestvalence(16, 0), 6);
  EXPECT_EQ(largestvalence(26, 0), std::nullopt);
  EXPECT_EQ(largestvalence(-1, 0), std::nullopt);
}

}  // namespace
}  // namespace molvane
