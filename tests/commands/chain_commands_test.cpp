// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/chain_commands.h"

#include "model/bond.h"
#include "testing/command_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace molvane {
namespace {

using ChainCommandsTest = testing::tcommandtest;
using testing::angleat;

/// Sign of the turn a -> b -> c as the screen shows it.
double turn(const tatm& a, const tatm& b, const tatm& c) {
  return (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
}

TEST_F(ChainCommandsTest, AddedChainStartsOnTheClickAndZigzagsDownFirst) {
  tChain* chain = addchain(context(), 100, 100, 4);
  ASSERT_NE(chain, nullptr);
  EXPECT_NEAR(chain->ringatoms[1]->x, 100, 1e-9);
  EXPECT_NEAR(chain->ringatoms[2]->y, 115, 1e-9);
  EXPECT_NEAR(chain->ringatoms[4]->x, 100 + 90 * std::cos(std::numbers::pi / 6),
              1e-9);
  EXPECT_EQ(drawing().bonds.count(), 3);
  // Ethane lies level; a branch joins the structure of its anchor.
  tChain* ethane = addchain(context(), 10, 20, 2);
  EXPECT_NEAR(ethane->atoms.items(1)->y, 20.0, 1e-9);
  ASSERT_NE(branchchain(context(), 45, 40, 3), nullptr);
  EXPECT_EQ(ethane->atoms.count(), 5);
  EXPECT_EQ(ethane->bonds.count(), 4);
}

TEST_F(ChainCommandsTest, BranchedChainZigzagsAt120Degrees) {
  tatm* anchor = atom(6, 0, 0);
  tChain* chain = branchchain(context(), 10, 3, 6);
  ASSERT_NE(chain, nullptr);
  ASSERT_EQ(chain->atoms.count(), 6);
  EXPECT_EQ(chain->bonds.items(0)->atom1, anchor);
  std::vector<const tatm*> path{anchor};
  path.insert(path.end(), chain->atoms.begin(), chain->atoms.end());
  for (std::size_t i = 1; i + 1 < path.size(); ++i) {
    EXPECT_NEAR(angleat(*path[i], *path[i - 1], *path[i + 1]), 120.0, 1e-6);
    // Turns alternate: a zigzag, not a ring.
    EXPECT_TRUE(i < 2 || turn(*path[i - 2], *path[i - 1], *path[i]) *
                                 turn(*path[i - 1], *path[i], *path[i + 1]) <
                             0.0)
        << i;
  }
  EXPECT_EQ(chain->atoms.last()->implicithydrogens(), 3);
}

TEST_F(ChainCommandsTest, ChainBendsTowardsTheClickSide) {
  // The first bond points straight right (snapped); the click lies below
  // or above it.
  for (double side : {1.0, -1.0}) {
    session().newdrawing();
    atom(6, 0, 0);
    EXPECT_GT(
        branchchain(context(), 30, 10 * side, 2)->atoms.items(1)->y * side,
        0.0);
  }
}

TEST_F(ChainCommandsTest, ChainBranchingSaysWhyNothingWasBuilt) {
  testing::trecordingmessages& messages = recordmessages();
  EXPECT_EQ(branchchain(context(), 0, 0, 3), nullptr);
  drawing().addatom(std::make_unique<tLAtm>("label", 0, 0));
  EXPECT_EQ(branchchain(context(), 5, 5, 3), nullptr);
  EXPECT_EQ(branchalkyl(context(), 5, 5, 521), nullptr);
  EXPECT_EQ(messages.informs,
            (std::vector<std::string>{"No Atoms", "No Atoms to Link ",
                                      "No Atoms to Link "}));
}

TEST_F(ChainCommandsTest, AlkylBranchesHaveTheirShapes) {
  struct tcase {
    int code, atoms;
    int anchorneighbours;  ///< of the first new carbon
  };
  for (const tcase& c : {tcase{520, 3, 3}, tcase{521, 4, 4}, tcase{599, 4, 2},
                         tcase{690, 4, 3}}) {
    SCOPED_TRACE(c.code);
    session().newdrawing();
    atom(6, 0, 0);
    tChain* alkyl = branchalkyl(context(), 20, 5, c.code);
    ASSERT_NE(alkyl, nullptr);
    ASSERT_EQ(alkyl->atoms.count(), c.atoms);
    EXPECT_EQ(alkyl->atoms.items(0)->findneighbours(), c.anchorneighbours);
  }
}

TEST_F(ChainCommandsTest, UnsaturatedChainsPutMultipleBondsWhereTheirNamesSay) {
  struct tcase {
    int code;
    std::vector<int> kinds;
  };
  for (const tcase& c :
       {tcase{681, {6}}, tcase{682, {4, 2}}, tcase{687, {2, 6, 2}},
        tcase{688, {2, 2, 4}}, tcase{689, {4, 4}}}) {
    SCOPED_TRACE(c.code);
    session().newdrawing();
    tChain* chain = addhydrocarbon(context(), 50, 50, c.code);
    ASSERT_NE(chain, nullptr);
    ASSERT_EQ(chain->bonds.count(), static_cast<int>(c.kinds.size()));
    for (int i = 0; i < chain->bonds.count(); ++i) {
      EXPECT_EQ(chain->bonds.items(i)->kind(), c.kinds[i]);
    }
    EXPECT_NEAR(chain->atoms.items(0)->x, 50.0, 1e-9);
    // Atoms of sp carbons lie on a line.
    for (tatm* centre : chain->atoms) {
      tbonds all = centre->localisedbonds();
      if (all.count() == 2 &&
          (all.items(0)->kind() == 6 || all.items(1)->kind() == 6 ||
           (all.items(0)->kind() == 4 && all.items(1)->kind() == 4))) {
        EXPECT_NEAR(angleat(*centre, *all.items(0)->other(centre),
                            *all.items(1)->other(centre)),
                    180.0, 1e-6);
      }
    }
  }
}

}  // namespace
}  // namespace molvane
