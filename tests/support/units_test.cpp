// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/units.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

TEST(DrawingLengths, OneStandardBondIsItsFactorAndConvertsBack) {
  for (double bondlength : {30.0, 45.0, 7.5}) {
    for (double perbond : {angstromperbond, companionangstromperbond}) {
      SCOPED_TRACE(bondlength);
      SCOPED_TRACE(perbond);
      EXPECT_DOUBLE_EQ(toangstrom(bondlength, bondlength, perbond), perbond);
      EXPECT_DOUBLE_EQ(todrawingunits(perbond, bondlength, perbond),
                       bondlength);
      const double units = 0.37 * bondlength;
      EXPECT_DOUBLE_EQ(todrawingunits(toangstrom(units, bondlength, perbond),
                                      bondlength, perbond),
                       units);
    }
  }
  // The physics factor is the default: 2 L is 3.06 Å.
  EXPECT_DOUBLE_EQ(toangstrom(60.0, 30.0), 3.06);
}

}  // namespace
}  // namespace molvane
