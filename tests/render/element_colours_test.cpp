// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/element_colours.h"

#include "model/atom.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

// The hues themselves are checked on painted pictures (tests/qt).
TEST(ElementColours, OnlyBlackHeteroatomsTakeTheirElementsColour) {
  for (const int element : {1, 6, 0, -5, 300}) {
    EXPECT_EQ(elementlabelcolour(element), blackcolour) << element;
  }
  tatm oxygen(8, 1, 0.0, 0.0);
  EXPECT_EQ(labelcolourof(oxygen, false), blackcolour);
  EXPECT_EQ(labelcolourof(oxygen, true), elementlabelcolour(8));
  oxygen.colour = 0x00FF00;
  EXPECT_EQ(labelcolourof(oxygen, true), 0x00FF00U);
  const tLAtm label("N", 0.0, 0.0);
  EXPECT_EQ(labelcolourof(label, true), label.colour);
}

}  // namespace
}  // namespace molvane
