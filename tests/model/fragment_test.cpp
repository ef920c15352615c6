// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fragment.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/formula.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace molvane {
namespace {

class Fragment : public ::testing::Test {
 protected:
  tatm* add(int element, double x, double y, double z = 0.0) {
    return view(drawing.addatom(std::make_unique<tatm>(element, 1, x, y, z)));
  }
  tatm* addpoint(double x, double y) {
    return view(drawing.addatom(std::make_unique<tSXY>(x, y)));
  }
  tatm* view(tatm* atom) {
    fragment.atoms.add(atom);
    return atom;
  }
  void bond(tatm* a, tatm* b, int kind = 2) {
    drawing.addbond(std::make_unique<tbond>(a, 0, tbondstyle::normal, kind, b));
  }

  tdrawing drawing;
  TFragment fragment;
};

TEST_F(Fragment, MolMassAddsImplicitHydrogensOfMainGroupAtomsOnly) {
  const auto expectmass = [this](const char* name, double mass) {
    SCOPED_TRACE(name);
    EXPECT_NEAR(fragment.molmass(), mass, 1e-4);
    EXPECT_NEAR(fragment.molmasskg(), mass * 1.673668165e-24, 1e-27);
    fragment.atoms.clear();
  };
  bond(add(6, 0, 0), add(8, 30, 0));
  expectmass("methanol as C-O", 12.0112 + 15.9994 + 4 * 1.0079);
  // Boron is over-bonded (valence2 -2) and must add nothing.
  tatm* boron = add(5, 0, 0);
  boron->setcharge(-1);
  for (int i = 0; i < 4; ++i) {
    bond(boron, add(9, 30.0 * i, 30));
  }
  expectmass("tetrafluoroborate", 10.811 + 4 * 18.9984);
  // Germanium shows hydrogens on its label but they do not count here.
  add(32, 0, 0);
  expectmass("germanium", 72.59);
  add(0, 0, 0);
  add(-1, 5, 0);
  addpoint(9, 9);
  expectmass("unnamed point, R and a symbol point", 0.0);
}

// 1 u·Å² = 1.660435e-40 g·cm²; at the default bond length one pixel is
// 1.53 / 30 Å. CO2 at 1.53 Å: I = 2 × 15.9994 u × (1.53 Å)², twice, and 0
// about the axis.
TEST_F(Fragment, PrincipalMomentsOfLinearMoleculeAndOfTooFewAtoms) {
  constexpr double moment = 1.243765e-38;
  add(8, 41.3 - 18, -7.9 - 24, 12.2);
  add(6, 41.3, -7.9, 12.2);
  add(8, 41.3 + 18, -7.9 + 24, 12.2);
  const tmoments result = fragment.principalmoments();
  EXPECT_EQ(result.moments[0], 0.0);
  EXPECT_NEAR(result.moments[1] / moment, 1.0, 1e-6);
  EXPECT_NEAR(result.moments[2] / moment, 1.0, 1e-6);
  EXPECT_EQ(result.positive, 2);
  // A chemical atom and a symbol point give neither moments nor charges.
  fragment.atoms.clear();
  tatm* carbon = add(6, 0, 0);
  addpoint(40, 0);
  carbon->eqcharge = 0.5;
  fragment.equilibratecharges();
  EXPECT_EQ(carbon->eqcharge, 0.5);
  EXPECT_EQ(fragment.principalmoments().positive, 0);
}

TEST_F(Fragment, MirrorTwiceRestoresCoordinates) {
  tatm* first = add(6, 1.25, -3.5, 7.0);
  tatm* second = add(8, 20.5, 4.75, -2.0);
  addpoint(-9.0, 11.0);
  const auto coordinate = [](const tatm* atom, int axis) {
    return axis == 1 ? atom->x : axis == 2 ? atom->y : atom->z;
  };
  const txyzList before = fragment.atoms.savecoords();
  for (int axis = 1; axis <= 3; ++axis) {
    SCOPED_TRACE(axis);
    const double target = coordinate(second, axis);
    fragment.atoms.mirror(axis);
    // The centre is that of the two chemical atoms, which swap places.
    EXPECT_NEAR(coordinate(first, axis), target, 1e-12);
    fragment.atoms.mirror(axis);
    for (std::size_t i = 0; i < before.size(); ++i) {
      EXPECT_NEAR(fragment.atoms.savecoords()[i].y, before[i].y, 1e-12);
    }
  }
}

TEST_F(Fragment, CentroidsSkipSymbolPointsAndLockedFragmentsStay) {
  add(6, 0, 0, 5);
  add(6, 30, 10, 5);
  fragment.locked = 1;
  fragment.movecentroidto(100, 200);
  EXPECT_EQ(fragment.atoms.first()->x, 0.0);
  fragment.locked = 0;
  fragment.movecentroidto(100, 200);
  EXPECT_DOUBLE_EQ(fragment.centroid().y, 200.0);
  // The centroid skips symbol points unless there is nothing else.
  fragment.atoms.clear();
  EXPECT_EQ(fragment.centroidint(), (std::array<int, 3>{0, 0, 0}));
  addpoint(10, 20);
  addpoint(30, 40);
  EXPECT_DOUBLE_EQ(fragment.atoms.centroid3().y, 30.0);
  add(6, 2, 3, 5);
  add(6, 3, 4, 2);
  // (2.5, 3.5, 3.5) rounds half to even.
  EXPECT_EQ(fragment.centroidint(), (std::array<int, 3>{2, 4, 4}));
  EXPECT_DOUBLE_EQ(fragment.cy, 3.5);
}

TEST_F(Fragment, NearestAtomTieKeepsEarlierAtom) {
  EXPECT_EQ(fragment.nearestatom(nullptr, 0, 0), nullptr);
  tatm* left = add(6, -10, 0);
  tatm* right = add(6, 10, 0);
  add(6, 0, 10.5);
  EXPECT_EQ(fragment.nearestatom(nullptr, 0, 0), left);
  tAtoms reversed;
  reversed.add(right);
  reversed.add(left);
  EXPECT_EQ(fragment.nearestatom(&reversed, 0, 0), right);
  EXPECT_EQ(fragment.nearestatom(&reversed, -3, 90), left);
}

TEST_F(Fragment, ShakeIsReproducibleAndKeepsTheCentreOfMass) {
  bond(add(6, 0, 0, 0), add(8, 40, 10, -5));
  add(17, -30, 25, 15);
  const txyzList start = fragment.atoms.savecoords();
  const TXYZ centre = fragment.centreofmass();
  const auto shaken = [this, &start] {
    fragment.atoms.restorecoords(start);
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> uniform;
    fragment.shake(5.0, [&] { return uniform(random); });
    return fragment.atoms.savecoords();
  };
  const txyzList first = shaken();
  EXPECT_NEAR(fragment.centroid().y, centre.y, 1e-9);
  EXPECT_NE(first[1].x, start[1].x);
  EXPECT_EQ(shaken()[2].z, first[2].z);
}

TEST_F(Fragment, EquilibrateChargesFollowElectronegativity) {
  tatm* carbon = add(6, 0, 0);
  bond(carbon, add(8, 30, 0));
  fragment.equilibratecharges();
  // For two neutral atoms the weights cancel: q(C) = (3.5 - 2.5) × 0.92/3.3.
  EXPECT_NEAR(carbon->eqcharge, 0.92 / 3.3, 1e-6);
  // A third atom on the oxygen's point must not give infinities.
  tatm* nitrogen = add(7, 30, 0);
  fragment.equilibratecharges();
  EXPECT_TRUE(std::isfinite(nitrogen->eqcharge));
}

TEST_F(Fragment, PhaseTextAndReactivity) {
  struct tcase {
    std::uint8_t phase;
    double amount;
    std::string text;
    bool reactive;
  };
  for (const tcase& test : std::vector<tcase>{
           {0, 1.0, " 1.00(g)", true},
           {otherphase, -2.0, "-2.00(x)", false},
           {solidphase, 7.25, "(s)", true},
           {solventphase, 3.0, "solv", false},
           {gasphase, 0.001, " 0.00(g)", false},
       }) {
    SCOPED_TRACE(test.text);
    fragment.phase = test.phase;
    fragment.amount = test.amount;
    EXPECT_EQ(fragment.phasetext(), test.text);
    EXPECT_EQ(fragment.isreactive(), test.reactive);
  }
}

TEST_F(Fragment, CalcBoundsWidensRoundedPositionsByOnePixel) {
  add(6, 10.4, 20.0);
  add(6, 30.6, 5.5);  // 5.5 rounds to 6
  fragment.calcbounds();
  EXPECT_EQ(fragment.bbox, (std::array<std::int32_t, 4>{9, 32, 5, 21}));
  EXPECT_EQ(fragment.frame, (std::array<std::int32_t, 4>{9, 5, 32, 21}));
  EXPECT_EQ(fragment.width, 23);
}

TEST_F(Fragment, RotateAxisTurnsAboutTheCentre) {
  tatm* atom = add(6, 20, 0, 0);
  fragment.rotateaxis(3, 90, {10, 0, 0});
  EXPECT_NEAR(atom->x, 10.0, 1e-12);
  EXPECT_NEAR(atom->y, 10.0, 1e-12);
  EXPECT_EQ(atom->sy, 10);
  // From the reference copy the first turn is forgotten.
  fragment.rotateaxis(1, 90, {0, 0, 0}, true);
  EXPECT_NEAR(atom->x, 20.0, 1e-12);
  EXPECT_NEAR(atom->y, 0.0, 1e-12);
}

using FormulaTest = testing::tdrawingtest;

TEST_F(FormulaTest, CarbonAndHydrogenLeadWhenThereIsCarbon) {
  tatm* c2 = atom(6, 30, 0);
  bond(atom(6, 0, 0), c2);
  bond(c2, atom(8, 60, 0));
  EXPECT_EQ(formulatext(drawing()), "C2 H6 O ");
  EXPECT_EQ(hillformula(drawing()), "C2H6O");
  EXPECT_EQ(formulaweighttext(drawing()), "    46.069");
  // 2 x 12.0112, 6 x 1.00794 and 15.9994 of 46.0692.
  EXPECT_EQ(compositiontext(drawing()), "52.1C 13.1H 34.7O ");
  // Without carbon, hydrogens come first.
  session().newdrawing();
  EXPECT_EQ(formulatext(drawing()), "");
  EXPECT_EQ(hillformula(drawing()), "");
  atom(8, 0, 0);
  EXPECT_EQ(formulatext(drawing()), "H2 O ");
  EXPECT_EQ(hillformula(drawing()), "H2O");
  EXPECT_EQ(compositiontext(drawing()), "11.2H 88.8O ");
}

TEST_F(FormulaTest, CountsSingleHydrogensExplicitOnesAndSkipsLabels) {
  // One implicit hydrogen gets its digit, other single atoms do not.
  for (int neighbour : {17, 1}) {
    session().newdrawing();
    tatm* c = atom(6, 0, 0);
    for (int i = 0; i < (neighbour == 1 ? 4 : 3); ++i) {
      bond(c, atom(neighbour, 30.0 * i, 30));
    }
    drawing().addatom(std::make_unique<tLAtm>("methane", 0, 60));
    drawing().addatom(std::make_unique<tSXY>(0, 90));
    EXPECT_EQ(formulatext(drawing()), neighbour == 1 ? "C H4 " : "C H1 Cl3 ");
    EXPECT_EQ(hillformula(drawing()), neighbour == 1 ? "CH4" : "CHCl3");
  }
}

TEST_F(FormulaTest, FixedPlacesOnlyWhenTheListIsLongEnough) {
  // NaSCN drawn S, Na, N, C: S (place 5) and Na are appended to the short
  // list, then N goes to place 1 and C to place 0.
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

}  // namespace
}  // namespace molvane

namespace molvane {
namespace {

// Issue 29: past 500 atoms the charges take the pairs within a cutoff;
// they must stay those of every pair, as far as a few bond lengths show.
TEST(FragmentCharges, LargeDrawingsKeepTheChargesOfEveryPair) {
  auto chain = [](int length, std::vector<double>& charges) {
    tdrawing drawing;
    TFragment fragment;
    for (int i = 0; i < length; ++i) {
      // C-O-C-O... as a zigzag, with a charged atom among the first.
      const int element = i == 7 ? 7 : i % 2 == 0 ? 6 : 8;
      auto atom = std::make_unique<tatm>(element, 1, 26.0 * i,
                                         i % 2 == 0 ? 0.0 : 15.0, 0.0);
      if (i == 7) {
        atom->setcharge(1);
      }
      fragment.atoms.add(drawing.addatom(std::move(atom)));
    }
    fragment.equilibratecharges();
    charges.clear();
    for (const tatm* atom : fragment.atoms) {
      charges.push_back(atom->eqcharge);
    }
  };
  std::vector<double> exact;
  std::vector<double> near;
  chain(500, exact);
  chain(501, near);
  for (std::size_t i = 0; i < 40; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(near[i], exact[i], 2e-3 * std::abs(exact[i]) + 1e-9);
  }
  // Far along the chain the two agree as well, and nothing is lost: the
  // neutral atoms still carry charges of both signs.
  EXPECT_NEAR(near[250], exact[250], 2e-3 * std::abs(exact[250]));
  EXPECT_GT(near[250] * near[251], -1.0);
  EXPECT_LT(near[250] * near[251], 0.0);
}

}  // namespace
}  // namespace molvane
