// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/view_commands.h"

#include "commands/click_anchor.h"
#include "render/view_turn.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

class ClickPoint : public testing::tdrawingtest {
 protected:
  /// A bent chain A(100, 100) - B(160, 100) - C(160, 160), whose centre
  /// has x = 140; shown in a 3D mode turned half round the vertical, the
  /// atoms appear at A(180, 100), B(120, 100), C(120, 160).
  void SetUp() override {
    a = atom(6, 100, 100);
    b = atom(6, 160, 100);
    c = atom(6, 160, 160);
    bond(a, b);
    bond(b, c);
    drawing().drawmode = 10;
    halfturn.turnby(360.0, 0.0);
  }
  tviewpoint click(const tviewtransform& view, tviewpoint screen) const {
    return clickpoint(drawing(), view, screen);
  }

  tatm* a = nullptr;
  tatm* b = nullptr;
  tatm* c = nullptr;
  tviewtransform halfturn;
};

TEST_F(ClickPoint, ATurnedViewHandsTheCommandsTheObjectShownUnderThePointer) {
  // Beside A as shown, where B stands in the drawing itself.
  const tviewpoint nearA = click(halfturn, {182.0, 100.0});
  EXPECT_NEAR(nearA.x, 102.0, 1e-9);
  EXPECT_EQ(nearestatom(drawing(), nearA.x, nearA.y), a);
  // The middle of B-C as shown, zoomed and panned.
  tviewtransform view = halfturn;
  view.zoomabout(3.0, {0.0, 0.0});
  view.panby(-50.0, 5.0);
  const tviewpoint middle =
      click(view, {121.0 * 3.0 - 50.0, 131.0 * 3.0 + 5.0});
  EXPECT_EQ(nearestbond(drawing(), middle.x, middle.y),
            drawing().bonds.items(1));
  // Far from everything: turned back on the plane through the centre.
  const tviewpoint empty = click(halfturn, {300.0, 300.0});
  EXPECT_NEAR(empty.x, -20.0, 1e-9);
  EXPECT_NEAR(empty.y, 300.0, 1e-9);
  // The 2D drawing is never shown turned.
  drawing().drawmode = 0;
  const tviewpoint flat = click(halfturn, {182.0, 100.0});
  EXPECT_NEAR(flat.x, 182.0, 1e-9);
}

TEST_F(ClickPoint, AnOffsetShrinksSoThatTheShownAtomStaysTheNearest) {
  // D sits 4 pixels from A in the drawing but in front of it: a quarter
  // turn shows them 40 pixels apart.
  tatm* d = atom(6, 104, 100, 40);
  tviewtransform quarter;
  quarter.turnby(180.0, 0.0);
  const TXYZ centre = drawing().atoms.centroid3();
  const TXYZ shown = turnabout(quarter.turn(), centre, {104.0, 100.0, 40.0});
  // Taken whole, the offset towards A would land nearer to A than to D.
  const tviewpoint point = click(quarter, {shown.x - 8.0, shown.y - 6.0});
  EXPECT_EQ(nearestatom(drawing(), point.x, point.y), d);
}

}  // namespace
}  // namespace molvane
