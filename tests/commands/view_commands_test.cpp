// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/view_commands.h"

#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

class ViewCommands : public testing::tdrawingtest {
 protected:
  void SetUp() override {
    tatm* first = atom(6, 100, 100);
    bond(first, atom(6, 160, 100));
  }
  const tatm& end() const { return *drawing().atoms.items(1); }
};

TEST_F(ViewCommands, ADragIsOneUndoStepFromWhereItStarted) {
  tviewdrag drag(200, 200);
  // 180 pixels at half a degree each: a quarter turn about the vertical.
  drag.moveto(290, 200);
  drag.moveto(380, 200);
  EXPECT_NEAR(end().x, 130.0, 1e-9);
  EXPECT_NEAR(end().z, -30.0, 1e-9);
  ASSERT_TRUE(drag.finish());
  EXPECT_NEAR(end().z, -30.0, 1e-9);
  EXPECT_DOUBLE_EQ(session().undodrawing()->atoms.items(1)->x, 160.0);
  // The turned place is the atom's reference now, so scaling keeps it.
  EXPECT_NEAR(end().z0, -30.0, 1e-9);
  EXPECT_FALSE(drag.finish());
}

TEST_F(ViewCommands, ADragWithoutMovementOrOnAReplacedDrawingChangesNothing) {
  tviewdrag still(200, 200);
  still.moveto(200, 200);
  EXPECT_FALSE(still.finish());

  tviewdrag lost(200, 200);
  lost.moveto(260, 200);
  session().newdrawing();
  lost.moveto(300, 200);
  EXPECT_FALSE(lost.finish());
}

TEST_F(ViewCommands, ZoomScalesAboutTheCentreAndKeepsTheNewSize) {
  zoomdrawing(drawing(), wheelzoomfactor(2));
  EXPECT_NEAR(end().x, 130.0 + 30.0 * 1.21, 1e-9);
  EXPECT_EQ(end().sx, 166);
  EXPECT_NEAR(end().x0, end().x, 1e-12);
  for (const double factor : {0.0, -1.0}) {
    SCOPED_TRACE(factor);
    zoomdrawing(drawing(), factor);
    EXPECT_NEAR(end().x, 130.0 + 30.0 * 1.21, 1e-9);
  }
  EXPECT_DOUBLE_EQ(wheelzoomfactor(-1) * wheelzoomfactor(1), 1.0);
}

}  // namespace
}  // namespace molvane
