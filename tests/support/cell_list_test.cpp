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
  struct tcase {
    const char* name;
    std::vector<double> xyz;
  };
  std::vector<double> cloud(3 * 400), line, point(3 * 50, 7.0), spread;
  for (double& v : cloud) {
    v = box(random);
  }
  for (int i = 0; i < 300; ++i) {
    line.insert(line.end(), {1.3 * i, 0.4 * (i % 2), 0.0});
  }
  // Two far clusters: the grid may not have a cell per reach in between.
  for (int i = 0; i < 60; ++i) {
    const double far = i % 2 == 0 ? 0.0 : 1e9;
    spread.insert(spread.end(),
                  {far + box(random) / 10, box(random) / 10, box(random) / 10});
  }
  for (const tcase& c : {tcase{"cloud", cloud}, tcase{"line", line},
                         tcase{"one point", point}, tcase{"far", spread}}) {
    SCOPED_TRACE(c.name);
    tcelllist cells;
    cells.build(c.xyz, 4.0);
    tpairs found;
    cells.forpairs(c.xyz, [&found](std::int32_t i, std::int32_t j) {
      EXPECT_TRUE(found.insert({std::min(i, j), std::max(i, j)}).second);
      return true;
    });
    EXPECT_EQ(found, everypair(c.xyz, 4.0));
  }
  // Stopping early stops.
  tcelllist cells;
  cells.build(point, 4.0);
  int seen = 0;
  EXPECT_FALSE(cells.forpairs(
      point, [&seen](std::int32_t, std::int32_t) { return ++seen < 10; }));
  EXPECT_EQ(seen, 10);
}

}  // namespace
}  // namespace molvane
