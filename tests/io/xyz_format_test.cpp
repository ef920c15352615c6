// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/xyz_format.h"

#include "chemistry/bond_perception.h"
#include "model/formula.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

using XyzFormatTest = testing::tdrawingtest;
using testing::textof;

TEST_F(XyzFormatTest, TableListsAtomsBondsLabelsAndItsLayout) {
  tatm* c = atom(6, 15.3, 0);
  tatm* o = atom(8, 45.3, 0);
  o->setcharge(-1);
  bond(c, o, 3)->setdelocalised(true);
  drawing().addatom(std::make_unique<tLAtm>("text", 0, 0));
  // The fixed description of the layout closes the file.
  const std::string text = textof(writexyz(drawing()));
  EXPECT_TRUE(
      text.starts_with("2 1\n"
                       " 0.780300  0.000000  0.000000\n"
                       "  6  0  0.000000  0.000000  0.000000\n"
                       "  8 -1  1.530000  0.000000  0.000000\n"
                       "0 1 3 1\n"
                       "C\n"
                       "O\n"
                       "/* FILE FORMAT*\n"))
      << text;
  EXPECT_TRUE(text.ends_with("Atomic_Symbol\n"));
}

TEST_F(XyzFormatTest, TableOfEthaneWithHydrogensReadsBack) {
  tatm* c1 = atom(6, 100, 100, 0);
  tatm* c2 = atom(6, 130, 100, 0);
  bond(c1, c2);
  for (int i = 0; i < 3; ++i) {
    bond(c1, atom(1, 90, 80 + 20 * i, 10, symbollabel));
    bond(c2, atom(1, 140, 80 + 20 * i, -10, symbollabel));
  }
  tatm* d = drawing().atoms.items(7);
  d->symbol = "D";
  treadresult back = readxyz(writexyz(drawing()));
  const tdrawing& read = testing::drawingof(back);
  EXPECT_EQ(read.bonds.count(), 7);
  EXPECT_EQ(hillformula(read), "C2H6");
  EXPECT_EQ(read.atoms.items(7)->symbol, "D");
  EXPECT_NEAR(read.atoms.items(2)->z - read.atoms.items(0)->z, 10.0, 1e-4);
  EXPECT_NEAR(read.atoms.items(2)->y - read.atoms.items(0)->y, -20.0, 1e-4);
}

TEST_F(XyzFormatTest, CommonFilesGetBondsFromDistancesAndNoImplicitHydrogens) {
  treadresult result = readxyz(testing::corpusfile("xyz", "methanol.xyz"));
  const tdrawing& read = testing::drawingof(result);
  EXPECT_EQ(read.title(), "methanol, one hydrogen short");
  EXPECT_EQ(hillformula(read), "CH3O");
  // Molecules have y upwards; the first hydrogen lies above the carbon.
  EXPECT_LT(read.atoms.items(2)->y, read.atoms.items(0)->y);
  EXPECT_NEAR(read.atoms.items(1)->x - read.atoms.items(0)->x, 1.43 * 30 / 1.53,
              1e-9);
  // A count of no atoms is an empty drawing, not an error.
  treadresult none = readxyz(testing::bytesof("0\n"));
  ASSERT_NE(none.drawing, nullptr) << none.error;
  EXPECT_TRUE(none.drawing->atoms.empty());
}

TEST(BondPerception, BondsFollowCovalentRadii) {
  const std::vector<tplacedatom> atoms = {
      {6, 0.0, 0.0, 0.0},     // C
      {6, 1.54, 0.0, 0.0},    // C, single bond
      {1, -0.63, 0.89, 0.0},  // H on the first carbon
      {9, 3.40, 0.0, 0.0},    // F 1.86 Å away: beyond 0.77 + 0.64 + 0.4
      {1, -0.63, 0.89, 0.0},  // H on top of the other one: not bonded to it
      {-1, 0.5, 0.0, 0.0},    // pseudo atom: bonds to nothing
  };
  tperceivedbonds found = perceivebonds(atoms);
  EXPECT_TRUE(found.complete);
  EXPECT_EQ(found.pairs,
            (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {0, 4}}));
  EXPECT_FALSE(perceivebonds(atoms, 2).complete);
}

}  // namespace
}  // namespace molvane
