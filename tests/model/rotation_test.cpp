// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rotation.h"

#include "document/structure.h"
#include "model/jacobi.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

TXYZ turned(const tmatrix3& m, const TXYZ& p) {
  return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
          m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
          m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
}

void expectnear(const TXYZ& actual, const TXYZ& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-12);
  EXPECT_NEAR(actual.y, expected.y, 1e-12);
  EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

TEST(RotationMatrix, TurnsEachAxisTheRightHandedWay) {
  struct trow {
    int axis;
    TXYZ from;
    TXYZ to;
  };
  // A quarter turn about x takes y to z, about y z to x, about z x to y.
  const std::vector<trow> table{
      {xaxis, {0, 1, 0}, {0, 0, 1}}, {yaxis, {0, 0, 1}, {1, 0, 0}},
      {zaxis, {1, 0, 0}, {0, 1, 0}}, {3, {1, 2, 3}, {1, 2, 3}},
      {-1, {1, 2, 3}, {1, 2, 3}},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.axis);
    expectnear(turned(rotationmatrix(row.axis, 90.0), row.from), row.to);
  }
}

TEST(RotationMatrix, AboutAnyAxisAgreesWithTheAxesAndKeepsLengths) {
  for (int axis : {xaxis, yaxis, zaxis}) {
    SCOPED_TRACE(axis);
    const TXYZ direction{axis == xaxis ? 2.0 : 0.0, axis == yaxis ? 2.0 : 0.0,
                         axis == zaxis ? 2.0 : 0.0};
    const TXYZ p{1.0, -2.0, 0.5};
    expectnear(turned(axisrotationmatrix(direction, 37.0), p),
               turned(rotationmatrix(axis, 37.0), p));
  }
  const TXYZ p{3.0, 4.0, 12.0};
  const TXYZ q = turned(axisrotationmatrix({1, 1, 1}, 123.0), p);
  EXPECT_NEAR(std::hypot(q.x, q.y, q.z), 13.0, 1e-12);
  expectnear(turned(axisrotationmatrix({}, 50.0), p), p);
}

TEST(RotationMatrix, DraggingPullsTheFrontOfTheModelAlong) {
  const TXYZ front{0.0, 0.0, 10.0};
  const TXYZ right = turned(dragrotationmatrix(20.0, 0.0, 0.5), front);
  EXPECT_NEAR(right.y, 0.0, 1e-12);
  EXPECT_GT(turned(dragrotationmatrix(0.0, 20.0, 0.5), front).y, 0.0);
  // Ten degrees for twenty pixels at half a degree each.
  EXPECT_NEAR(std::atan2(right.x, right.z) * 180.0 / 3.14159265358979, 10.0,
              1e-9);
  expectnear(turned(dragrotationmatrix(0.0, 0.0, 0.5), front), front);
}

using RotateStructure = testing::tdrawingtest;

TEST_F(RotateStructure, TurnsAboutTheMeanOfItsChemicalAtoms) {
  auto structure = std::make_unique<tStructure>();
  tatm* a = structure->addatom(std::make_unique<tatm>(6, 0, 0.0, 100.0, 0.0));
  tatm* b = structure->addatom(std::make_unique<tatm>(6, 0, 0.0, 160.0, 0.0));
  tStructure* placed = drawing().mergestructure(std::move(structure));
  // A text label neither counts for the centre nor turns.
  tatm* label = drawing().addatom(std::make_unique<tLAtm>("x", 500, 500));
  placed->atoms.add(label);
  rotatestructure(*placed, zaxis, 90.0);
  EXPECT_NEAR(a->x, 30.0, 1e-9);
  EXPECT_NEAR(a->y, 130.0, 1e-9);
  EXPECT_NEAR(b->x, -30.0, 1e-9);
  EXPECT_EQ(label->x, 500.0);
}

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
