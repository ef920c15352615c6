// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/cell_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace molvane {
namespace {

using tpairs = std::set<std::pair<int, int>>;

tpairs everypair(const std::vector<double>& xyz, double reach) {
  tpairs pairs;
  const int n = static_cast<int>(xyz.size() / 3);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      double d2 = 0.0;
      for (int k = 0; k < 3; ++k) {
        const double d = xyz[3 * i + k] - xyz[3 * j + k];
        d2 += d * d;
      }
      if (d2 < reach * reach) {
        pairs.insert({i, j});
      }
    }
  }
  return pairs;
}

TEST(CellList, FindsExactlyThePairsWithinReachOnceEach) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> box(-20.0, 20.0);
  // A cloud, all in one point, and two clusters so far apart that the grid
  // cannot have a cell per reach between them.
  std::vector<double> cloud(3 * 400), point(3 * 50, 7.0), far;
  for (double& v : cloud) {
    v = box(random);
  }
  for (int i = 0; i < 60; ++i) {
    far.insert(far.end(), {(i % 2) * 1e9 + box(random) / 10, box(random) / 10,
                           box(random) / 10});
  }
  for (const auto* xyz : {&cloud, &point, &far}) {
    tcelllist cells;
    cells.build(*xyz, 4.0);
    tpairs found;
    cells.forpairs(*xyz, [&found](std::int32_t i, std::int32_t j) {
      EXPECT_TRUE(found.insert({std::min(i, j), std::max(i, j)}).second);
      return true;
    });
    EXPECT_EQ(found, everypair(*xyz, 4.0));
  }
}

}  // namespace
}  // namespace molvane
