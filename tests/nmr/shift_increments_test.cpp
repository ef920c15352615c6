// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/shift_increments.h"

#include "nmr/nmr_graph.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

/// Chains of carbons (and other elements) by bond kind, built left to
/// right: {6, 2, 6, 4, 6} is C-C=C.
class ShiftIncrements : public testing::tdrawingtest {
 protected:
  std::vector<tatm*> chain(std::vector<int> items, double y) {
    std::vector<tatm*> atoms{atom(items[0], 0, y)};
    for (std::size_t i = 1; i + 1 < items.size(); i += 2) {
      atoms.push_back(atom(items[i + 1], 30.0 * atoms.size(), y));
      bond(atoms[atoms.size() - 2], atoms.back(), items[i]);
    }
    return atoms;
  }
  tnmrgraph graph() const { return tnmrgraph::fromstructure(drawing()); }
};

TEST_F(ShiftIncrements, AlkaneRulesByHand) {
  const struct {
    const char* name;
    std::vector<int> items;
    int atom;
    double shift;
    int level;
  } cases[] = {
      {"ethane", {6, 2, 6}, 0, 6.8, -7},
      {"propane CH2", {6, 2, 6, 2, 6}, 1, 15.34, -7},
      // base[3] + A[3][2]
      {"propane CH3", {6, 2, 6, 2, 6}, 0, 6.8 + 9.56, -7},
      // base[2] + E(O) + the oxygen term
      {"ethanol CH2",
       {6, 2, 6, 2, 8},
       1,
       15.34 + 41.892 - 41.89 * 41.89 * 0.00321,
       -4},
      // An sp alpha neighbour leaves the rules without a value.
      {"propyne CH3", {6, 2, 6, 6, 6}, 0, -9999.0, 0},
  };
  double y = 0;
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    std::vector<tatm*> atoms = chain(each.items, y += 100);
    tnmrgraph g = graph();
    tprediction p = TLANMR::sp3shift(g, atoms[each.atom]->ownerposition());
    EXPECT_NEAR(p.shift, each.shift, 1e-9);
    EXPECT_EQ(p.level, each.level);
  }
  tatm* charged = chain({6, 2, 6}, y += 100)[0];
  charged->setcharge(1);
  tnmrgraph g = graph();
  EXPECT_EQ(TLANMR::sp3shift(g, charged->ownerposition()).level, 0);
}

TEST_F(ShiftIncrements, AlkeneAndAlkyneRulesByHand) {
  std::vector<tatm*> propene = chain({6, 4, 6, 2, 6}, 0);
  std::vector<tatm*> butyne = chain({6, 6, 6, 2, 6, 2, 6}, 100);
  std::vector<tatm*> enol = chain({6, 4, 6, 2, 8}, 200);
  tnmrgraph g = graph();
  tprediction end = TLANMR::sp2shift(g, propene[0]->ownerposition());
  EXPECT_NEAR(end.shift, 123.3 - 7.9, 1e-9);
  EXPECT_EQ(end.level, -7);
  EXPECT_NEAR(TLANMR::sp2shift(g, propene[1]->ownerposition()).shift,
              123.3 + 10.6, 1e-9);
  EXPECT_EQ(TLANMR::sp2shift(g, enol[0]->ownerposition()).level, 0);
  EXPECT_NEAR(TLANMR::spincrement(g, butyne[0]->ownerposition(), -3), 2.32,
              1e-9);
  EXPECT_NEAR(TLANMR::spincrement(g, butyne[1]->ownerposition(), -3), 4.75,
              1e-9);
  EXPECT_EQ(TLANMR::spincrement(g, butyne[0]->ownerposition(), 0), -9999.0);
}

TEST_F(ShiftIncrements, SmallRingCorrections) {
  const struct {
    int size;
    double carbon;
    double hydrogen;
  } cases[] = {{3, -18.8, -1.31},
               {4, -3.0, 0.0},
               {5, -8.3, 0.0},
               {6, -2.4, 0.0},
               {7, 0.0, 0.0}};
  double y = 0;
  for (const auto& each : cases) {
    SCOPED_TRACE(each.size);
    std::vector<tatm*> ring;
    for (int i = 0; i < each.size; ++i) {
      ring.push_back(atom(6, 30.0 * i, y));
    }
    for (int i = 0; i < each.size; ++i) {
      bond(ring[static_cast<std::size_t>(i)],
           ring[static_cast<std::size_t>((i + 1) % each.size)]);
    }
    y += 100;
    tnmrgraph g = graph();
    int position = ring[0]->ownerposition();
    EXPECT_EQ(smallringcorrection(g, position, 6), each.carbon);
    EXPECT_EQ(smallringcorrection(g, position, 1), each.hydrogen);
    EXPECT_EQ(smallringcorrection(g, position, 9), 0.0);
  }
}

}  // namespace
}  // namespace molvane
