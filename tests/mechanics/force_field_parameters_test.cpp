// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/force_field_parameters.h"

#include "chemistry/ring_angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace molvane {
namespace {

TEST(VdwParameters, IonsAndMetalsGetSensibleRadii) {
  // Bigger atoms take more room down a group.
  const double lithium = vdwparameters(3, 0, 0, 0).radius;
  const double potassium = vdwparameters(19, 0, 0, 0).radius;
  EXPECT_LT(lithium, potassium);
  EXPECT_GT(potassium, 3.144);
  // N+ looks like carbon by electron count; it keeps nitrogen's row.
  EXPECT_DOUBLE_EQ(vdwparameters(7, 3, 0, 1).radius, 3.6621);
  // Closed shells do not sit at bonding distance.
  EXPECT_NEAR(vdwparameters(18, 0, 0, 0).radius, 3.76, 0.01);
  EXPECT_NEAR(vdwparameters(17, 3, 0, -1).radius, 3.76, 0.01);
}

TEST(VdwParameters, EveryElementAndChargeIsFinite) {
  for (int element = -1; element <= 110; ++element) {
    for (int charge = -3; charge <= 3; ++charge) {
      for (int h = 0; h <= 7; ++h) {
        const twell well = vdwparameters(element, h, h % 4, charge);
        ASSERT_TRUE(std::isfinite(well.radius) && well.radius > 0.0)
            << element << " " << charge << " " << h;
        ASSERT_TRUE(std::isfinite(well.epsilon) && well.epsilon > 0.0)
            << element << " " << charge << " " << h;
      }
    }
  }
}

TEST(TorsionParameters, ChalcogenSingleBondsPreferRightAngles) {
  EXPECT_DOUBLE_EQ(torsionparameters(2, 3, 3, 8, 8).phase, std::acos(0.0));
  EXPECT_EQ(torsionparameters(2, 3, 3, 6, 6).periodicity, 3);
  EXPECT_EQ(torsionparameters(2, 5, 3, 6, 6).barrier, 0.0);
}

TEST(StretchLength, FollowsOrderHybridisationAndHydrogen) {
  struct tcase {
    int z1, z2, c, h1, h2;
    double angstrom;
  };
  for (const tcase& c : {
           tcase{6, 6, 2, 3, 3, 1.53},   // ethane
           tcase{6, 6, 2, 3, 2, 1.50},   // propene's single bond
           tcase{6, 6, 2, 2, 4, 1.47},   // biphenyl-like
           tcase{6, 6, 2, 1, 3, 1.46},   // propyne
           tcase{6, 6, 3, 4, 4, 1.395},  // benzene
           tcase{6, 6, 4, 2, 2, 1.35},   // ethylene
           tcase{1, 6, 2, 0, 2, 1.09},   // C-H, whatever the carbon
           tcase{1, 8, 2, 0, 3, 0.98},   // O-H
           tcase{1, 7, 2, 0, 2, 1.02},   // N-H
           tcase{8, 8, 2, 3, 3, 1.47},   // hydrogen peroxide
           tcase{9, 9, 2, 3, 3, 1.41},   // fluorine
           tcase{8, 8, 4, 2, 2, 1.21},   // oxygen
           tcase{7, 7, 6, 1, 1, 1.09},   // nitrogen
           tcase{6, 8, 4, 1, 2, 1.17},   // carbon dioxide
       }) {
    SCOPED_TRACE(c.angstrom);
    EXPECT_NEAR(stretchlengthangstrom(c.z1, c.z2, c.c, c.h1, c.h2), c.angstrom,
                0.006);
  }
  // A nitro group's N+ has no lone pair to push its N-O- bond apart.
  EXPECT_LT(stretchlengthangstrom(7, 8, 2, 2, 3, 1, -1),
            stretchlengthangstrom(7, 8, 2, 2, 3) - 0.1);
}

TEST(RingAngles, SmallRingsCloseAndFlatCentresStayFlat) {
  constexpr double degree = std::numbers::pi / 180.0;
  // Five-membered ring 0-4 with atom 5 on atom 0; a six-membered ring
  // 0-1-6-7-8-9 fused at the bond 0-1.
  const std::vector<std::vector<std::int32_t>> furan = {
      {1, 4, 5}, {0, 2}, {1, 3}, {2, 4}, {3, 0}, {0}};
  std::vector<double> angles =
      ringidealangles(furan, 0, true, 120 * degree, {false, false, false});
  ASSERT_EQ(angles.size(), 3U);  // pairs (1,4), (1,5), (4,5)
  EXPECT_NEAR(angles[0] / degree, 108.0, 1e-9);
  EXPECT_NEAR(angles[1] / degree, 126.0, 1e-9);
  EXPECT_NEAR(angles[2] / degree, 126.0, 1e-9);
  angles =
      ringidealangles(furan, 0, false, 109.47 * degree, {false, false, false});
  EXPECT_NEAR(angles[0] / degree, 104.0, 1e-9);
  EXPECT_NEAR(angles[1] / degree, 109.47, 1e-9);

  const std::vector<std::vector<std::int32_t>> fused = {
      {1, 4, 9}, {0, 2, 6}, {1, 3}, {2, 4}, {3, 0},
      {},        {1, 7},    {6, 8}, {7, 9}, {8, 0}};
  angles = ringidealangles(fused, 0, true, 120 * degree, {false, false, false});
  EXPECT_NEAR(angles[0] / degree, 108.0, 1e-9);  // in the five-ring
  EXPECT_NEAR(angles[1] / degree, 120.0, 1e-9);  // in the six-ring
  EXPECT_NEAR(angles[2] / degree, 132.0, 1e-9);  // what is left

  const std::vector<std::vector<std::int32_t>> cyclopropane = {
      {1, 2}, {0, 2}, {0, 1}};
  EXPECT_NEAR(ringidealangles(cyclopropane, 0, false, 109.47 * degree,
                              {false, false})[0] /
                  degree,
              60.0, 1e-9);

  // A carbonyl carbon outside rings: wide beside the double bond.
  const std::vector<std::vector<std::int32_t>> carbonyl = {
      {1, 2, 3}, {0}, {0}, {0}};
  angles =
      ringidealangles(carbonyl, 0, true, 120 * degree, {true, false, false});
  EXPECT_NEAR(angles[0] / degree, 122.0, 1e-9);  // O=C-X
  EXPECT_NEAR(angles[2] / degree, 116.0, 1e-9);  // X-C-X
}

}  // namespace
}  // namespace molvane
