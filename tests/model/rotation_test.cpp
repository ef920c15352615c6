// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/rotation.h"

#include "document/structure.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
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
  const tmatrix3 y = rotationmatrix(yaxis, 30.0);
  EXPECT_DOUBLE_EQ(y[0][2], 0.5);
  EXPECT_DOUBLE_EQ(y[2][0], -0.5);
  EXPECT_DOUBLE_EQ(y[0][0], y[2][2]);
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
  EXPECT_GT(right.x, 0.0);
  EXPECT_NEAR(right.y, 0.0, 1e-12);
  const TXYZ down = turned(dragrotationmatrix(0.0, 20.0, 0.5), front);
  EXPECT_GT(down.y, 0.0);
  EXPECT_NEAR(down.x, 0.0, 1e-12);
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
  EXPECT_EQ(a->sx, 30);
  EXPECT_EQ(label->x, 500.0);
}

}  // namespace
}  // namespace molvane
