// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace molvane {
namespace {

using ExchangeMutationTest = testing::tdrawingtest;
using testing::bytesof;

/// The exchange seeds of the fuzz corpus: small valid files of every
/// layout the readers know.
const std::vector<std::string>& seeds() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> texts;
    for (const char* format : {"mdl", "cml", "xyz"}) {
      for (const std::filesystem::path& path : testing::corpusfiles(format)) {
        texts.push_back(testing::textof(
            testing::corpusfile(format, path.filename().string())));
      }
    }
    return texts;
  }();
  return files;
}

/// What any reader must give for any input: a drawing or an error, never
/// both; a drawing whose bonds and structures only refer to its own atoms;
/// and a drawing every writer can write so that its reader takes it back.
void expectsound(const treadresult& result, std::size_t inputsize) {
  ASSERT_EQ(result.drawing == nullptr, !result.error.empty()) << result.error;
  if (result.drawing == nullptr) {
    return;
  }
  tdrawing& drawing = *result.drawing;
  // Aliases expand into a few atoms each; nothing else adds atoms.
  EXPECT_LE(static_cast<std::size_t>(drawing.atoms.count()), inputsize);
  for (const tbond* bond : drawing.bonds) {
    ASSERT_GE(drawing.positionof(bond->atom1), 0);
    ASSERT_GE(drawing.positionof(bond->atom2), 0);
  }
  for (const tStructure* structure : drawing.structures) {
    for (const tatm* atom : structure->atoms) {
      ASSERT_GE(drawing.positionof(atom), 0);
    }
  }
  // Every exchange writer, its output read back by the format's reader.
  for (const tformatrow& row : fileformats()) {
    if (row.format == tfileformat::native) {
      continue;
    }
    treadresult again = row.read(row.write(drawing));
    ASSERT_NE(again.drawing, nullptr) << row.name << ": " << again.error;
    EXPECT_EQ(again.drawing->atoms.count(), drawing.atoms.countchemical());
  }
}

void readeveryway(const std::string& text) {
  std::vector<std::uint8_t> bytes = bytesof(text);
  SCOPED_TRACE(text);
  for (auto read : {readcmlfile, readmdlfile, readxyzfile}) {
    expectsound(read(bytes), bytes.size());
  }
  for (tfileformat format :
       {tfileformat::cml, tfileformat::mdl, tfileformat::xyz}) {
    for (const treadresult& record : readexchangerecords(bytes, format)) {
      expectsound(record, bytes.size());
    }
  }
}

TEST_F(ExchangeMutationTest, SeedsReadCleanly) {
  ASSERT_GE(seeds().size(), 8U);
  for (const std::string& seed : seeds()) {
    SCOPED_TRACE(seed);
    treadresult result = readmdlfile(bytesof(seed));
    EXPECT_EQ(result.error, "");
    EXPECT_NE(result.drawing, nullptr);
  }
}

TEST_F(ExchangeMutationTest, EveryTruncationIsReadOrRefused) {
  for (const std::string& seed : seeds()) {
    for (std::size_t length = 0; length <= seed.size(); ++length) {
      readeveryway(seed.substr(0, length));
      if (::testing::Test::HasFatalFailure()) {
        return;
      }
    }
  }
}

TEST_F(ExchangeMutationTest, RandomDamageIsReadOrRefused) {
  std::mt19937 random(20260601);
  const std::string nul(1, '\0');
  const std::string replacements[] = {
      nul,      "\xFF", "-",  "9999999",  "1e300",   "nan", " ", "\n",
      "$$$$\n", "<",    "\"", "M  END\n", "M  V30 ", "0",   "-1"};
  for (int round = 0; round < 3000; ++round) {
    const std::string& seed = seeds()[round % seeds().size()];
    std::string text = seed;
    int changes = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < changes && !text.empty(); ++k) {
      std::size_t at = random() % text.size();
      switch (random() % 5) {
        case 0:
          text[at] = static_cast<char>(random() % 256);
          break;
        case 1:
          text.erase(at, 1 + random() % 8);
          break;
        case 2:
          text.insert(at, replacements[random() % std::size(replacements)]);
          break;
        case 3: {
          // Repeat a stretch, as a line given twice.
          std::size_t length = std::min<std::size_t>(40, text.size() - at);
          text.insert(at, text.substr(at, length));
          break;
        }
        default:
          text[at] = static_cast<char>('0' + random() % 10);
      }
    }
    readeveryway(text);
    if (::testing::Test::HasFatalFailure()) {
      return;
    }
  }
}

}  // namespace
}  // namespace molvane
