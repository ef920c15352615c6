// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/defaults_record.h"

#include "io/atomic_file.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace molvane {
namespace {

std::vector<std::uint8_t> filebytes(const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(readwholefile(path, bytes, 4096), "");
  return bytes;
}

TEST(DefaultsRecord, PutsEveryFieldAtItsOffset) {
  tdefaultsrecord record = tdefaultsrecord::standard("/opt/m3");
  record.bondlength = 0x1234;
  record.saveonclose = 1;
  record.linewidthcode = 3;
  record.doublebondspacing = 0x0A07;
  record.horizontalstep = 32;
  record.verticalstep = 24;
  record.nmrnucleus = 15;
  const auto bytes = record.tobytes();
  ASSERT_EQ(bytes.size(), 502U);
  using tbytes = std::vector<std::uint8_t>;
  // Version, bond length (low byte first), save on close, line width code.
  EXPECT_EQ(tbytes(&bytes[0], &bytes[6]), (tbytes{150, 0, 0x34, 0x12, 1, 3}));
  // After the label font: spacing (low, high byte), steps, NMR nucleus.
  EXPECT_EQ(tbytes(&bytes[56], &bytes[63]), (tbytes{7, 10, 32, 0, 24, 0, 15}));
  const auto font = record.labelfont.tobytes();
  EXPECT_TRUE(std::equal(font.begin(), font.end(), bytes.begin() + 6));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[67])), "/opt/m3");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[212])), "/opt/m3");

  tdefaultsrecord back;
  ASSERT_TRUE(back.frombytes(bytes));
  EXPECT_EQ(back.tobytes(), bytes);
}

TEST(DefaultsRecord, KeepsLongFoldersWithinTheirFields) {
  const std::string folder(400, 'f');
  const auto bytes = tdefaultsrecord::standard(folder).tobytes();
  EXPECT_EQ(bytes[67 + 143], 0);
  EXPECT_EQ(bytes[211], 0);
  EXPECT_EQ(bytes[212 + 143], 0);
  tdefaultsrecord back;
  ASSERT_TRUE(back.frombytes(bytes));
  EXPECT_EQ(back.folder.size(), 143U);
}

TEST(DefaultsRecord, SettingsKeepTheHighByteOfTheSpacing) {
  tdefaultsrecord record;
  record.doublebondspacing = 0x0306;
  tsettings settings;
  record.applyto(settings);
  EXPECT_EQ(settings.doublebondspacing, 6);
  settings.doublebondspacing = 8;
  settings.bondlength = 42;
  record.takefrom(settings);
  EXPECT_EQ(record.doublebondspacing, 0x0308);
  EXPECT_EQ(record.bondlength, 42);
}

TEST(DefaultsRecord, CreatesAMissingOrDamagedFile) {
  testing::ttemporaryfolder folder;
  const auto file = folder.path() / defaultsfilename;

  tdefaultsload first = loaddefaults(folder.path());
  EXPECT_TRUE(first.created);
  EXPECT_EQ(first.error, "");
  EXPECT_EQ(filebytes(file).size(), 502U);
  EXPECT_EQ(first.record.folder, folder.path().string());

  tdefaultsrecord changed = first.record;
  changed.bondlength = 48;
  ASSERT_EQ(savedefaults(folder.path(), changed), "");
  tdefaultsload second = loaddefaults(folder.path());
  EXPECT_FALSE(second.created);
  EXPECT_EQ(second.record.bondlength, 48);

  struct tdamage {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  const auto good = changed.tobytes();
  std::vector<std::uint8_t> zerolength(good.begin(), good.end());
  zerolength[2] = zerolength[3] = 0;
  std::vector<std::uint8_t> widecode = zerolength;
  widecode[2] = 30;
  widecode[5] = 9;
  const std::vector<tdamage> damages{
      {"short file", std::vector<std::uint8_t>(100, 1)},
      {"long file", std::vector<std::uint8_t>(503, 1)},
      {"bond length 0", zerolength},
      {"line width code 9", widecode},
  };
  for (const tdamage& damage : damages) {
    SCOPED_TRACE(damage.what);
    ASSERT_EQ(writefileatomically(file, damage.bytes), "");
    tdefaultsload loaded = loaddefaults(folder.path());
    EXPECT_TRUE(loaded.created);
    EXPECT_EQ(loaded.record.bondlength, 30);
    EXPECT_EQ(loaded.record.linewidthcode, 1);
    EXPECT_EQ(filebytes(file).size(), 502U);
  }
}

}  // namespace
}  // namespace molvane
