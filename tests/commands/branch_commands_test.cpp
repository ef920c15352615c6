// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/branch_commands.h"

#include "chemistry/build_geometry.h"
#include "model/bond.h"
#include "testing/command_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace molvane {
namespace {

using BranchCommandsTest = testing::tcommandtest;
using testing::angleat;
using testing::heading;

constexpr double standard = 30.0;

/// A point in direction degrees from atom, near enough to it (less than
/// half a bond) that the atom stays the nearest one.
std::pair<double, double> clickat(const tatm& atom, double degrees) {
  const double r = degrees * std::numbers::pi / 180.0;
  return {atom.x + 12.0 * std::cos(r), atom.y + 12.0 * std::sin(r)};
}

TEST_F(BranchCommandsTest, FlatNeighboursDecideTheDirection) {
  // Headings of the anchor's bonds.
  const std::vector<double> none, one{180}, two{210, 150}, line{180, 0},
      three{90, 210, 330}, four{0, 90, 180, 270};
  struct tcase {
    const std::vector<double>& neighbours;
    int kind;
    double click;  ///< heading of a click near the anchor
    double heading;
    bool deadzone = false;  ///< a click right on the anchor is refused
  };
  // A lone atom snaps to eight directions (each boundary from both sides);
  // one neighbour gives 120 degrees on the click side, an sp centre goes
  // straight on; two give the open bisector or the line between them;
  // collinear ones and a crowded centre follow the click; three coplanar
  // ones put it on a 30 degree grid.
  const tcase cases[] = {
      {none, 2, 29, 0},     {none, 2, 30, 45},       {none, 2, 359.6, 0},
      {one, 2, 63, 60},     {one, 2, 297, 300},      {one, 6, 90, 0},
      {two, 2, 6, 0, true}, {two, 2, 180, 180},      {line, 2, 76, 76},
      {three, 2, 44, 30},   {four, 2, 45, 45, true}, {three, 2, 46, 60}};
  for (const tcase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.neighbours) + " click " +
                 std::to_string(c.click));
    session().newdrawing();
    tatm* anchor = atom(6, 100, 100);
    for (double d : c.neighbours) {
      const TXYZ v = detail::planedirection(d);
      bond(atom(6, 100 + 30 * v.x, 100 + 30 * v.y), anchor, c.kind);
    }
    if (c.deadzone) {
      EXPECT_FALSE(branchatom(context(), 100.0005, 100));
    }
    auto [x, y] = clickat(*anchor, c.click);
    tbranch branch = branchatom(context(), x, y);
    ASSERT_TRUE(branch);
    EXPECT_NEAR(heading(*anchor, *branch.atom), c.heading, 1e-6);
  }
  // A click on the one bond's own line still gives a 120 degree bond.
  session().newdrawing();
  tatm* anchor = atom(6, 0, 0);
  bond(anchor, atom(6, -30, 0));
  EXPECT_NEAR(
      std::abs(heading(*anchor, *branchatom(context(), 40, 0).atom) - 180.0),
      120.0, 1e-3);
}

TEST_F(BranchCommandsTest, PyramidalCentreTakesTheFreeTetrahedralDirection) {
  tatm* anchor = atom(6, 0, 0);
  const double t = std::acos(-1.0 / 3.0);
  const TXYZ directions[] = {
      {1, 0, 0},
      {std::cos(t), std::sin(t), 0},
      {std::cos(t), std::sin(t) * std::cos(2 * std::numbers::pi / 3),
       std::sin(t) * std::sin(2 * std::numbers::pi / 3)}};
  for (const TXYZ& d : directions) {
    bond(anchor, atom(6, 30 * d.x, 30 * d.y, 30 * d.z));
  }
  tbranch branch = branchatom(context(), -5, 0);
  ASSERT_TRUE(branch);
  EXPECT_NEAR(anchor->distance(*branch.atom), standard, 1e-9);
  const TXYZ made = detail::unit(detail::pointof(*branch.atom));
  for (const TXYZ& d : directions) {
    EXPECT_NEAR(detail::dot(made, d), -1.0 / 3.0, 1e-9);
  }
}

TEST_F(BranchCommandsTest, OnlyChemicalAtomsWithFewNeighboursTakeBranches) {
  testing::trecordingmessages& messages = recordmessages();
  EXPECT_FALSE(branchatom(context(), 0, 0));
  EXPECT_EQ(messages.informs, std::vector<std::string>{"No Atoms"});
  drawing().addatom(std::make_unique<tLAtm>("note", 0, 0));
  EXPECT_FALSE(branchatom(context(), 5, 5));
  EXPECT_FALSE(branchelement(context(), 5, 5, 8));

  session().newdrawing();
  tatm* centre = atom(26, 0, 0);
  for (int i = 0; i < 17; ++i) {
    bond(centre, atom(1, 30 * std::cos(i * 0.3), 30 * std::sin(i * 0.3)));
  }
  EXPECT_FALSE(branchatom(context(), 0.5, 0));
  EXPECT_EQ(messages.informs.size(), 1U);
}

TEST_F(BranchCommandsTest, ElementBranchesShowHydrogensAwayFromTheAnchor) {
  struct tcase {
    int element;
    double click;
    int hydrogens, direction, labelmode;
  };
  // Oxygen and sulphur labels turn round on the left; nitrogen's do not.
  for (const tcase& c :
       {tcase{8, 180, 1, -1, hydrogenlabel}, tcase{8, 0, 1, 1, hydrogenlabel},
        tcase{7, 180, 2, 1, hydrogenlabel}, tcase{26, 90, 0, 1, symbollabel},
        tcase{-1, 90, 0, 1, symbollabel}}) {
    SCOPED_TRACE(c.element);
    session().newdrawing();
    tatm* anchor = atom(6, 100, 100);
    auto [x, y] = clickat(*anchor, c.click);
    tbranch branch = branchelement(context(), x, y, c.element);
    ASSERT_TRUE(branch);
    EXPECT_EQ(branch.atom->labelmode, c.labelmode);
    EXPECT_EQ(branch.atom->implicithydrogens(), c.hydrogens);
    EXPECT_EQ(branch.atom->direction, c.direction);
  }
}

TEST_F(BranchCommandsTest, AxisBranchesLieOnTheNearestScreenAxis) {
  struct tcase {
    double click, x, y;
  };
  for (const tcase& c : {tcase{45, 30, 0}, tcase{46, 0, 30}, tcase{226, 0, -30},
                         tcase{315, 30, 0}}) {
    SCOPED_TRACE(c.click);
    session().newdrawing();
    tatm* anchor = atom(6, 0, 0);
    auto [x, y] = clickat(*anchor, c.click);
    tbranch branch = branchalongaxis(context(), x, y, 8, false);
    ASSERT_TRUE(branch);
    EXPECT_NEAR(branch.atom->x, c.x, 1e-9);
    EXPECT_NEAR(branch.atom->y, c.y, 1e-9);
    // The label is written away from the anchor where the atom ended up.
    EXPECT_EQ(branch.atom->direction, c.x < 0 ? -1 : 1);
  }
  EXPECT_EQ(branchalongaxis(context(), 50, 0, 6, true).atom->labelmode,
            nolabel);
}

TEST_F(BranchCommandsTest, DoubleBondedAndElementBranchesTakeTheirBonds) {
  tatm* anchor = atom(6, 0, 0);
  tbranch oxo = branchdoublebonded(context(), 50, 0, 8);
  ASSERT_TRUE(oxo);
  EXPECT_EQ(oxo.bond->kind(), 4);
  EXPECT_EQ(oxo.bond->style, tbondstyle::centred);
  EXPECT_EQ(anchor->implicithydrogens(), 2);

  tbranch methylene = branchdoublebonded(context(), -50, 0, 6);
  EXPECT_EQ(methylene.atom->labelmode, nolabel);
  EXPECT_EQ(methylene.atom->implicithydrogens(), 2);
  EXPECT_EQ(anchor->implicithydrogens(), 0);

  // An element branch takes its ideal length only in 3D.
  session().newdrawing();
  anchor = atom(6, 0, 0);
  EXPECT_NEAR(anchor->distance(*branchelement(context(), 50, 0, 17).atom),
              standard, 1e-9);
  session().settings.build3d = true;
  tbranch deep = branchelement(context(), -50, 0, 17);
  EXPECT_NEAR(anchor->distance(*deep.atom), deep.bond->ideallength(), 1e-9);
}

// In 3D building a click inside the angle of an anchor's two
// bonds put "=O" between them, where no trigonal centre has a bond.
TEST_F(BranchCommandsTest, DoubleBondedBranchesIn3DTakeTheTrigonalPosition) {
  session().settings.build3d = true;
  // Two bonds bent out of the screen plane, or the first alone.
  const TXYZ bent[] = {{-0.5, 0.7, std::sqrt(0.26)},
                       {-0.5, -0.7, std::sqrt(0.26)}};
  for (int bonds : {1, 2}) {
    for (double click : {180.0, 90.0}) {
      SCOPED_TRACE(std::to_string(bonds) + " at " + std::to_string(click));
      session().newdrawing();
      tatm* anchor = atom(6, 0, 0);
      tatm* others[2] = {};
      for (int i = 0; i < bonds; ++i) {
        others[i] = atom(6, 30 * bent[i].x, 30 * bent[i].y, 30 * bent[i].z);
        bond(anchor, others[i]);
      }
      auto [x, y] = clickat(*anchor, click);
      tbranch branch = branchdoublebonded(context(), x, y, 8);
      ASSERT_TRUE(branch);
      EXPECT_NEAR(anchor->distance(*branch.atom), branch.bond->ideallength(),
                  1e-9);
      // With two bonds, in their plane on the open side: the three angles
      // of a flat centre add up to a full turn.
      double angles = angleat(*anchor, *others[0], *branch.atom);
      if (bonds == 2) {
        angles += angleat(*anchor, *others[1], *branch.atom) +
                  angleat(*anchor, *others[0], *others[1]);
      }
      EXPECT_NEAR(angles, bonds == 1 ? 120.0 : 360.0, 1e-6);
    }
  }
}

}  // namespace
}  // namespace molvane
