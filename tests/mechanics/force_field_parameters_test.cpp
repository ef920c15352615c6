// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/force_field_parameters.h"

#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
}  // namespace molvane
