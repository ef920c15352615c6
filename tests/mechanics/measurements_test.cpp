// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/measurements.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace molvane {
namespace {

constexpr std::uint32_t red = 0x0000FF;
constexpr std::uint32_t blue = 0xFF0000;

class Measurements : public testing::tdrawingtest {
 protected:
  /// Butane as a flat zigzag of 1.53 Å bonds with 120° angles, and apart
  /// from it an ethane whose bond is stretched by a tenth.
  void butaneandethane() {
    const double r = 15.0 * std::sqrt(3.0);
    for (int i = 0; i < 4; ++i) {
      chain.push_back(atom(6, i * r, i % 2 == 0 ? 0.0 : 15.0));
      if (i > 0) {
        bond(chain[i - 1], chain[i]);
      }
    }
    stretched = bond(atom(6, 300, 0), atom(6, 333, 0));
  }

  std::vector<tatm*> chain;
  tbond* stretched = nullptr;
  tdistancestate distance;
};

TEST_F(Measurements, EachKindPicksTheNearestObjectAndWritesItsValue) {
  butaneandethane();
  const double r = 15.0 * std::sqrt(3.0);
  const struct {
    tmeasurekind kind;
    double x, y;
    std::string text;
    int lines;
    std::uint32_t colour;
  } cases[] = {
      {tmeasurekind::bondlength, r / 2, 7, "1.530\u00C5", 1, red},
      // 84200 cal × (e^(-0.2236) - 1)² at a tenth over the ideal length.
      {tmeasurekind::bondenergy, 316, 0, "3380.5cal", 1, red},
      {tmeasurekind::bondangle, r, 12, "120.0\u00B0", 2, blue},
      {tmeasurekind::torsionangle, 1.5 * r, 7, "180.0\u00B0", 3, blue},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto shown = measureat(drawing(), c.kind, c.x, c.y, distance);
    ASSERT_TRUE(shown.has_value());
    std::string text = shown->text;
    // The flat torsion is ±180°.
    if (!text.empty() && text[0] == '-') {
      text.erase(0, 1);
    }
    EXPECT_EQ(text.substr(text.find_first_not_of(' ')), c.text);
    ASSERT_EQ(static_cast<int>(shown->lines.size()), c.lines);
    EXPECT_EQ(shown->lines[0].colour, c.colour);
  }
  // The bond length is written at the middle of the bond.
  const auto length =
      measureat(drawing(), tmeasurekind::bondlength, 316, 0, distance);
  EXPECT_EQ(length->lines[0].from, stretched->atom1);
  EXPECT_EQ(length->x, 316);
  // The angle one pixel beside its centre atom.
  const auto angle =
      measureat(drawing(), tmeasurekind::bondangle, 2 * r, 3, distance);
  EXPECT_EQ(angle->lines[0].from, chain[2]);
  EXPECT_EQ(angle->x, chain[2]->sx + 1);
}

TEST_F(Measurements, DistanceTakesTwoClicksAndTheSameAtomTwiceStartsAgain) {
  butaneandethane();
  const auto first =
      measureat(drawing(), tmeasurekind::distance, 1, 1, distance);
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(first->text.empty());
  EXPECT_EQ(distance.first, chain[0]);

  const auto second =
      measureat(drawing(), tmeasurekind::distance, 80, 14, distance);
  // (45√3, 15) units of 1.53/30 Å: 4.048 Å, dotted, in the first's font.
  EXPECT_EQ(second->text, " 4.048\u00C5");
  EXPECT_TRUE(second->lines[0].dotted);
  EXPECT_EQ(second->fontatom, chain[0]);
  EXPECT_EQ(distance.first, nullptr);

  measureat(drawing(), tmeasurekind::distance, 1, 1, distance);
  const auto again =
      measureat(drawing(), tmeasurekind::distance, 0, 0, distance);
  EXPECT_TRUE(again->text.empty());
  EXPECT_TRUE(again->lines.empty());
  EXPECT_EQ(distance.first, nullptr);
}

TEST_F(Measurements, OnlyKindsWithSomethingToPickAreOffered) {
  // Empty: nothing; one atom: distances only; a zero-length bond measures
  // 0 Å without dividing by its length.
  EXPECT_EQ(availablemeasurements(drawing()),
            (std::array<bool, measurekinds>{}));
  for (int kind = 0; kind < measurekinds; ++kind) {
    EXPECT_FALSE(
        measureat(drawing(), static_cast<tmeasurekind>(kind), 0, 0, distance));
  }
  tatm* lone = atom(6, 10, 10);
  EXPECT_EQ(availablemeasurements(drawing()),
            (std::array<bool, measurekinds>{false, false, false, true, false}));
  bond(lone, atom(6, 10, 10));
  const auto length =
      measureat(drawing(), tmeasurekind::bondlength, 10, 10, distance);
  EXPECT_EQ(length->text, "0.000\u00C5");
  const auto energy =
      measureat(drawing(), tmeasurekind::bondenergy, 10, 10, distance);
  EXPECT_TRUE(std::isfinite(std::stod(energy->text)));

  butaneandethane();
  EXPECT_EQ(availablemeasurements(drawing()),
            (std::array<bool, measurekinds>{true, true, true, true, true}));
}

}  // namespace
}  // namespace molvane
