// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/hashed_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace molvane {
namespace {

std::string describe(tpoint from, tpoint to) {
  return std::to_string(from.x) + "," + std::to_string(from.y) + " -> " +
         std::to_string(to.x) + "," + std::to_string(to.y);
}

TEST(DigitalLine, WalksEveryOctantOnePixelAtATimeWithoutItsEnd) {
  const tpoint from{10, 20};
  const tpoint ends[] = {{40, 27},  {17, 50}, {3, 50},   {-20, 29},
                         {-20, 13}, {3, -10}, {17, -10}, {40, 13},
                         {40, 20},  {10, 50}, {-5, 20},  {10, 5},
                         {25, 35},  {-5, 35}, {11, 21},  {10, 21}};
  for (const tpoint& to : ends) {
    SCOPED_TRACE(describe(from, to));
    const std::vector<tpoint> pixels = digitalline(from, to);
    const int steps =
        std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(steps));
    EXPECT_EQ(pixels.front(), from);
    for (std::size_t i = 1; i < pixels.size(); ++i) {
      EXPECT_LE(std::abs(pixels[i].x - pixels[i - 1].x), 1);
      EXPECT_LE(std::abs(pixels[i].y - pixels[i - 1].y), 1);
    }
    // The last pixel is a neighbour of the end point, which is left out.
    EXPECT_LE(std::abs(to.x - pixels.back().x), 1);
    EXPECT_LE(std::abs(to.y - pixels.back().y), 1);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), to), 0);
    // No pixel strays more than half a pixel from the true line.
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    for (const tpoint& p : pixels) {
      const double across =
          std::abs((p.x - from.x) * dy - (p.y - from.y) * dx) / length;
      EXPECT_LE(across, 0.71);
    }
  }
}

TEST(DigitalLine, HasNoPixelsForAPointLine) {
  EXPECT_TRUE(digitalline({5, 5}, {5, 5}).empty());
  EXPECT_TRUE(hashstrokes({5, 5}, {5, 5}, {0, 3}).empty());
}

}  // namespace
}  // namespace molvane
