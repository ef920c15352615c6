// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/view_transform.h"

#include "model/rotation.h"
#include "render/drawing_extent.h"
#include "render/view_turn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace molvane {
namespace {

void expectnear(tviewpoint actual, tviewpoint expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

TEST(ViewTransform, ZoomKeepsThePointerStillAndMapsBothWays) {
  tviewtransform view;
  const tviewpoint pointer{120.0, 45.0};
  const tviewpoint under = view.todrawing(pointer);
  for (const double factor : {1.5, 0.2, 3.0, 1e6, 1e-9}) {
    SCOPED_TRACE(factor);
    view.zoomabout(factor, pointer);
    EXPECT_GE(view.zoom(), tviewtransform::smallestzoom);
    EXPECT_LE(view.zoom(), tviewtransform::largestzoom);
    expectnear(view.todrawing(pointer), under);
    const tviewpoint far{-300.5, 812.25};
    expectnear(view.todrawing(view.toscreen(far)), far);
  }
  view.panby(7.0, -3.0);
  expectnear(view.toscreen(under), {pointer.x + 7.0, pointer.y - 3.0});
  // Nonsense factors leave the view alone.
  const double zoom = view.zoom();
  for (const double factor :
       {0.0, -2.0, std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity()}) {
    view.zoomabout(factor, pointer);
    EXPECT_EQ(view.zoom(), zoom);
  }
  EXPECT_DOUBLE_EQ(wheelzoomfactor(-1) * wheelzoomfactor(1), 1.0);
}

TEST(ViewTransform, FitCentresTheBoxInsideTheMargin) {
  tviewtransform view;
  // 400 x 200 pixels into 200 x 100 inside a 10-pixel margin.
  view.fit(tbox{100, 200, 499, 399}, 220, 120, 10);
  EXPECT_DOUBLE_EQ(view.zoom(), 0.5);
  expectnear(view.toscreen({100.0, 200.0}), {10.0, 10.0});
  expectnear(view.toscreen({500.0, 400.0}), {210.0, 110.0});
  // A single point cannot be enlarged past the largest zoom.
  view.fit(tbox{50, 50, 50, 50}, 300, 300, 10);
  EXPECT_DOUBLE_EQ(view.zoom(), tviewtransform::largestzoom);
  expectnear(view.toscreen({50.5, 50.5}), {150.0, 150.0});
}

TEST(ViewTransform, ShowWholeAndKeepInViewMoveOnlyAsFarAsNeeded) {
  tviewtransform view;
  view.zoomabout(3.0, {0.0, 0.0});
  view.showwhole(tbox{20, 30, 219, 129}, 400, 300, 10);
  EXPECT_DOUBLE_EQ(view.zoom(), 1.0);
  expectnear(view.toscreen({0.0, 0.0}), {0.0, 0.0});
  // Off the left edge: moved in, not centred.
  view.showwhole(tbox{-50, 30, 149, 129}, 400, 300, 10);
  expectnear(view.toscreen({-50.0, 30.0}), {10.0, 30.0});
  view.showwhole(tbox{0, 0, 799, 99}, 400, 300, 10);
  EXPECT_DOUBLE_EQ(view.zoom(), 0.475);

  view.reset();
  view.zoomabout(2.0, {0.0, 0.0});
  // Larger than the window: its left and top edges show, still zoomed.
  view.keepinview(tbox{-100, -40, 399, 59}, 400, 300, 10);
  EXPECT_DOUBLE_EQ(view.zoom(), 2.0);
  expectnear(view.toscreen({-100.0, -40.0}), {10.0, 10.0});
  view.keepinview(tbox{100, 100, 149, 149}, 400, 300, 10);
  expectnear(view.toscreen({150.0, 150.0}), {390.0, 290.0});
}

TEST(ViewTransform, ATurnIsTheTrackballsAndComesBackExactly) {
  tviewtransform view;
  EXPECT_FALSE(view.turned());
  // 180 pixels at half a degree each: a quarter turn about the vertical,
  // the front of the model following the pointer to the right.
  view.turnby(180.0, 0.0);
  EXPECT_TRUE(view.turned());
  const TXYZ centre{130.0, 100.0, 0.0};
  const TXYZ end{160.0, 100.0, 0.0};
  const TXYZ turned = turnpoint(view.turn(), centre, end);
  EXPECT_NEAR(turned.x, 130.0, 1e-9);
  EXPECT_NEAR(turned.z, -30.0, 1e-9);
  view.turnby(-40.0, 75.0);
  const TXYZ back = turnpoint(transposed(view.turn()), centre,
                              turnpoint(view.turn(), centre, end));
  EXPECT_NEAR(back.x, end.x, 1e-9);
  EXPECT_NEAR(back.y, end.y, 1e-9);
  EXPECT_NEAR(back.z, end.z, 1e-9);
  view.reset();
  EXPECT_FALSE(view.turned());
}

}  // namespace
}  // namespace molvane
