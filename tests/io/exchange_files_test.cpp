// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/exchange_files.h"

#include "io/document_files.h"
#include "io/mdl_format.h"
#include "model/formula.h"
#include "support/atomic_file.h"
#include "testing/read_checks.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::bytesof;

TEST(ExchangeFormat, ContentDecidesWhateverTheExtensionSays) {
  struct tcase {
    const char* text;
    tfileformat format;
  };
  const tcase cases[] = {
      {"\xEF\xBB\xBF  <molecule/>", tfileformat::cml},
      {"t\n\n\n  1  0  0  0  0  0            999 V2000\n", tfileformat::mdl},
      {"\n\n\n  0  0  0     0  0            999 V3000\n", tfileformat::mdl},
      {"T.MDL\n\n\n2 1 0 0 0\n", tfileformat::mdl},
      // A numeric title, and a counts line without version.
      {"1\nprogram\n\n 39 41  0  0  0\n", tfileformat::mdl},
      {"3\nwater\nO 0 0 0\n", tfileformat::xyz},
      {"0\n", tfileformat::xyz},
      {"2 1\n0.5 0 0\n", tfileformat::xyz},
      {"\xEF\xBB\xBF$RXN\n\n\n  1  0  0  0  0  0            999 V2000\n",
       tfileformat::rxn},
      {"something else", tfileformat::native},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(exchangeformatof(bytesof(c.text), tfileformat::native), c.format);
  }
  // An ".xyz" that holds a molfile is read as one.
  treadresult read =
      readxyzfile(bytesof("t\n\n\n  1  0  0  0  0  0            999 V2000\n"
                          "    0.0000    0.0000    0.0000 N   0  0\nM  END\n"));
  EXPECT_EQ(testing::outcome(read), "H3N");
}

using ExchangeFilesTest = testing::tdrawingtest;

// Third-party files: shared test data, read in place.

std::filesystem::path corpusfolder() {
  return std::filesystem::path(MOLVANE_SHARED_DATA) / "corpus";
}

std::vector<std::vector<std::string>> tsvrows(
    const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // the column names
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    rows.emplace_back();
    for (std::string field; std::getline(fields, field, '\t');) {
      rows.back().push_back(field);
    }
  }
  return rows;
}

std::vector<treadresult> records(const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(readwholefile(path, bytes, 1 << 24), "");
  const tformatrow* row = formatofpath(path);
  return readexchangerecords(bytes,
                             row != nullptr ? row->format : tfileformat::mdl);
}

int heavyatoms(const tdrawing& drawing) {
  int count = 0;
  for (const tatm* atom : drawing.atoms) {
    count += atom->ischemical() && atom->element > 1 ? 1 : 0;
  }
  return count;
}

TEST_F(ExchangeFilesTest, ThirdPartyFilesGiveTheirKnownFormulas) {
  std::filesystem::path folder = corpusfolder();
  if (!std::filesystem::exists(folder / "expected.tsv")) {
    GTEST_SKIP() << "the third-party corpus is not at " << folder;
  }
  std::vector<std::vector<std::string>> rows = tsvrows(folder / "expected.tsv");
  ASSERT_GE(rows.size(), 50U);
  for (const std::vector<std::string>& row : rows) {
    ASSERT_EQ(row.size(), 5U);
    SCOPED_TRACE(row[0]);
    EXPECT_EQ(std::to_string(records(folder / row[0]).size()), row[1]);
    treadresult first = loaddocument(folder / row[0]);
    const tdrawing& read = testing::drawingof(first);
    std::string formula = hillformula(read);
    EXPECT_EQ(formula.empty() ? "-" : formula, row[2]);
    EXPECT_EQ(std::to_string(heavyatoms(read)), row[3]);
    EXPECT_EQ(std::to_string(read.totalcharge()), row[4]);
  }
}

TEST_F(ExchangeFilesTest, BrokenThirdPartyFilesAreReadAsFarAsSensible) {
  std::filesystem::path folder = corpusfolder();
  if (!std::filesystem::exists(folder / "edge_cases.tsv")) {
    GTEST_SKIP() << "the third-party corpus is not at " << folder;
  }
  auto formulas = [&folder](const char* name) {
    std::vector<std::string> found;
    for (const treadresult& result : records(folder / name)) {
      found.push_back((result.drawing != nullptr ? "" : "error: ") +
                      testing::outcome(result));
    }
    return found;
  };
  using tlist = std::vector<std::string>;
  const std::map<std::string, tlist> expected = {
      // No-break spaces in the counts line and a shifted M  ISO line.
      {"mdl/hisotopes.mol", {"H2O"}},
      {"sdf/earlyEOF.sdf",
       {"C2H3O2Y", "C3H5O2Y", "C4H7O2Y", "C4H7O2Y", "C5H9O2Y", "C5H9O2Y"}},
      {"sdf/sdErrors3.sdf",
       {"error: record 1, line 12: atom line not understood: "
        "\"  1  2  1  0  0  0  0\""}},
      {"sdf/good_bad_good_bad.sdf",
       {"C3H4FOY", "C3H5FOY", "C3H4FOY",
        "error: record 4, line 76: bond line not understood: \"M  END\""}},
      {"sdf/empty.sdf", {}},
      {"xyz/empty.xyz", {"error: the file is empty"}},
      {"xyz/nonexistant.xyz", {""}},
      {"xyz/viagra_withComment.xyz", {"C22H30N6O4S"}},
      {"cml/cmlConciseFormula.cml", {""}},
  };
  for (const std::vector<std::string>& row :
       tsvrows(folder / "edge_cases.tsv")) {
    SCOPED_TRACE(row[0]);
    auto found = expected.find(row[0]);
    ASSERT_NE(found, expected.end()) << "no expectation for this file";
    EXPECT_EQ(formulas(row[0].c_str()), found->second);
  }
  // The valence of record 2's fluorine is reported, not silently taken.
  std::vector<treadresult> mixed =
      records(folder / "sdf/good_bad_good_bad.sdf");
  ASSERT_EQ(mixed.size(), 4U);
  EXPECT_EQ(mixed[1].notices,
            std::vector<std::string>{
                "atom 1 (F) has more bonds than its valence allows"});
  treadresult formulaonly = loaddocument(folder / "cml/cmlConciseFormula.cml");
  EXPECT_EQ(testing::drawingof(formulaonly).notes(), "C18H21Cl2MnN5O");
}

using ExchangeMutationTest = testing::tdrawingtest;

/// The exchange seeds of the fuzz corpus: small valid files of every
/// layout the readers know.
const std::vector<std::string>& seeds() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> texts;
    for (const char* format : {"mdl", "cml", "xyz", "rxn"}) {
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
    // InChI names a molecule rather than copying the drawing (hydrogens,
    // charges and metal bonds come back normalised); its own tests read
    // it back.
    if (row.format == tfileformat::native || row.write == nullptr ||
        row.format == tfileformat::inchi) {
      continue;
    }
    treadresult again = row.read(row.write(drawing), defaultsettings());
    ASSERT_NE(again.drawing, nullptr) << row.name << ": " << again.error;
    EXPECT_EQ(again.drawing->atoms.count(), drawing.atoms.countchemical());
  }
}

void readeveryway(const std::string& text) {
  std::vector<std::uint8_t> bytes = bytesof(text);
  SCOPED_TRACE(text);
  for (auto read : {readcmlfile, readmdlfile, readxyzfile, readrxnfile}) {
    expectsound(read(bytes, defaultsettings()), bytes.size());
  }
  for (tfileformat format : {tfileformat::cml, tfileformat::mdl,
                             tfileformat::xyz, tfileformat::rxn}) {
    for (const treadresult& record : readexchangerecords(bytes, format)) {
      expectsound(record, bytes.size());
    }
  }
}

TEST_F(ExchangeMutationTest, EveryTruncationIsReadOrRefused) {
  ASSERT_GE(seeds().size(), 8U);
  for (const std::string& seed : seeds()) {
    EXPECT_EQ(readmdlfile(bytesof(seed)).error, "") << seed;
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
      nul,      "\xFF", "-",  "9999999",  "1e300",   "nan", " ",  "\n",
      "$$$$\n", "<",    "\"", "M  END\n", "M  V30 ", "0",   "-1", "$MOL\n"};
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
