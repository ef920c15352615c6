// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/branch_commands.h"

#include "commands/build_geometry.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace molvane {
namespace {

using BranchCommandsTest = testing::tdrawingtest;
using testing::angleat;
using testing::heading;

constexpr double standard = 30.0;

/// A point in direction degrees from atom, near enough to it (less than
/// half a bond) that the atom stays the nearest one.
std::pair<double, double> clickat(const tatm& atom, double degrees) {
  const double r = degrees * std::numbers::pi / 180.0;
  return {atom.x + 12.0 * std::cos(r), atom.y + 12.0 * std::sin(r)};
}

TEST_F(BranchCommandsTest, LoneAtomSnapsTheClickToEightDirections) {
  struct tcase {
    double click;
    double expected;
  };
  // Each boundary from both sides.
  const tcase cases[] = {{29, 0},     {30, 45},   {59.4, 45},   {60, 90},
                         {120.4, 90}, {121, 135}, {300.4, 270}, {301, 315},
                         {330, 0},    {359.6, 0}};
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.click);
    session().newdrawing();
    tatm* anchor = atom(6, 100, 100);
    auto [x, y] = clickat(*anchor, c.click);
    tbranch branch = branchatom(x, y);
    ASSERT_TRUE(branch);
    EXPECT_EQ(branch.bond->atom1, anchor);
    EXPECT_NEAR(anchor->distance(*branch.atom), standard, 1e-9);
    EXPECT_NEAR(heading(*anchor, *branch.atom), c.expected, 1e-9);
    EXPECT_EQ(branch.atom->element, 6);
    EXPECT_EQ(anchor->implicithydrogens(), 3);
  }
}

TEST_F(BranchCommandsTest, OneNeighbourGives120DegreesOnTheClickSide) {
  tatm* anchor = atom(6, 0, 0);
  tatm* other = atom(6, -30, 0);
  bond(anchor, other);
  tbranch below = branchatom(10, 20);
  ASSERT_TRUE(below);
  EXPECT_NEAR(heading(*anchor, *below.atom), 60.0, 1e-6);
  drawing().removeatom(below.atom);

  tbranch above = branchatom(10, -20);
  ASSERT_TRUE(above);
  EXPECT_NEAR(heading(*anchor, *above.atom), 300.0, 1e-6);
  drawing().removeatom(above.atom);

  // A click on the bond's own line still gives a defined 120 degree bond.
  tbranch online = branchatom(40, 0);
  ASSERT_TRUE(online);
  EXPECT_NEAR(anchor->distance(*online.atom), standard, 1e-9);
  EXPECT_NEAR(std::abs(heading(*anchor, *online.atom) - 180.0), 120.0, 1e-3);
}

TEST_F(BranchCommandsTest, PlanarNeighboursDecideTheDirection) {
  struct tcase {
    const char* what;
    std::vector<double> neighbours;  ///< headings of the anchor's bonds
    int kind;
    double x, y;  ///< the click
    double heading;
    bool refusesnearclick;
  };
  const double click = std::atan2(40.0, 10.0) * 180 / std::numbers::pi;
  const tcase cases[] = {
      {"sp centre continues its bond", {180}, 6, 0, 50, 0, false},
      {"two neighbours: open bisector", {210, 150}, 2, 50, 5, 0, true},
      {"two neighbours: between them", {210, 150}, 2, -10, 0, 180, false},
      {"collinear neighbours follow the click",
       {180, 0},
       2,
       10,
       40,
       click,
       false},
      {"crowded centre follows the click",
       {0, 90, 180, 270},
       2,
       8,
       8,
       45,
       true},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.what);
    session().newdrawing();
    tatm* anchor = atom(6, 0, 0);
    for (double d : c.neighbours) {
      const TXYZ v = detail::planedirection(d);
      bond(atom(6, 30 * v.x, 30 * v.y), anchor, c.kind);
    }
    if (c.refusesnearclick) {
      EXPECT_FALSE(branchatom(0.0005, 0));
    }
    tbranch branch = branchatom(c.x, c.y);
    ASSERT_TRUE(branch);
    EXPECT_NEAR(anchor->distance(*branch.atom), standard, 1e-9);
    EXPECT_NEAR(heading(*anchor, *branch.atom), c.heading, 1e-9);
  }
}

TEST_F(BranchCommandsTest,
       ThreeCoplanarNeighboursFollowTheClickOnA30DegreeGrid) {
  tatm* anchor = atom(6, 0, 0);
  for (double d : {90.0, 210.0, 330.0}) {
    const TXYZ v = detail::planedirection(d);
    bond(anchor, atom(6, 30 * v.x, 30 * v.y));
  }
  struct tcase {
    double click;
    double expected;
  };
  for (const tcase& c : {tcase{20, 30}, tcase{44, 30}, tcase{46, 60},
                         tcase{350, 0}, tcase{200, 210}}) {
    SCOPED_TRACE(c.click);
    auto [x, y] = clickat(*anchor, c.click);
    tbranch branch = branchatom(x, y);
    ASSERT_TRUE(branch);
    EXPECT_NEAR(heading(*anchor, *branch.atom), c.expected, 1e-6);
    drawing().removeatom(branch.atom);
  }
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
  tbranch branch = branchatom(-5, 0);
  ASSERT_TRUE(branch);
  EXPECT_NEAR(anchor->distance(*branch.atom), standard, 1e-9);
  const TXYZ made = detail::unit(detail::pointof(*branch.atom));
  for (const TXYZ& d : directions) {
    EXPECT_NEAR(detail::dot(made, d), -1.0 / 3.0, 1e-9);
  }
}

TEST_F(BranchCommandsTest, OnlyChemicalAtomsWithFewNeighboursTakeBranches) {
  testing::trecordingmessages& messages = recordmessages();
  EXPECT_FALSE(branchatom(0, 0));
  EXPECT_EQ(messages.informs, std::vector<std::string>{"No Atoms"});

  drawing().addatom(std::make_unique<tLAtm>("note", 0, 0));
  EXPECT_FALSE(branchatom(5, 5));
  EXPECT_FALSE(branchelement(5, 5, 8));
  EXPECT_EQ(drawing().atoms.count(), 1);

  session().newdrawing();
  tatm* centre = atom(26, 0, 0);
  for (int i = 0; i < 17; ++i) {
    bond(centre, atom(1, 30 * std::cos(i * 0.3), 30 * std::sin(i * 0.3)));
  }
  EXPECT_FALSE(branchatom(0.5, 0));
  EXPECT_EQ(messages.informs.size(), 1U);
}

TEST_F(BranchCommandsTest, ElementBranchesShowHydrogensAwayFromTheAnchor) {
  struct tcase {
    int element;
    double click;
    int hydrogens;
    int direction;
    int labelmode;
  };
  // Oxygen and sulphur labels turn round on the left; nitrogen's do not.
  for (const tcase& c :
       {tcase{8, 180, 1, -1, hydrogenlabel}, tcase{8, 0, 1, 1, hydrogenlabel},
        tcase{16, 135, 1, -1, hydrogenlabel},
        tcase{7, 180, 2, 1, hydrogenlabel}, tcase{9, 90, 0, 1, hydrogenlabel},
        tcase{26, 90, 0, 1, symbollabel}, tcase{-1, 90, 0, 1, symbollabel}}) {
    SCOPED_TRACE(c.element);
    session().newdrawing();
    tatm* anchor = atom(6, 100, 100);
    auto [x, y] = clickat(*anchor, c.click);
    tbranch branch = branchelement(x, y, c.element);
    ASSERT_TRUE(branch);
    EXPECT_EQ(branch.atom->element, c.element);
    EXPECT_EQ(branch.atom->labelmode, c.labelmode);
    EXPECT_EQ(branch.atom->implicithydrogens(), c.hydrogens);
    EXPECT_EQ(branch.atom->direction, c.direction);
    EXPECT_EQ(anchor->implicithydrogens(), 3);
  }
}

TEST_F(BranchCommandsTest, ElementBranchTakesItsIdealLengthOnlyIn3D) {
  tatm* anchor = atom(6, 0, 0);
  tbranch flat = branchelement(50, 0, 17);
  ASSERT_TRUE(flat);
  EXPECT_NEAR(anchor->distance(*flat.atom), standard, 1e-9);
  session().settings.build3d = true;
  tbranch deep = branchelement(-50, 0, 17);
  ASSERT_TRUE(deep);
  EXPECT_NEAR(anchor->distance(*deep.atom), deep.bond->ideallength(), 1e-9);
  EXPECT_GT(anchor->distance(*deep.atom), standard);
}

TEST_F(BranchCommandsTest, AxisBranchesLieOnTheNearestScreenAxis) {
  struct tcase {
    double click;
    double x;
    double y;
  };
  for (const tcase& c :
       {tcase{45, 30, 0}, tcase{46, 0, 30}, tcase{135, 0, 30},
        tcase{226, 0, -30}, tcase{314, 0, -30}, tcase{315, 30, 0}}) {
    SCOPED_TRACE(c.click);
    session().newdrawing();
    tatm* anchor = atom(6, 0, 0);
    auto [x, y] = clickat(*anchor, c.click);
    tbranch branch = branchalongaxis(x, y, 8, false);
    ASSERT_TRUE(branch);
    EXPECT_NEAR(branch.atom->x, c.x, 1e-9);
    EXPECT_NEAR(branch.atom->y, c.y, 1e-9);
    // The label is written away from the anchor where the atom ended up.
    EXPECT_EQ(branch.atom->direction, c.x < 0 ? -1 : 1);
  }
  tbranch bare = branchalongaxis(50, 0, 6, true);
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare.atom->labelmode, nolabel);
}

TEST_F(BranchCommandsTest, DoubleBondedBranchesAreCentredDoubleBonds) {
  tatm* anchor = atom(6, 0, 0);
  tbranch oxo = branchdoublebonded(50, 0, 8);
  ASSERT_TRUE(oxo);
  EXPECT_EQ(oxo.bond->kind(), 4);
  EXPECT_EQ(oxo.bond->style, centredstyle);
  EXPECT_EQ(oxo.bond->side, 1);
  EXPECT_EQ(oxo.atom->implicithydrogens(), 0);
  EXPECT_EQ(anchor->implicithydrogens(), 2);

  tbranch methylene = branchdoublebonded(-50, 0, 6);
  ASSERT_TRUE(methylene);
  EXPECT_EQ(methylene.atom->labelmode, nolabel);
  EXPECT_EQ(methylene.atom->implicithydrogens(), 2);
  EXPECT_EQ(anchor->implicithydrogens(), 0);
}

// In 3D building a click inside the angle of an anchor's two
// bonds put "=O" between them, where no trigonal centre has a bond.
TEST_F(BranchCommandsTest, DoubleBondedBranchesIn3DTakeTheTrigonalPosition) {
  session().settings.build3d = true;
  // Two bonds bent out of the screen plane, and one bond alone.
  const std::vector<TXYZ> bent = {{-0.5, 0.7, std::sqrt(0.26)},
                                  {-0.5, -0.7, std::sqrt(0.26)}};
  const std::vector<TXYZ> single = {bent[0]};
  for (int element : {8, 7, 6, 16}) {
    for (const std::vector<TXYZ>* bonds : {&bent, &single}) {
      for (double click : {180.0, 0.0, 90.0}) {
        SCOPED_TRACE(std::to_string(element) + " with " +
                     std::to_string(bonds->size()) + " bonds, click at " +
                     std::to_string(click));
        session().newdrawing();
        tatm* anchor = atom(6, 0, 0);
        std::vector<tatm*> others;
        for (const TXYZ& d : *bonds) {
          others.push_back(atom(6, 30 * d.x, 30 * d.y, 30 * d.z));
          bond(anchor, others.back());
        }
        auto [x, y] = clickat(*anchor, click);
        tbranch branch = branchdoublebonded(x, y, element);
        ASSERT_TRUE(branch);
        EXPECT_NEAR(anchor->distance(*branch.atom), branch.bond->ideallength(),
                    1e-9);
        if (others.size() == 1) {
          EXPECT_NEAR(angleat(*anchor, *others[0], *branch.atom), 120.0, 1e-6);
        } else {
          // In the plane of the two bonds, on the open side: the three
          // angles of a flat centre add up to a full turn.
          EXPECT_NEAR(angleat(*anchor, *others[0], *branch.atom) +
                          angleat(*anchor, *others[1], *branch.atom) +
                          angleat(*anchor, *others[0], *others[1]),
                      360.0, 1e-6);
        }
      }
    }
  }
}

}  // namespace
}  // namespace molvane
