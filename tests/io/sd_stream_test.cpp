// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/sd_stream.h"

#include "io/mdl_format.h"
#include "io/record_index.h"
#include "io/sd_copy.h"
#include "model/formula.h"
#include "support/atomic_file.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::bytesof;

class SdStream : public testing::tdrawingtest {
 protected:
  std::filesystem::path write(const std::string& name,
                              const std::string& text) {
    return testing::writetext(folder_.path() / name, text);
  }

  testing::ttemporaryfolder folder_;
};

/// "C2H6O" per readable record, the error for the others.
std::vector<std::string> outcomes(const std::vector<treadresult>& results) {
  std::vector<std::string> texts;
  for (const treadresult& result : results) {
    texts.push_back(testing::outcome(result));
  }
  return texts;
}

std::vector<std::string> streamed(const std::filesystem::path& path,
                                  tsdstreamoptions options) {
  tsdstream stream(path, options);
  std::vector<treadresult> results;
  while (std::optional<treadresult> record = stream.next()) {
    results.push_back(std::move(*record));
  }
  EXPECT_EQ(stream.error(), "");
  return outcomes(results);
}

constexpr const char* methane =
    "methane\n  test\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
    "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0\nM  END\n";
constexpr const char* ammonium =
    "ammonium\n\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
    "    0.0000    0.0000    0.0000 N   0  3  0  0  0  0\nM  END\n"
    "> <NAME>\nammonium\n\n";
constexpr const char* brokenbond =
    "broken\n\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n"
    "    0.0000    0.0000    0.0000 C   0  0\n"
    "    1.5000    0.0000    0.0000 O   0  0\n  1  9  1  0\nM  END\n";
constexpr const char* ethanolv3000 =
    "ethanol\n\n\n  0  0  0     0  0            999 V3000\n"
    "M  V30 BEGIN CTAB\nM  V30 COUNTS 3 2 0 0 0\nM  V30 BEGIN ATOM\n"
    "M  V30 1 C 0 0 0 0\nM  V30 2 C 1.5 0 0 0\nM  V30 3 O 2.2 1.2 0 0\n"
    "M  V30 END ATOM\nM  V30 BEGIN BOND\nM  V30 1 1 1 2\nM  V30 2 1 2 3\n"
    "M  V30 END BOND\nM  V30 END CTAB\nM  END\n";

/// Records of every kind the reader meets, line ends of all three kinds,
/// a stretch of blank lines and a last record without "$$$$".
std::string mixedfile() {
  std::string crlf;
  for (char c : std::string(ammonium)) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  }
  std::string cr = methane;
  std::replace(cr.begin(), cr.end(), '\n', '\r');
  return std::string(methane) + "$$$$\n" + crlf + "$$$$\r\n" + brokenbond +
         "$$$$\n\n  \n$$$$\n" + cr + "$$$$\r" + ethanolv3000;
}

TEST_F(SdStream, ReadsAlikeWhateverTheChunkSizeAndAsTheWholeFileReader) {
  const std::string text = mixedfile();
  const auto path = write("mixed.sdf", text);
  const std::vector<std::string> whole =
      outcomes(readmdlrecords(bytesof(text)));
  ASSERT_EQ(whole.size(), 5U);
  // CR LF and CR alone end lines as well as LF does.
  EXPECT_EQ(whole, (std::vector<std::string>{
                       "CH4", "H4N", "record 3, line 24: bond to atom 9 of 2",
                       "CH4", "C2H6O"}));
  // Sizes of 1 and 2 split every CR LF and every "$$$$" line.
  for (std::size_t chunk : {1U, 2U, 3U, 7U, 64U, 1U << 20U}) {
    SCOPED_TRACE(chunk);
    EXPECT_EQ(streamed(path, {chunk, 1U << 20U}), whole);
  }
}

TEST_F(SdStream, PlacesLeadBackToTheirRecords) {
  const std::string text = mixedfile();
  const auto path = write("mixed.sdf", text);
  const trecordindex index = indexrecords(path);
  ASSERT_EQ(index.error, "");
  ASSERT_EQ(index.count(), 5U);
  EXPECT_EQ(index.titles[0], "methane");
  EXPECT_EQ(index.titles[1], "ammonium");
  EXPECT_EQ(index.places[2].firstline, 18);
  EXPECT_EQ(index.places[3].number, 4);
  EXPECT_EQ(text.substr(index.places[4].offset, 7), "ethanol");
  // Every record read alone is the record read in order.
  const std::vector<std::string> whole =
      outcomes(readmdlrecords(bytesof(text)));
  for (std::size_t k = 0; k < index.count(); ++k) {
    SCOPED_TRACE(k);
    treadresult alone = readindexedrecord(path, index, k);
    EXPECT_EQ(testing::outcome(alone), whole[k]);
  }
  EXPECT_EQ(readindexedrecord(path, index, 5).error,
            "the file holds no record 6");
  write("mixed.sdf", methane);
  EXPECT_EQ(readindexedrecord(path, index, 4).error,
            "record 5 is no longer where it was; the file has changed");
}

TEST_F(SdStream, RefusesHostileFilesWithAMessageAndGoesOn) {
  const std::string huge = "big\n" + std::string(5000, 'x') + "\n";
  const std::string toolong =
      "the record is longer than 4096 bytes and was left out";
  std::string binary(20000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) {
    binary[i] = static_cast<char>((i * 7919U) % 251U);
  }
  struct tcase {
    const char* name;
    std::string text;
    std::vector<std::string> expected;
  };
  const std::vector<tcase> cases = {
      {"no separator at all", methane, {"CH4"}},
      {"huge record between good ones",
       std::string(methane) + "$$$$\n" + huge + "$$$$\n" + methane,
       {"CH4", "record 2, line 8: " + toolong, "CH4"}},
      {"one endless line",
       std::string(30000, 'A'),
       {"record 1, line 1: " + toolong}},
      {"binary bytes", binary, {"record 1, line 1: " + toolong}},
      {"only separators and blanks", "$$$$\n\n$$$$\r\n   \n", {}},
      {"empty", "", {}},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = write("hostile.sdf", c.text);
    for (std::size_t chunk : {5U, 4096U}) {
      EXPECT_EQ(streamed(path, {chunk, 4096U}), c.expected);
    }
  }
  tsdstream missing(folder_.path() / "missing.sdf");
  EXPECT_NE(missing.error().find("Cannot open"), std::string::npos);
  EXPECT_FALSE(missing.next());
}

TEST_F(SdStream, FirstRecordReadsAsTheWholeFileReaderReadsIt) {
  const auto path = write("first.sdf", std::string(brokenbond) + "$$$$\n");
  tsdstream stream(path);
  EXPECT_EQ(readfirstrecord(stream).error, "line 7: bond to atom 9 of 2");
  const auto empty = write("empty.sdf", "\n\n");
  tsdstream none(empty);
  EXPECT_EQ(readfirstrecord(none).error, "the file holds no structure");
}

TEST_F(SdStream, CopiesEveryReadableRecordAndKeepsTheTargetOnFailure) {
  const auto from = write("in.sdf", mixedfile());
  const auto to = folder_.path() / "out.sdf";
  const tcopiedrecords copied = copysdrecords(from, to);
  ASSERT_EQ(copied.error, "");
  EXPECT_EQ(copied.written, 4);
  ASSERT_EQ(copied.notices.size(), 1U);
  EXPECT_EQ(copied.notices[0],
            "record 3, line 24: bond to atom 9 of 2; left out");
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(readwholefile(to, bytes, 1U << 20U), "");
  EXPECT_EQ(outcomes(readmdlrecords(bytes)),
            (std::vector<std::string>{"CH4", "H4N", "CH4", "C2H6O"}));

  const auto broken = write("broken.sdf", brokenbond);
  const tcopiedrecords refused = copysdrecords(broken, to);
  EXPECT_EQ(refused.error, "record 1, line 7: bond to atom 9 of 2");
  EXPECT_EQ(refused.written, 0);
  ASSERT_EQ(readwholefile(to, bytes, 1U << 20U), "");
  EXPECT_EQ(outcomes(readmdlrecords(bytes)).size(), 4U);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()),
                          std::filesystem::directory_iterator()),
            3);
}

}  // namespace
}  // namespace molvane
