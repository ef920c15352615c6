// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/formula.h"

#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

using FormulaTest = testing::tdrawingtest;

TEST_F(FormulaTest, EthanolListsCarbonHydrogenThenOxygen) {
  tatm* c1 = atom(6, 0, 0);
  tatm* c2 = atom(6, 30, 0);
  tatm* o = atom(8, 60, 0);
  bond(c1, c2);
  bond(c2, o);
  EXPECT_EQ(formulatext(drawing()), "C2 H6 O ");
  EXPECT_EQ(hillformula(drawing()), "C2H6O");
  EXPECT_EQ(formulaweighttext(drawing()), "    46.069");
  // 2 x 12.0112, 6 x 1.00794 and 15.9994 of 46.0692.
  EXPECT_EQ(compositiontext(drawing()), "52.1C 13.1H 34.7O ");
}

TEST_F(FormulaTest, WithoutCarbonHydrogensComeFirst) {
  atom(8, 0, 0);
  EXPECT_EQ(formulatext(drawing()), "H2 O ");
  EXPECT_EQ(hillformula(drawing()), "H2O");
  EXPECT_EQ(compositiontext(drawing()), "11.2H 88.8O ");
}

TEST_F(FormulaTest, SingleHydrogenIsCountedOtherSinglesAreNot) {
  tatm* c = atom(6, 0, 0);
  for (int i = 0; i < 3; ++i) {
    bond(c, atom(17, 30.0 * i, 30));
  }
  EXPECT_EQ(formulatext(drawing()), "C H1 Cl3 ");
  EXPECT_EQ(hillformula(drawing()), "CHCl3");
}

TEST_F(FormulaTest, FixedPlacesOnlyWhenTheListIsLongEnough) {
  // Sodium thiocyanate drawn S, Na, N, C: sulphur (place 5) and sodium are
  // appended while the list is short, nitrogen then goes to place 1 and
  // carbon to place 0.
  tatm* s = atom(16, 0, 0);
  tatm* na = atom(11, 30, 0);
  tatm* n = atom(7, 60, 0);
  tatm* c = atom(6, 90, 0);
  bond(c, n, 6);
  bond(c, s);
  bond(s, na);
  EXPECT_EQ(formulatext(drawing()), "C S N Na ");
  EXPECT_EQ(hillformula(drawing()), "CNNaS");
}

TEST_F(FormulaTest, ExplicitHydrogensLabelsAndPointsAreHandled) {
  tatm* c = atom(6, 0, 0);
  for (int i = 0; i < 4; ++i) {
    bond(c, atom(1, 30.0 * i, 30));
  }
  drawing().addatom(std::make_unique<tLAtm>("methane", 0, 60));
  drawing().addatom(std::make_unique<tSXY>(0, 90));
  EXPECT_EQ(formulatext(drawing()), "C H4 ");
  EXPECT_EQ(hillformula(drawing()), "CH4");
}

TEST_F(FormulaTest, EmptyDrawingHasNoFormula) {
  EXPECT_EQ(formulatext(drawing()), "");
  EXPECT_EQ(hillformula(drawing()), "");
  EXPECT_EQ(compositiontext(drawing()), "");
}

}  // namespace
}  // namespace molvane
