// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/element_colours.h"

#include "model/atom.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

/// Which of red, green and blue is strongest, as a letter.
char strongest(tcolour colour) {
  const unsigned red = colour & 0xFFU;
  const unsigned green = (colour >> 8U) & 0xFFU;
  const unsigned blue = (colour >> 16U) & 0xFFU;
  if (red > green && red > blue) {
    return 'r';
  }
  return green > blue ? 'g' : 'b';
}

TEST(ElementColours, HeteroatomsTakeTheUsualHuesAndTheRestStayBlack) {
  for (const auto& [element, hue] :
       {std::pair{7, 'b'}, std::pair{8, 'r'}, std::pair{9, 'g'},
        std::pair{17, 'g'}, std::pair{15, 'r'}, std::pair{16, 'r'}}) {
    SCOPED_TRACE(element);
    EXPECT_EQ(strongest(elementlabelcolour(element)), hue);
  }
  for (const int element : {1, 6, 0, -5, 300}) {
    EXPECT_EQ(elementlabelcolour(element), blackcolour) << element;
  }
}

TEST(ElementColours, OwnColoursAndTextLabelsWin) {
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
