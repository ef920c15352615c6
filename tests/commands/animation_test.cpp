// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/animation.h"

#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace molvane {
namespace {

class Animation : public testing::tdrawingtest {
 protected:
  /// Three carbons in a row along x around (x + 30, 100), the last third.
  void propane(double x = 100) {
    tatm* middle = atom(6, x + 30, 100);
    bond(atom(6, x, 100), middle);
    bond(middle, atom(6, x + 60, 100));
  }
  /// Whether every one of n frames turned the model.
  bool frames(int n) {
    bool all = true;
    for (int i = 0; i < n; ++i) {
      all = animation.advance(drawing()) && all;
    }
    return all;
  }
  tanimation animation;
};

TEST_F(Animation, SpeedsAndTheFineStepSetTheStepAndItsLabel) {
  struct trow {
    tanimationspeed speed;
    int position, label;
  };
  using enum tanimationspeed;
  const std::vector<trow> table{
      {fast, 0, 90},  {slow, 0, 10},  {fast, 10, 150},  {medium, 3, 36},
      {slow, -10, 0}, {slow, 25, 20}, {medium, -25, 10}};
  for (const trow& row : table) {
    SCOPED_TRACE(std::to_string(row.label));
    animation.setspeed(row.speed);
    animation.setfinestep(row.position);
    EXPECT_EQ(animation.speedlabel(), row.label);
  }
  // A new speed starts again from its base step.
  animation.setspeed(fast);
  EXPECT_DOUBLE_EQ(animation.step(), 9.0);
  EXPECT_EQ(tanimation{}.speedlabel(), 30);
}

TEST_F(Animation, RockAtFastTurnsBackAtSixtyThreeDegreesBothWays) {
  propane();
  animation.setspeed(tanimationspeed::fast);
  ASSERT_TRUE(animation.start(tmotion::rock, drawing()));
  std::vector<double> angles;
  for (int frame = 0; frame < 30; ++frame) {
    ASSERT_TRUE(animation.advance(drawing()));
    angles.push_back(animation.angle());
  }
  EXPECT_DOUBLE_EQ(angles[6], 63.0);
  EXPECT_DOUBLE_EQ(angles[7], 54.0);
  EXPECT_DOUBLE_EQ(angles[20], -63.0);
  // Rocking turns about x: the row along x stays where it is.
  EXPECT_NEAR(drawing().atoms.items(2)->x, 160.0, 1e-9);
}

TEST_F(Animation, SpinAndWagTurnAboutTheVerticalAxisThroughTheStartCentre) {
  propane();
  ASSERT_TRUE(animation.start(tmotion::spin, drawing()));
  frames(30);
  // Thirty frames of 3 degrees: the row stands along z.
  const tatm* end = drawing().atoms.items(2);
  EXPECT_NEAR(end->x, 130.0, 1e-9);
  EXPECT_NEAR(end->z, -30.0, 1e-9);
  EXPECT_EQ(end->sx, 130);

  // Spin goes on past any swing limit; wag comes back.
  frames(90);
  EXPECT_NEAR(end->x, 160.0, 1e-9);
  ASSERT_TRUE(animation.start(tmotion::wag, drawing()));
  frames(40);
  EXPECT_EQ(animation.direction(), -1);
}

TEST_F(Animation, ASpeedChangeAtTheEndOfASwingDoesNotStickThere) {
  propane();
  animation.setspeed(tanimationspeed::fast);
  animation.start(tmotion::wag, drawing());
  frames(7);
  // At 63 degrees and turning back, a slower speed keeps turning back.
  animation.setspeed(tanimationspeed::slow);
  frames(10);
  EXPECT_DOUBLE_EQ(animation.angle(), 53.0);
}

TEST_F(Animation, TurnsANewDrawingAboutItsOwnCentre) {
  propane();
  ASSERT_TRUE(animation.start(tmotion::spin, drawing()));
  animation.advance(drawing());
  // New while the model turns: the next frame turns the new model in place.
  session().newdrawing();
  propane(400);
  ASSERT_TRUE(frames(60));
  EXPECT_NEAR(drawing().atoms.items(2)->x, 400.0, 1e-9);
}

TEST_F(Animation, DoesNothingForOneOrTwoAtoms) {
  EXPECT_FALSE(animation.start(tmotion::spin, drawing()));
  atom(6, 130, 100);
  atom(6, 160, 100);
  EXPECT_FALSE(animation.start(tmotion::spin, drawing()));
  EXPECT_FALSE(animation.running());
  EXPECT_FALSE(animation.advance(drawing()));
  // Text labels are no atoms of the model.
  drawing().addatom(std::make_unique<tLAtm>("x", 0, 0));
  EXPECT_FALSE(animation.start(tmotion::spin, drawing()));

  atom(6, 190, 100);
  ASSERT_TRUE(animation.start(tmotion::spin, drawing()));
  // Atoms deleted while the model turns stop the motion's frames.
  drawing().removeatom(drawing().atoms.items(3));
  EXPECT_FALSE(animation.advance(drawing()));
}

}  // namespace
}  // namespace molvane
