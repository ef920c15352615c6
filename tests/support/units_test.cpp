// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/units.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

TEST(DrawingLengths, OneStandardBondIsItsFactorAndConvertsBack) {
  // The physics factor is the default: 2 L is 3.06 Å.
  EXPECT_DOUBLE_EQ(toangstrom(60.0, 30.0), 3.06);
  EXPECT_DOUBLE_EQ(toangstrom(7.5, 7.5, companionangstromperbond),
                   companionangstromperbond);
  EXPECT_DOUBLE_EQ(todrawingunits(toangstrom(16.65, 45.0), 45.0), 16.65);
}

}  // namespace
}  // namespace molvane
