// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recent_files.h"

#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

TEST(RecentFiles, KeepsSixWholeNamesIgnoringCaseAcrossASave) {
  trecentfiles recents;
  EXPECT_TRUE(recents.add("/data/BA.MLV"));
  EXPECT_FALSE(recents.add("/DATA/ba.mlv"));
  // Contained in the first name, but another document.
  EXPECT_TRUE(recents.add("A.MLV"));
  EXPECT_FALSE(recents.add(""));
  for (int i = 1; i <= 5; ++i) {
    EXPECT_TRUE(recents.add("/data/file" + std::to_string(i) + ".mlv"));
  }
  // The seventh name dropped the oldest.
  ASSERT_EQ(recents.names().size(), 6U);
  EXPECT_EQ(recents.names().front(), "A.MLV");
  EXPECT_EQ(recents.names().back(), "/data/file5.mlv");
  EXPECT_EQ(trecentfiles::captionof("/data/Ring.mlv"), "RING.MLV");

  testing::ttemporaryfolder folder;
  const auto file = folder.path() / recentsfilename;
  recents.add("/one/a b.mlv");
  ASSERT_EQ(recents.save(file), "");
  trecentfiles loaded;
  loaded.load(file);
  EXPECT_EQ(loaded.names(), recents.names());
  loaded.load(folder.path() / "missing.dat");
  EXPECT_TRUE(loaded.names().empty());
}

}  // namespace
}  // namespace molvane
