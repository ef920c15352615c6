// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/settings_file.h"

#include "support/atomic_file.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

TEST(SettingsFile, RoundTripsAndMissingFilesGiveTheDefaults) {
  testing::ttemporaryfolder folder;
  const auto path = folder.path() / settingsfilename;
  const tsettingsread missing = loadsettingsfile(path);
  EXPECT_TRUE(missing.problems.empty());
  EXPECT_EQ(missing.settings.undosteps, 50U);
  EXPECT_EQ(missing.settings.undomegabytes, 200U);

  tsettingsfile chosen;
  chosen.undosteps = 7;
  chosen.undomegabytes = 12;
  chosen.polish = false;
  chosen.lastfolder = "/home/chemist/my molecules";
  ASSERT_EQ(savesettingsfile(path, chosen), "");
  const tsettingsread read = loadsettingsfile(path);
  EXPECT_TRUE(read.problems.empty());
  EXPECT_EQ(read.settings.undosteps, 7U);
  EXPECT_EQ(read.settings.undomegabytes, 12U);
  EXPECT_FALSE(read.settings.polish);
  EXPECT_EQ(read.settings.lastfolder, chosen.lastfolder);
  // A folder name with a line break would smuggle in a line of its own.
  chosen.lastfolder = "/tmp\nundo.steps=1";
  EXPECT_EQ(parsesettings(settingstext(chosen)).settings.undosteps, 7U);
}

TEST(SettingsFile, BadLinesAreSkippedWithTheirReason) {
  const tsettingsread read = parsesettings(
      "# comment\n"
      "undo.steps=0\n"
      "undo.megabytes=99999999999999999999999\n"
      "optimizer.polish=yes\n"
      "no equals sign\n"
      "some.future.key=5\r\n"
      "undo.steps = 12 \n" +
      std::string(5000, 'x') + "\n");
  EXPECT_EQ(read.settings.undosteps, 12U);
  EXPECT_EQ(read.settings.undomegabytes, 200U);
  EXPECT_TRUE(read.settings.polish);
  EXPECT_EQ(read.problems,
            (std::vector<std::string>{
                "line 2: undo.steps=0: not a number from 1 to 1000",
                "line 3: undo.megabytes=99999999999999999999999: not a "
                "number from 1 to 8192",
                "line 4: optimizer.polish=yes: not 0 or 1",
                "line 5: no equals sign: no \"=\"",
                "line 8: longer than 4096 bytes"}));
}

TEST(SettingsFile, KeepsThePlacesOfThePalettesEachUnderItsOwnKey) {
  tsettingsfile chosen;
  EXPECT_EQ(parsesettings(settingstext(chosen)).settings.views3dplace,
            std::nullopt);
  chosen.views3dplace = tpaletteplace{-1280, 40};
  chosen.optimizerplace = tpaletteplace{700, -3};
  const tsettingsfile both = parsesettings(settingstext(chosen)).settings;
  EXPECT_EQ(both.views3dplace, chosen.views3dplace);
  EXPECT_EQ(both.optimizerplace, chosen.optimizerplace);
  for (const char* bad :
       {"palette.views3d=12", "palette.views3d=1,2,3", "palette.views3d=,5",
        "palette.views3d=9,200000", "palette.optimizer=x,1",
        "palette.optimizer=5,\x01"}) {
    SCOPED_TRACE(bad);
    const tsettingsread read = parsesettings(bad);
    EXPECT_EQ(read.settings.views3dplace, std::nullopt);
    EXPECT_EQ(read.settings.optimizerplace, std::nullopt);
    EXPECT_EQ(read.problems.size(), 1U);
  }
}

TEST(SettingsFile, HugeOrBinaryFilesNeverCrash) {
  testing::ttemporaryfolder folder;
  const auto path = folder.path() / settingsfilename;
  ASSERT_EQ(writefileatomically(path, std::vector<std::uint8_t>(70000, 'a')),
            "");
  const tsettingsread huge = loadsettingsfile(path);
  ASSERT_EQ(huge.problems.size(), 1U);
  EXPECT_EQ(huge.settings.undosteps, 50U);
  std::vector<std::uint8_t> noise(3000);
  for (std::size_t i = 0; i < noise.size(); ++i) {
    noise[i] = static_cast<std::uint8_t>((i * 7919U) % 256U);
  }
  ASSERT_EQ(writefileatomically(path, noise), "");
  EXPECT_EQ(loadsettingsfile(path).settings.undomegabytes, 200U);
}

}  // namespace
}  // namespace molvane
