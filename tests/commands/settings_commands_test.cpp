// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/settings_commands.h"

#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

using SettingsCommandsTest = testing::tdrawingtest;

// Issue 13: Settings/Double Bond left the bonds of the drawing as they were,
// and Undo brought the old spacing back with its copy.
TEST_F(SettingsCommandsTest, DoubleBondSpacingReachesEveryBondAndTheCopies) {
  bond(atom(6, 0, 0), atom(6, 40, 0), 4);
  bond(atom(6, 0, 50), atom(6, 40, 50), 6);
  session().takeundosnapshot();
  setdoublebondspacing(drawing(), 10);
  EXPECT_EQ(session().settings.doublebondspacing, 10);
  auto expectspacing = [](const tdrawing& drawing) {
    ASSERT_EQ(drawing.bonds.count(), 2);
    EXPECT_EQ(drawing.bonds.items(0)->spacing, 10);
    EXPECT_EQ(drawing.bonds.items(0)->offy, 10);
    // Triple bonds keep their lines at two thirds of the spacing.
    EXPECT_EQ(drawing.bonds.items(1)->offy, 7);
  };
  expectspacing(drawing());
  session().undo();
  expectspacing(drawing());
  session().redo();
  expectspacing(drawing());

  // The setting keeps one byte; nothing draws lines on top of each other.
  setdoublebondspacing(drawing(), 0);
  EXPECT_EQ(drawing().bonds.items(0)->spacing, 1);
  setdoublebondspacing(drawing(), 300);
  EXPECT_EQ(session().settings.doublebondspacing, 255);
}

}  // namespace
}  // namespace molvane
