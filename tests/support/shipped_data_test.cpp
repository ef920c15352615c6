// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/shipped_data.h"

#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace molvane {
namespace {

// One test: the chosen folder is process-wide, so the steps run in order.
TEST(ShippedData, BuildFolderUntilAnInstalledFolderIsBesideTheExecutable) {
  const std::filesystem::path build = shippeddatafolder();
  EXPECT_TRUE(std::filesystem::exists(build / "nmr" / "nmr13.pks")) << build;

  testing::ttemporaryfolder folder;
  const std::filesystem::path bin = folder.path() / "bin";
  std::filesystem::create_directories(bin);
  EXPECT_EQ(useshippeddatanear({}), build);
  EXPECT_EQ(useshippeddatanear(bin), build);

  const std::filesystem::path installed = folder.path() / "share" / "molvane3d";
  std::filesystem::create_directories(installed);
  EXPECT_EQ(useshippeddatanear(bin), installed);
  EXPECT_EQ(shippeddatafolder(), installed);
  // A later look from an executable without one keeps the installed folder.
  EXPECT_EQ(useshippeddatanear(folder.path()), installed);
}

}  // namespace
}  // namespace molvane
