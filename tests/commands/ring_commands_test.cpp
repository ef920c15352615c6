// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/ring_commands.h"

#include "commands/hydrogen_commands.h"
#include "mechanics/optimizer.h"
#include "model/bond.h"
#include "model/formula.h"
#include "testing/command_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace molvane {
namespace {

using RingCommandsTest = testing::tcommandtest;

void expectclosedring(const tStructure& ring, int n, double length) {
  ASSERT_EQ(ring.ringsize, n);
  for (int i = 1; i <= n; ++i) {
    SCOPED_TRACE(i);
    const tbond* bond = ring.ringbonds[static_cast<std::size_t>(i)];
    ASSERT_NE(bond, nullptr);
    const tatm* from = ring.ringatoms[static_cast<std::size_t>(i)];
    const tatm* to = ring.ringatoms[static_cast<std::size_t>(i % n + 1)];
    EXPECT_TRUE(bond->hasatom(from) && bond->hasatom(to));
    EXPECT_NEAR(bond->length(), length, 1e-6);
  }
}

double zspread(const tStructure& ring) {
  double low = 1e9, high = -1e9;
  for (const tatm* atom : ring.atoms) {
    low = std::min(low, atom->z);
    high = std::max(high, atom->z);
  }
  return high - low;
}

TEST_F(RingCommandsTest, RingsAreRegularFlatOrPuckeredWithoutStretching) {
  // A six-ring has an atom straight above and below the click, and goes
  // clockwise on the screen: the second atom is to the right.
  tRing* six = addring(context(), 200, 200, 6);
  EXPECT_NEAR(six->ringatoms[1]->y, 170.0, 1e-9);
  EXPECT_NEAR(six->ringatoms[4]->x, 200.0, 1e-9);
  EXPECT_GT(six->ringatoms[2]->x, 200.0);
  for (bool deep : {false, true}) {
    session().settings.build3d = deep;
    for (int n = 3; n <= 10; ++n) {
      SCOPED_TRACE(std::to_string(n) + (deep ? " 3D" : " flat"));
      session().newdrawing();
      tRing* ring = addring(context(), 100, 100, n);
      ASSERT_NE(ring, nullptr);
      expectclosedring(*ring, n, 30.0);
      if (!deep || n <= 4) {
        EXPECT_EQ(zspread(*ring), 0.0);
        EXPECT_NEAR(ring->atoms.centroid3().y, 100.0, 1e-9);
      } else {
        EXPECT_GT(zspread(*ring), 5.0);
      }
    }
  }
  EXPECT_EQ(addring(context(), 0, 0, 2), nullptr);
  EXPECT_EQ(addring(context(), 0, 0, 11), nullptr);
}

TEST_F(RingCommandsTest, BoatAndChairAreConformationsOnlyIn3D) {
  for (bool chair : {false, true}) {
    SCOPED_TRACE(chair ? "chair" : "boat");
    session().newdrawing();
    session().settings.build3d = false;
    EXPECT_EQ(zspread(*addconformer(context(), 0, 0, chair)), 0.0);
    session().settings.build3d = true;
    tRing* shaped = addconformer(context(), 200, 0, chair);
    expectclosedring(*shaped, 6, 30.0);
    // Seen from the side: no two atoms stacked on the screen.
    for (const tatm* a : shaped->atoms) {
      for (const tatm* b : shaped->atoms) {
        if (a != b) {
          EXPECT_GT(std::hypot(a->x - b->x, a->y - b->y), 3.0);
        }
      }
    }
  }
  // Chair form 1: ring atoms 0 and 3 leave the plane to opposite faces.
  tRing* chair = addring(context(), 0, 0, 6);
  shapering(*chair, 1);
  EXPECT_LT(chair->ringatoms[1]->z * chair->ringatoms[4]->z, -1.0);
}

// Issue #30: "Ring 6" in 3D was a boat, which Add Hs 3D and the optimiser
// left in the twist-boat. A chair has ring torsions of alternating sign
// near 55 degrees, and keeps them through both methods.
TEST_F(RingCommandsTest, SixRingIn3DIsAChairThatTheOptimiserKeeps) {
  for (toptimizermethod method :
       {toptimizermethod::normal, toptimizermethod::refine}) {
    SCOPED_TRACE(static_cast<int>(method));
    session().newdrawing();
    session().settings.build3d = true;
    tRing* ring = addring(context(), 200, 200, 6);
    std::vector<int> places;
    for (int i = 1; i <= 6; ++i) {
      places.push_back(
          ring->ringatoms[static_cast<std::size_t>(i)]->ownerposition());
    }
    auto expectchair = [&](double lowest) {
      std::vector<const tatm*> atoms;
      for (int place : places) {
        atoms.push_back(drawing().atoms.items(place));
      }
      for (std::size_t i = 0; i < 6; ++i) {
        const double angle =
            testing::torsionat(*atoms[i], *atoms[(i + 1) % 6],
                               *atoms[(i + 2) % 6], *atoms[(i + 3) % 6]);
        const double next =
            testing::torsionat(*atoms[(i + 1) % 6], *atoms[(i + 2) % 6],
                               *atoms[(i + 3) % 6], *atoms[(i + 4) % 6]);
        EXPECT_GT(std::abs(angle), lowest) << i;
        EXPECT_LT(angle * next, 0.0) << i;
      }
    };
    expectchair(30.0);
    EXPECT_EQ(runhydrogencommand(thydrogencommand::add3d), 12);
    expectchair(30.0);
    toptimizer optimizer(drawing());
    ASSERT_EQ(optimizer.runoptimizer(method), "");
    expectchair(45.0);
  }
}

TEST_F(RingCommandsTest, FusedRingSideRules) {
  // Substituents on end 0 or 1 of the bond from (0, 0) to (30, 0).
  using tsubstituents = std::vector<std::pair<int, TXYZ>>;
  const tsubstituents none, one{{1, {45, 26, 0}}},
      each{{0, {-15, -26, 0}}, {1, {45, 26, 0}}},
      two{{0, {-15, 26, 0}}, {0, {-30, 0, 0}}};
  struct tcase {
    const tsubstituents& substituents;
    double clicky;
    double side;  ///< expected sign of the ring centre's y
  };
  // A bare bond follows the click; else the substituents decide, the first
  // when there is one on each end.
  const tcase cases[] = {{none, 20, 1},
                         {none, -20, -1},
                         {one, 20, -1},
                         {each, -20, 1},
                         {two, 20, -1}};
  for (const tcase& c : cases) {
    SCOPED_TRACE(&c - cases);
    session().newdrawing();
    tatm* ends[2] = {atom(6, 0, 0), atom(6, 30, 0)};
    tbond* shared = bond(ends[0], ends[1]);
    for (const auto& [end, p] : c.substituents) {
      bond(ends[end], atom(6, p.x, p.y));
    }
    tRing* ring = fusering(context(), 15, c.clicky, 5);
    ASSERT_NE(ring, nullptr);
    expectclosedring(*ring, 5, 30.0);
    EXPECT_EQ(ring->ringbonds[1], shared);
    EXPECT_GT(ring->atoms.centroid3().y * c.side, 5.0);
  }
}

TEST_F(RingCommandsTest, BenzeneIsAKekuleRingMarkedAromatic) {
  tBenzene* benzene = addbenzene(context(), 100, 100);
  for (std::size_t i = 1; i <= 6; ++i) {
    EXPECT_EQ(benzene->ringbonds[i]->kind(), i % 2 == 0 ? 4 : 2);
    EXPECT_TRUE(benzene->ringbonds[i]->isdelocalised());
  }
  session().newdrawing();
  session().settings.build3d = true;
  expectclosedring(*addbenzene(context(), 0, 0), 6, 30.0 * 1.44 / 1.53);
}

TEST_F(RingCommandsTest, FusedBenzeneKeepsEveryCarbonTetravalent) {
  addbenzene(context(), 100, 100);
  session().takeundosnapshot();
  // Fuse on ring bond 2, a double bond, and on ring bond 3, a single one.
  for (int which : {2, 3}) {
    SCOPED_TRACE(which);
    auto* first = static_cast<tBenzene*>(drawing().structures.items(0));
    const tbond* anchor = first->ringbonds[static_cast<std::size_t>(which)];
    const double mx = (anchor->atom1->x + anchor->atom2->x) / 2.0;
    const double my = (anchor->atom1->y + anchor->atom2->y) / 2.0;
    tBenzene* second = fusebenzene(context(), mx, my);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->ringbonds[1], anchor);
    for (tatm* each : drawing().atoms) {
      EXPECT_GE(each->valence2, 0);
    }
    EXPECT_EQ(hillformula(drawing()), "C10H8");
    session().undo();
  }
}

TEST_F(RingCommandsTest, JoinedRingCentresOnTheSnappedClickDirection) {
  tatm* anchor = atom(6, 100, 100);
  session().takeundosnapshot();
  const double r20 = 20.0 * std::numbers::pi / 180.0;
  tRing* ring = joinring(context(), 100 + 40 * std::cos(r20),
                         100 + 40 * std::sin(r20), 6);
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(ring->ringatoms[1], anchor);
  const TXYZ centre = ring->atoms.centroid3();
  const double r30 = 30.0 * std::numbers::pi / 180.0;
  EXPECT_NEAR(centre.x, 100 + 30 * std::cos(r30), 1e-9);
  EXPECT_NEAR(centre.y, 100 + 30 * std::sin(r30), 1e-9);
}

TEST_F(RingCommandsTest, JoinedRingsPuckerAwayFromTheirAnchorIn3D) {
  session().settings.build3d = true;
  for (int n = 3; n <= 10; ++n) {
    SCOPED_TRACE(n);
    session().newdrawing();
    tatm* anchor = atom(6, 0, 0);
    tRing* ring = joinring(context(), 10, 0, n);
    ASSERT_NE(ring, nullptr);
    expectclosedring(*ring, n, 30.0);
    EXPECT_EQ(anchor->z, 0.0);
    EXPECT_EQ(zspread(*ring) > 1.0, n >= 4);
  }
}

TEST_F(RingCommandsTest, BranchedRingHangsByOneBondDimethylByTwo) {
  tatm* anchor = atom(6, 0, 0);
  tRing* ring = branchring(context(), 30, 5, 6);
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(anchor->findneighbours(), 1);
  EXPECT_TRUE(ring->bonds.last()->hasatom(anchor));
  // The ring lies beyond its first atom, away from the anchor.
  EXPECT_GT(ring->atoms.centroid3().x, ring->ringatoms[1]->x);
  EXPECT_EQ(hillformula(drawing()), "C7H14");
  session().newdrawing();
  anchor = atom(6, 0, 0);
  ASSERT_NE(joindimethyl(context(), 10, 0), nullptr);
  EXPECT_EQ(anchor->findneighbours(), 2);
  EXPECT_EQ(hillformula(drawing()), "C3H8");

  // Branching needs an atom, fusing a bond; a symbol's links are none.
  testing::trecordingmessages& messages = recordmessages();
  session().newdrawing();
  EXPECT_EQ(branchring(context(), 0, 0, 5), nullptr);
  EXPECT_EQ(branchphenyl(context(), 0, 0), nullptr);
  atom(6, 0, 0);
  placesymbol(drawing(), 720, 100, 100);
  EXPECT_EQ(fusering(context(), 0, 0, 6), nullptr);
  EXPECT_EQ(fusebenzene(context(), 0, 0), nullptr);
  EXPECT_EQ(messages.informs,
            (std::vector<std::string>{"No atoms to link", "No atoms to link",
                                      "No Bonds To Fuse", "No Bonds to Fuse"}));
}

}  // namespace
}  // namespace molvane
