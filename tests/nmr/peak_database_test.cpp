// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/peak_database.h"

#include "nmr/peak_file.h"
#include "support/atomic_file.h"
#include "support/little_endian.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

namespace molvane {
namespace {

tpeak entry(std::uint8_t peaktype, float s0, float s1, double shift,
            int nucleus = 6) {
  tpeak peak;
  peak.peaktype = peaktype;
  peak.spheres = {s0, s1, 0.1F, 0.1F, 0.1F, 0.1F, 0.1F};
  peak.setshift(shift, nucleus);
  return peak;
}

/// A file of total records in list 7, each a different environment.
std::vector<std::uint8_t> fileof(int total, int listed = -1) {
  tpeakdb db(6);
  std::vector<tpeak> peaks;
  for (int i = 0; i < total; ++i) {
    peaks.push_back(entry(30, 0.5F, 0.001F * static_cast<float>(i + 1), 10));
  }
  db.setlist(7, peaks);
  std::array<tpeaklist, peaklistcount> lists;
  lists[7] = db.list(7);
  std::vector<std::uint8_t> bytes = writepeakfile(lists);
  if (listed >= 0) {
    detail::putu32(bytes.data() + 4, static_cast<std::uint32_t>(listed));
  }
  return bytes;
}

void writebytes(const std::filesystem::path& path,
                const std::vector<std::uint8_t>& bytes) {
  ASSERT_EQ(writefileatomically(path, bytes), "");
}

std::vector<std::uint8_t> readbytes(const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(readwholefile(path, bytes, 1U << 24U), "");
  return bytes;
}

TEST(PeakShift, StoresFixedPointPerNucleus) {
  const struct {
    int nucleus;
    double value;
    std::int16_t stored;
  } cases[] = {
      {1, 7.264, 726},    {6, 128.46, 1285},  {9, -300.0, -3000},
      {1, 120.0, -9999},  {1, -100.0, -9999}, {6, -999.5, -9999},
      {6, 5000.0, -9999}, {6, -999.0, -9990},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.value);
    tpeak peak;
    peak.level = 3;
    peak.setshift(each.value, each.nucleus);
    EXPECT_EQ(peak.shift, each.stored);
    EXPECT_EQ(peak.level, peak.hasshift() ? 3 : 0);
    if (peak.hasshift()) {
      EXPECT_NEAR(peak.getshift(each.nucleus),
                  each.stored * (each.nucleus == 1 ? 0.01 : 0.1), 1e-9);
    } else {
      EXPECT_EQ(peak.getshift(each.nucleus), noshift);
    }
  }
}

TEST(PeakOrder, IdentityFollowsClassAndSpheres) {
  tpeak a = entry(30, 0.5F, 0.2F, 10);
  tpeak b = entry(30, 0.5F, 0.3F, 20);
  tpeak c = entry(31, 0.1F, 0.1F, 10);
  EXPECT_LT(comparepeaks(a, b), 0);  // same key, larger sum
  EXPECT_LT(comparepeaks(b, c), 0);  // larger key
  EXPECT_EQ(comparepeaks(a, entry(30, 0.5F, 0.2F, 99)), 0);
  EXPECT_TRUE(identical(a, entry(30, 0.5F, 0.2F, 99)));
}

TEST(PeakFile, EmptyDatabaseIs88BytesAndRecordsAre32) {
  std::array<tpeaklist, peaklistcount> lists;
  std::vector<std::uint8_t> empty = writepeakfile(lists);
  ASSERT_EQ(empty.size(), 88U);
  EXPECT_EQ(detail::getu32(empty.data()), 19U);
  EXPECT_EQ(detail::getu32(empty.data() + 4), 0U);

  tpeak peak = entry(33, 0.25F, 0.5F, -12.3);
  lists[10].peaks.push_back(peak);
  std::vector<std::uint8_t> one = writepeakfile(lists);
  ASSERT_EQ(one.size(), 120U);
  EXPECT_EQ(detail::getu32(one.data() + 4), 1U);
  const std::uint8_t* record = one.data() + 8 + 4 * 11;
  EXPECT_EQ(detail::getu32(record - 4), 1U);
  EXPECT_EQ(detail::geti16(record), -123);
  EXPECT_EQ(record[2], 33);
  EXPECT_EQ(record[3], 0);
  EXPECT_EQ(std::bit_cast<float>(detail::getu32(record + 8)), 0.5F);

  tpeakfile back = readpeakfile(one, 2400);
  ASSERT_EQ(back.error, "");
  ASSERT_EQ(back.lists[10].size(), 1U);
  EXPECT_TRUE(identical(back.lists[10][0], peak));
  EXPECT_EQ(back.lists[10][0].shift, peak.shift);
}

TEST(PeakFile, HostileFilesAreRejectedWithAReason) {
  std::vector<std::uint8_t> good = fileof(3);
  auto changed = [&](std::size_t offset, std::uint32_t value) {
    std::vector<std::uint8_t> bytes = good;
    detail::putu32(bytes.data() + offset, value);
    return bytes;
  };
  std::vector<std::uint8_t> nan = good;
  detail::putu32(
      nan.data() + 8 + 4 * 8 + 8,
      std::bit_cast<std::uint32_t>(std::numeric_limits<float>::quiet_NaN()));
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* reason;
  } cases[] = {
      {"empty", {}, "8-byte head"},
      {"truncated", {good.begin(), good.end() - 5}, "cut off"},
      {"huge count", changed(8 + 4 * 7, 0x7FFFFFFF), "not there"},
      {"negative total", changed(4, 0xFFFFFFFF), "negative"},
      {"too many lists", changed(0, 20), "lists 0 to 20"},
      {"head disagrees", changed(4, 5), "the lists 3"},
      {"NaN sphere", nan, "not a number"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    tpeakfile file = readpeakfile(each.bytes, 2400);
    EXPECT_NE(file.error.find(each.reason), std::string::npos) << file.error;
    for (const auto& list : file.lists) {
      EXPECT_TRUE(list.empty());
    }
  }
}

TEST(PeakFile, EveryTruncationAndMutationGivesAResultOrAReason) {
  std::vector<std::uint8_t> good = fileof(3);
  for (std::size_t size = 0; size < good.size(); ++size) {
    tpeakfile file = readpeakfile({good.data(), size}, 2400);
    EXPECT_NE(file.error, "") << size;
  }
  std::mt19937 random(15);
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::uint8_t> bytes = good;
    for (int flips = 0; flips < 3; ++flips) {
      bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    }
    tpeakfile file = readpeakfile(bytes, 2400);
    std::size_t total = 0;
    for (const auto& list : file.lists) {
      total += list.size();
      EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                                 [](const tpeak& a, const tpeak& b) {
                                   return comparepeaks(a, b) < 0;
                                 }));
    }
    EXPECT_EQ(total == 0 || file.error.empty(), true);
    EXPECT_LE(total, 3U);
  }
}

class PeakDatabase : public testing::tdrawingtest {
 protected:
  std::filesystem::path file(const std::string& name) const {
    return folder.path() / name;
  }
  testing::ttemporaryfolder folder;
};

TEST_F(PeakDatabase, OneLimitForReadingWhateverTheProgramWrites) {
  auto& messages = recordmessages();
  const struct {
    int nucleus;
    int records;
    bool loads;
  } cases[] = {{6, 2399, true},
               {6, 2400, false},
               {1, 4799, true},
               {1, 4800, false},
               {9, 1200, true}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.records);
    messages.errors.clear();
    writebytes(file("limit.pks"), fileof(each.records));
    tpeakdb db(file("limit.pks").string(), each.nucleus,
               session().relayedmessages(), session().relayedprogress());
    EXPECT_EQ(db.totalcount(), each.loads ? each.records : 0);
    EXPECT_EQ(db.reload(), each.loads);
    EXPECT_EQ(messages.errors.empty(), each.loads);
    if (!each.loads) {
      EXPECT_EQ(messages.errors.front(), "E1--NMR Database Too Large");
    }
  }
}

TEST_F(PeakDatabase, AnUnreadableFileIsNeverOverwritten) {
  auto& messages = recordmessages();
  std::vector<std::uint8_t> large = fileof(2400);
  writebytes(file("nmr13.pks"), large);
  tpeakdb db(file("nmr13.pks").string(), 6, session().relayedmessages(),
             session().relayedprogress());
  db.addpeak(entry(30, 0.9F, 0.9F, 42.0));
  EXPECT_FALSE(db.save());
  EXPECT_EQ(readbytes(file("nmr13.pks")), large);
  EXPECT_EQ(messages.errors.size(), 2U);

  std::vector<std::uint8_t> truncated = fileof(3);
  truncated.resize(50);
  writebytes(file("nmr01.pks"), truncated);
  tpeakdb broken(file("nmr01.pks").string(), 1, session().relayedmessages(),
                 session().relayedprogress());
  EXPECT_EQ(broken.totalcount(), 0);
  EXPECT_EQ(messages.errors.back().rfind("File Read Error: ", 0), 0U);
}

TEST_F(PeakDatabase, WritesOnlyWhenModifiedAndRecreatesFromTheBackup) {
  tpeakdb db(file("nmr13.pks").string(), 6);
  EXPECT_EQ(readbytes(file("nmr13.pks")).size(), 88U);  // created empty
  std::filesystem::remove(file("nmr13.pks"));
  EXPECT_TRUE(db.save());
  EXPECT_FALSE(std::filesystem::exists(file("nmr13.pks")));
  db.addpeak(entry(30, 0.5F, 0.2F, 10));
  EXPECT_TRUE(db.modified());
  EXPECT_TRUE(db.save());
  EXPECT_EQ(readbytes(file("nmr13.pks")).size(), 120U);
  EXPECT_FALSE(db.modified());
  // A missing file is recreated from its backup.
  writebytes(file("nmr14.pk_"), fileof(3));
  tpeakdb restored(file("nmr14.pks").string(), 6);
  EXPECT_EQ(restored.totalcount(), 3);
  EXPECT_FALSE(restored.modified());
  EXPECT_EQ(readbytes(file("nmr14.pks")), fileof(3));
}

TEST_F(PeakDatabase, InsertionKeepsOrderAndReplacesIdenticalEntries) {
  tpeakdb db(6);
  const tpeak peaks[] = {entry(30, 0.5F, 0.3F, 30), entry(30, 0.5F, 0.1F, 10),
                         entry(30, 0.4F, 0.2F, 5), entry(30, 0.6F, 0.2F, 60),
                         entry(30, 0.5F, 0.2F, 20)};
  for (const tpeak& peak : peaks) {
    db.addpeak(peak);
  }
  tpeak noshiftpeak = entry(30, 0.7F, 0.2F, -1000.0);
  db.addpeak(noshiftpeak);
  const std::vector<tpeak>& list = db.list(7).peaks;
  ASSERT_EQ(list.size(), 5U);
  for (std::size_t i = 1; i < list.size(); ++i) {
    EXPECT_LT(comparepeaks(list[i - 1], list[i]), 0);
  }
  db.addpeak(entry(30, 0.5F, 0.2F, 25));
  EXPECT_EQ(db.totalcount(), 5);
  EXPECT_DOUBLE_EQ(db.findentry(peaks[4])->getshift(6), 25.0);
  db.addpeak(entry(13, 0.5F, 0.2F, 25));
  EXPECT_EQ(db.list(0).count(), 1);
}

TEST_F(PeakDatabase, BestMatchCountsLeadingSpheresFirstEntryWins) {
  tpeakdb db(6);
  tpeak a = entry(30, 0.5F, 0.2F, 10);
  tpeak b = entry(30, 0.5F, 0.2F, 20);
  b.spheres[3] = 0.7F;
  db.addpeak(a);
  db.addpeak(b);
  tpeak probe = a;
  probe.spheres[4] = 0.9F;
  tmatch match = db.bestmatch(probe);
  ASSERT_NE(match.entry, nullptr);
  EXPECT_EQ(match.level, 4);
  EXPECT_DOUBLE_EQ(match.entry->getshift(6), 10.0);
  EXPECT_EQ(db.bestmatch(a).level, 7);
  probe.spheres[0] = 0.55F;
  EXPECT_EQ(db.bestmatch(probe).entry, nullptr);
  probe.peaktype = 31;
  EXPECT_EQ(db.bestmatch(probe).level, 0);
}

TEST_F(PeakDatabase, DeletionAsksBeforeRemovingANearEntry) {
  auto& messages = recordmessages();
  tpeakdb db(6);
  db.setreporting(session().relayedmessages(), session().relayedprogress());
  tpeak a = entry(30, 0.5F, 0.2F, 12.34);
  db.addpeak(a);
  db.addpeak(entry(30, 0.5F, 0.3F, 50));
  tpeak near = a;
  near.spheres[6] = 0.8F;
  messages.answer = false;
  db.deletepeak(near);
  EXPECT_EQ(db.totalcount(), 2);
  EXPECT_EQ(messages.confirmations, std::vector<std::string>{"Delete 12.3?"});
  messages.answer = true;
  db.deletepeak(near);
  EXPECT_EQ(db.totalcount(), 1);
  db.deletepeak(db.list(7).peaks.front());
  EXPECT_EQ(db.totalcount(), 0);
}

TEST_F(PeakDatabase, CleanupDropsDuplicatesAndEntriesWithoutShift) {
  auto& messages = recordmessages();
  tpeak none = entry(30, 0.1F, 0.1F, 0);
  none.shift = noshiftfixed;
  tpeak one = entry(30, 0.5F, 0.2F, 10);
  tpeak two = entry(30, 0.5F, 0.3F, 20);
  tpeakdb db(6);
  db.setlist(7, {none, one, two});
  tpeakdb copy(6);
  copy.setlist(7, {one});
  copy.setreporting(session().relayedmessages(), session().relayedprogress());
  copy.appendfrom(db);  // appends without sorting: one, none, one, two
  ASSERT_EQ(copy.list(7).count(), 4);
  copy.cleanup();
  ASSERT_EQ(copy.list(7).count(), 2);
  EXPECT_TRUE(identical(copy.list(7).peaks[1], two));
  EXPECT_EQ(messages.informs, std::vector<std::string>{"Hit 1"});
  db.cleanup();  // the first entry has no shift
  EXPECT_EQ(db.list(7).count(), 2);
  EXPECT_TRUE(db.modified());
}

}  // namespace
}  // namespace molvane
