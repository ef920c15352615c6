// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/legible_turn.h"

#include "model/rotation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace molvane {
namespace {

double distance(const TXYZ& a, const TXYZ& b) {
  return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

std::vector<TXYZ> turned(const tmatrix3& turn,
                         const std::vector<TXYZ>& points) {
  std::vector<TXYZ> result;
  for (const TXYZ& point : points) {
    result.push_back(turnpoint(turn, {0.0, 0.0, 0.0}, point));
  }
  return result;
}

// A flat chain of CH2 groups whose hydrogens stand straight above and below
// the drawing plane, as a 3D model built on a 2D drawing has them: in the
// plane's projection both hydrogens lie on their carbon.
std::vector<TXYZ> flatchainwithhydrogens() {
  std::vector<TXYZ> points;
  for (int i = 0; i < 4; ++i) {
    const TXYZ carbon{30.0 * i, (i % 2) * 18.0, 0.0};
    points.push_back(carbon);
    points.push_back({carbon.x, carbon.y - 8.0, 20.0});
    points.push_back({carbon.x, carbon.y - 8.0, -20.0});
  }
  return points;
}

TEST(LegibleTurn, SpreadsAtomsThatHideEachOtherAndKeepsTheShape) {
  const std::vector<TXYZ> model = flatchainwithhydrogens();
  ASSERT_GT(overlaidpairs(model), 0);
  const std::vector<TXYZ> shown = turned(legibleturn(model), model);
  EXPECT_EQ(overlaidpairs(shown), 0);
  // A rigid turn: every distance of the model stays.
  for (std::size_t i = 0; i < model.size(); ++i) {
    for (std::size_t j = i + 1; j < model.size(); ++j) {
      EXPECT_NEAR(distance(model[i], model[j]), distance(shown[i], shown[j]),
                  1e-9);
    }
  }
}

TEST(LegibleTurn, LeavesALegibleOrTinyModelAsItIs) {
  const tmatrix3 identity{{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};
  // Benzene drawn flat: nothing to gain, so a 2D drawing keeps its look.
  std::vector<TXYZ> ring;
  for (int i = 0; i < 6; ++i) {
    const double angle = i * 3.14159265358979 / 3.0;
    ring.push_back({30.0 * std::cos(angle), 30.0 * std::sin(angle), 0.0});
  }
  EXPECT_EQ(legibleturn(ring), identity);
  EXPECT_EQ(legibleturn({{0.0, 0.0, 0.0}, {0.0, 0.0, 20.0}}), identity);
  // Atoms on one spot have no bond length to judge by.
  EXPECT_EQ(legibleturn(std::vector<TXYZ>(5, TXYZ{1.0, 2.0, 3.0})), identity);
}

}  // namespace
}  // namespace molvane
