// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/drawing_settings.h"

#include "document/symbol.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

using DrawingSettingsTest = testing::tdrawingtest;

TEST_F(DrawingSettingsTest, LineWidthAndBondLengthReachEveryBondAndSymbol) {
  tatm* a = atom(6, 100, 100);
  tatm* b = atom(6, 130, 100);
  tbond* single = bond(a, b);
  tSymbol* arrow = placesymbol(drawing(), 720, 300, 100);
  tsettings& settings = session().settings;
  applylinewidth(drawing(), settings, 9);  // beyond the list: the widest
  EXPECT_EQ(settings.linewidthcode, 3);
  EXPECT_EQ(single->width, settings.linewidth());
  EXPECT_EQ(arrow->bonds.items(0)->width, settings.linewidth());
  // The drawing is scaled by the ratio of the lengths.
  settings.bondlength = 30;
  applybondlength(drawing(), settings, 60);
  EXPECT_NEAR(a->distance(*b), 60.0, 1e-9);
  EXPECT_EQ(drawing().bondlength, 60);
  // A length of nothing would make every later scale divide by zero.
  applybondlength(drawing(), settings, 0);
  EXPECT_EQ(settings.bondlength, 1);
}

TEST_F(DrawingSettingsTest, KeysMoveTheDrawingByTheJumpOrTheBigStep) {
  tsettings& settings = session().settings;
  tatm* a = atom(6, 100, 100);
  using enum tdrawingmove;
  const struct {
    int jump;
    tdrawingmove move;
    bool big;
    double dx, dy;
  } cases[] = {{2, left, false, -8, 0},
               {0, up, false, 0, -2},
               {4, right, true, 32, 0},
               {9, down, false, 0, 24},
               {0, pageup, false, 0, -32}};
  // Jump 9 is clamped to the last entry.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.jump);
    applyjump(settings, c.jump);
    const double x = a->x;
    const double y = a->y;
    movedrawing(drawing(), settings, c.move, c.big);
    EXPECT_DOUBLE_EQ(a->x, x + c.dx);
    EXPECT_DOUBLE_EQ(a->y, y + c.dy);
  }
}

// Settings/Double Bond once left the bonds of the drawing as they were, and
// Undo brought the old spacing back with its copy.
TEST_F(DrawingSettingsTest, DoubleBondSpacingReachesEveryBondAndTheCopies) {
  bond(atom(6, 0, 0), atom(6, 40, 0), 4);
  bond(atom(6, 0, 50), atom(6, 40, 50), 6);
  session().takeundosnapshot();
  applydoublebondspacing(drawing(), session().settings, 10);
  auto expectspacing = [](const tdrawing& drawing) {
    EXPECT_EQ(drawing.bonds.items(0)->offy, 10);
    // Triple bonds keep their lines at two thirds of the spacing.
    EXPECT_EQ(drawing.bonds.items(1)->offy, 7);
  };
  expectspacing(drawing());
  session().undo();
  expectspacing(drawing());

  // The setting keeps one byte; nothing draws lines on top of each other.
  applydoublebondspacing(drawing(), session().settings, 0);
  EXPECT_EQ(drawing().bonds.items(0)->spacing, 1);
  applydoublebondspacing(drawing(), session().settings, 300);
  EXPECT_EQ(session().settings.doublebondspacing, 255);
}

}  // namespace
}  // namespace molvane
