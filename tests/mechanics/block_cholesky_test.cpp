// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/block_cholesky.h"

#include "mechanics/collective_descent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace molvane {
namespace {

/// A sparse matrix of one random outer product w wᵀ over the two blocks of
/// each edge, as a bond's curvature is, plus a shift; times() multiplies by
/// it from the edges themselves.
struct tsystem {
  explicit tsystem(std::size_t blocks) : n(blocks), matrix(blocks) {}

  void edge(std::size_t a, std::size_t b, std::mt19937& random) {
    std::normal_distribution<double> normal;
    tedge e{a, b, {}};
    for (double& v : e.w) {
      v = normal(random);
    }
    const std::array<std::size_t, 2> at{a, b};
    for (std::size_t p = 0; p < 2; ++p) {
      for (std::size_t q = 0; q <= p; ++q) {
        tblock3 m{};
        for (std::size_t k = 0; k < 9; ++k) {
          m[k] = e.w[3 * p + k / 3] * e.w[3 * q + k % 3];
        }
        matrix.add(at[p], at[q], m);
      }
    }
    edges.push_back(e);
  }
  void shift(double value) {
    matrix.shift(value);
    diagonal += value;
  }
  std::vector<double> times(std::span<const double> x) const {
    std::vector<double> y(x.begin(), x.end());
    for (double& v : y) {
      v *= diagonal;
    }
    for (const tedge& e : edges) {
      double along = 0.0;
      for (std::size_t i = 0; i < 3; ++i) {
        along += e.w[i] * x[3 * e.a + i] + e.w[3 + i] * x[3 * e.b + i];
      }
      for (std::size_t i = 0; i < 3; ++i) {
        y[3 * e.a + i] += along * e.w[i];
        y[3 * e.b + i] += along * e.w[3 + i];
      }
    }
    return y;
  }

  struct tedge {
    std::size_t a, b;
    std::array<double, 6> w;
  };
  std::size_t n;
  tblockcholesky matrix;
  std::vector<tedge> edges;
  double diagonal = 0.0;
};

std::vector<double> randomvector(std::size_t size, std::mt19937& random) {
  std::normal_distribution<double> normal;
  std::vector<double> v(size);
  for (double& x : v) {
    x = normal(random);
  }
  return v;
}

/// Two fused rings with a side chain and a loose block: fill appears where
/// the rings are eliminated, none along the chain.
tsystem fusedrings(std::mt19937& random) {
  tsystem system(16);
  const std::vector<std::pair<std::size_t, std::size_t>> edges{
      {0, 1},   {1, 2},   {2, 3},   {3, 4},  {4, 5}, {5, 0},
      {4, 6},   {6, 7},   {7, 8},   {8, 9},  {9, 3}, {9, 10},
      {10, 11}, {11, 12}, {12, 13}, {2, 14}, {14, 0}};
  for (const auto& [a, b] : edges) {
    system.edge(a, b, random);
  }
  return system;  // block 15 has no edge at all
}

TEST(BlockCholesky, SolvesSparseSystemsWithFillToRoundOff) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 5; ++trial) {
    tsystem system = fusedrings(random);
    system.shift(0.05 + 0.2 * trial);
    ASSERT_TRUE(system.matrix.factor());
    const std::vector<double> v = randomvector(3 * system.n, random);
    std::vector<double> x = v;
    system.matrix.solve(x);
    const std::vector<double> back = system.times(x);
    for (std::size_t i = 0; i < v.size(); ++i) {
      EXPECT_NEAR(back[i], v[i], 1e-9 * (1.0 + std::abs(v[i]))) << i;
    }
  }
}

TEST(BlockCholesky, RefusesWhatItCannotFactor) {
  std::mt19937 random(3);
  // Without the shift the loose block is singular.
  tsystem singular = fusedrings(random);
  EXPECT_FALSE(singular.matrix.factor());
  std::vector<double> v(3 * singular.n, 1.0);
  singular.matrix.solve(v);
  EXPECT_EQ(v, std::vector<double>(v.size(), 1.0));
  // A not-a-number anywhere.
  tsystem broken = fusedrings(random);
  broken.shift(1.0);
  broken.matrix.add(3, 3, {std::nan(""), 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_FALSE(broken.matrix.factor());
  // Every block joined to every other is nothing like a molecule: the
  // factor would be dense, so none is made.
  tsystem clique(120);
  for (std::size_t a = 0; a < clique.n; ++a) {
    for (std::size_t b = 0; b < a; ++b) {
      clique.matrix.add(a, b, {0.01, 0, 0, 0, 0.01, 0, 0, 0, 0.01});
    }
  }
  clique.matrix.shift(10.0);
  EXPECT_FALSE(clique.matrix.factor());
}

TEST(BlockCholesky, TheExactCurvatureAsPreconditionerEndsAQuadraticAtOnce) {
  std::mt19937 random(11);
  tsystem system = fusedrings(random);
  system.shift(1e-3);  // badly conditioned on purpose
  ASSERT_TRUE(system.matrix.factor());
  const std::vector<double> target = randomvector(3 * system.n, random);
  tdescentproblem problem;
  problem.evaluate = [&system, &target](std::span<const double> x,
                                        std::span<double> g) {
    std::vector<double> d(x.begin(), x.end());
    for (std::size_t i = 0; i < d.size(); ++i) {
      d[i] -= target[i];
    }
    const std::vector<double> ad = system.times(d);
    double energy = 0.0;
    for (std::size_t i = 0; i < d.size(); ++i) {
      energy += 0.5 * d[i] * ad[i];
      if (!g.empty()) {
        g[i] = ad[i];
      }
    }
    return energy;
  };
  tdescentlimits limits;
  limits.largeststep = 100.0;
  limits.gradient = 1e-8;
  std::vector<double> x(target.size(), 0.0);
  const tdescentresult plain = descend(problem, x, limits);
  problem.precondition = [&system](std::span<double> v) {
    system.matrix.solve(v);
  };
  x.assign(target.size(), 0.0);
  const tdescentresult shaped = descend(problem, x, limits);
  EXPECT_TRUE(shaped.converged);
  EXPECT_LE(shaped.iterations, 2);
  EXPECT_GT(plain.iterations, 10 * shaped.iterations);
  for (std::size_t i = 0; i < x.size(); ++i) {
    EXPECT_NEAR(x[i], target[i], 1e-6);
  }
}

}  // namespace
}  // namespace molvane
