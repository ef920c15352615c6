// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/defaults_record.h"
#include "support/atomic_file.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <limits>
#include <tuple>

namespace molvane {
namespace {

namespace fs = std::filesystem;
using tbytes = std::vector<std::uint8_t>;
using tnames = std::vector<std::string>;

/// Sorted names in folder: shows no temporary file was left behind.
tnames entries(const testing::ttemporaryfolder& folder) {
  tnames names;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

tbytes patternbytes(std::size_t size, unsigned seed) {
  tbytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 251);
  }
  return bytes;
}

tbytes readback(const fs::path& path) {
  tbytes bytes;
  EXPECT_EQ(readwholefile(path, bytes, std::numeric_limits<std::size_t>::max()),
            "");
  return bytes;
}

TEST(AtomicFile, WrittenBytesReadBackAndReplaceLongerOnes) {
  const testing::ttemporaryfolder folder;
  const fs::path target = folder.path() / "benzene.mlv";
  // Larger than one read chunk, then shorter: no old tail may survive.
  for (const std::size_t size : {200000, 568, 0}) {
    SCOPED_TRACE(size);
    const tbytes bytes = patternbytes(size, size);
    ASSERT_EQ(writefileatomically(target, bytes), "");
    EXPECT_EQ(readback(target), bytes);
    EXPECT_EQ(entries(folder), tnames{"benzene.mlv"});
  }
}

TEST(AtomicFile, FailuresReportAndLeaveEverythingAsItWas) {
  const testing::ttemporaryfolder folder;
  const fs::path missing = folder.path() / "missing" / "out.mlv";
  std::string error = writefileatomically(missing, patternbytes(10, 1));
  EXPECT_NE(error.find(missing.string()), std::string::npos) << error;
  EXPECT_TRUE(entries(folder).empty());

  // A directory cannot be replaced by a file; unlike a read-only folder
  // this also fails for root.
  const fs::path directory = folder.path() / "taken.mlv";
  fs::create_directory(directory);
  error = writefileatomically(directory, patternbytes(50, 9));
  EXPECT_NE(error.find("Cannot replace \"" + directory.string()),
            std::string::npos)
      << error;
  EXPECT_TRUE(fs::is_directory(directory));

  // A write beyond the process's file size limit fails with EFBIG, for root
  // too; the signal that comes with it is ignored meanwhile.
  const fs::path target = folder.path() / "old.mlv";
  const tbytes old = patternbytes(100, 5);
  ASSERT_EQ(writefileatomically(target, old), "");
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  const rlim_t previous = limit.rlim_cur;
  limit.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  error = writefileatomically(target, patternbytes(100000, 6));
  limit.rlim_cur = previous;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, handler);
  EXPECT_NE(error.find("Cannot write"), std::string::npos) << error;
  EXPECT_EQ(readback(target), old);

  EXPECT_EQ(entries(folder), (tnames{"old.mlv", "taken.mlv"}));
}

TEST(AtomicFile, ReplacingKeepsPermissionsAndSymbolicLinks) {
  const testing::ttemporaryfolder folder;
  const fs::path file = folder.path() / "real.mlv";
  const fs::path link = folder.path() / "link.mlv";
  ASSERT_EQ(writefileatomically(file, patternbytes(10, 1)), "");
  const auto mode =
      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file, mode);
  fs::create_symlink(file.filename(), link);

  const tbytes bytes = patternbytes(30, 2);
  ASSERT_EQ(writefileatomically(link, bytes), "");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(readback(file), bytes);
  EXPECT_EQ(fs::status(file).permissions(), mode);
}

TEST(ReadWholeFile, RefusesTooLargeOrMissingFilesWithoutKeepingBytes) {
  const testing::ttemporaryfolder folder;
  const fs::path path = folder.path() / "hundred.bin";
  const tbytes bytes = patternbytes(100, 4);
  ASSERT_EQ(writefileatomically(path, bytes), "");
  tbytes out{1, 2, 3};
  EXPECT_EQ(readwholefile(path, out, 100), "");
  EXPECT_EQ(out, bytes);

  const struct {
    fs::path path;
    std::size_t maxbytes;
    std::string message;
  } cases[] = {
      {path, 99, "\"" + path.string() + "\" is larger than 99 bytes"},
      // A device has no size and never ends; the limit must still hold.
      {"/dev/zero", 100000, "larger than 100000 bytes"},
      {folder.path() / "none", 10,
       "Cannot open \"" + (folder.path() / "none").string()},
      {folder.path() / ".", 10, "Cannot read"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    out = {1};
    const std::string error = readwholefile(c.path, out, c.maxbytes);
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_TRUE(out.empty());
  }
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
  // Version, bond length (low byte first), save on close, line width code.
  EXPECT_EQ(tbytes(&bytes[0], &bytes[6]), (tbytes{150, 0, 0x34, 0x12, 1, 3}));
  // After the label font: spacing (low, high byte), steps, NMR nucleus.
  EXPECT_EQ(tbytes(&bytes[56], &bytes[63]), (tbytes{7, 10, 32, 0, 24, 0, 15}));
  const auto font = record.labelfont.tobytes();
  EXPECT_TRUE(std::equal(font.begin(), font.end(), bytes.begin() + 6));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[212])), "/opt/m3");
  tdefaultsrecord back;
  ASSERT_TRUE(back.frombytes(bytes));
  EXPECT_EQ(back.tobytes(), bytes);

  // A long folder stays within its field.
  const auto longfolder = tdefaultsrecord::standard(std::string(400, 'f'));
  ASSERT_TRUE(back.frombytes(longfolder.tobytes()));
  EXPECT_EQ(longfolder.tobytes()[211], 0);
  EXPECT_EQ(back.folder.size(), 143U);
}

TEST(DefaultsRecord, SettingsKeepTheSpacingsHighByteAndTheDisplayByte) {
  tdefaultsrecord spacing;
  spacing.doublebondspacing = 0x0306;
  tsettings settings;
  spacing.applyto(settings);
  EXPECT_EQ(settings.doublebondspacing, 6);
  settings.doublebondspacing = 8;
  settings.bondlength = 42;
  spacing.takefrom(settings);
  EXPECT_EQ(spacing.doublebondspacing, 0x0308);
  EXPECT_EQ(spacing.bondlength, 42);

  // A record from before the display byte was used (0) keeps smooth
  // screen drawing on and label colours off.
  settings.colourlabels = true;
  settings.smoothscreen = false;
  tdefaultsrecord{}.applyto(settings);
  EXPECT_FALSE(settings.colourlabels);
  EXPECT_TRUE(settings.smoothscreen);
  // A fresh program colours heteroatom labels, in the same byte.
  tdefaultsrecord::standard("").applyto(settings);
  EXPECT_TRUE(settings.colourlabels);
  EXPECT_EQ(tdefaultsrecord::standard("").tobytes()[63], colourlabelsflag);

  tdefaultsrecord record;
  record.displayflags = 0x80;  // a bit of a later program is kept
  for (const auto& [colour, smooth, byte] :
       {std::tuple{true, true, 0x81}, std::tuple{false, false, 0x82}}) {
    settings.colourlabels = colour;
    settings.smoothscreen = smooth;
    record.takefrom(settings);
    const auto bytes = record.tobytes();
    EXPECT_EQ(bytes[63], byte);
    tdefaultsrecord back;
    ASSERT_TRUE(back.frombytes(bytes));
    tsettings read;
    back.applyto(read);
    EXPECT_EQ(read.colourlabels, colour);
    EXPECT_EQ(read.smoothscreen, smooth);
  }
}

TEST(DefaultsRecord, CreatesAMissingOrDamagedFile) {
  testing::ttemporaryfolder folder;
  const auto file = folder.path() / defaultsfilename;

  tdefaultsload first = loaddefaults(folder.path());
  EXPECT_TRUE(first.created && first.error.empty());
  EXPECT_EQ(first.record.folder, folder.path().string());

  tdefaultsrecord changed = first.record;
  changed.bondlength = 48;
  ASSERT_EQ(savedefaults(folder.path(), changed), "");
  tdefaultsload second = loaddefaults(folder.path());
  EXPECT_FALSE(second.created);
  EXPECT_EQ(second.record.bondlength, 48);

  const auto good = changed.tobytes();
  tbytes zerolength(good.begin(), good.end());
  zerolength[2] = zerolength[3] = 0;
  tbytes widecode = zerolength;
  widecode[2] = 30;
  widecode[5] = 9;
  for (const tbytes& damaged : {tbytes(100, 1), zerolength, widecode}) {
    ASSERT_EQ(writefileatomically(file, damaged), "");
    tdefaultsload loaded = loaddefaults(folder.path());
    EXPECT_TRUE(loaded.created);
    EXPECT_EQ(loaded.record.bondlength, 30);
    EXPECT_EQ(readback(file).size(), 502U);
  }
}

}  // namespace
}  // namespace molvane
