// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/jacobi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace molvane {
namespace {

// A v = λ v for every pair, and the vectors are orthonormal.
void expecteigensystem(const tsquarematrix& a, const teigensystem& result) {
  const std::size_t n = a.size();
  ASSERT_EQ(result.values.size(), n);
  for (std::size_t k = 0; k < n; ++k) {
    SCOPED_TRACE("eigenpair " + std::to_string(k));
    if (k > 0) {
      EXPECT_LE(result.values[k - 1], result.values[k]);
    }
    const auto& v = result.vectors[k];
    for (std::size_t row = 0; row < n; ++row) {
      double av = 0.0;
      for (std::size_t column = 0; column < n; ++column) {
        av += a[row][column] * v[column];
      }
      EXPECT_NEAR(av, result.values[k] * v[row],
                  1e-12 * std::max(1.0, std::abs(result.values[k])));
    }
    for (std::size_t other = 0; other < n; ++other) {
      double dot = 0.0;
      for (std::size_t row = 0; row < n; ++row) {
        dot += v[row] * result.vectors[other][row];
      }
      EXPECT_NEAR(dot, other == k ? 1.0 : 0.0, 1e-12);
    }
  }
}

TEST(Jacobi, SolvesSymmetricMatricesOfAnySize) {
  // The second-difference matrix: 2 - √2, 2, 2 + √2.
  const tsquarematrix tridiagonal = {{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}};
  const teigensystem small = jacobieigensystem(tridiagonal, 1e-16);
  EXPECT_TRUE(small.converged);
  EXPECT_NEAR(small.values[0], 2 - std::sqrt(2.0), 1e-14);
  expecteigensystem(tridiagonal, small);

  // A double eigenvalue: 1, 1, 4.
  const tsquarematrix degenerate = {{2, 1, 1}, {1, 2, 1}, {1, 1, 2}};
  expecteigensystem(degenerate, jacobieigensystem(degenerate, 1e-16));

  // Widely spread magnitudes.
  tsquarematrix large(6, std::vector<double>(6));
  for (std::size_t i = 0; i < 6; ++i) {
    for (std::size_t j = 0; j < 6; ++j) {
      large[i][j] = i == j ? 1e4
                           : std::sin(static_cast<double>(i + 7 * j)) +
                                 std::sin(static_cast<double>(j + 7 * i));
    }
  }
  large[5][5] = 1e-3;
  expecteigensystem(large, jacobieigensystem(large, 1e-16));
}

TEST(Jacobi, ReadsOnlyTheUpperTriangleAndStopsAtTheSweepLimit) {
  const std::vector<double> values =
      jacobieigenvalues({{1, 2}, {99, 1}}, 1e-16);
  EXPECT_NEAR(values[0], -1.0, 1e-15);
  EXPECT_NEAR(values[1], 3.0, 1e-15);
  EXPECT_FALSE(jacobieigensystem({{1, 1}, {1, 2}}, 0.0, 0).converged);
  EXPECT_TRUE(jacobieigensystem({}, 1e-16).values.empty());
}

}  // namespace
}  // namespace molvane
