// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/exchange_files.h"

#include "io/atomic_file.h"
#include "io/document_files.h"
#include "io/mdl_format.h"
#include "model/formula.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
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
  ASSERT_NE(read.drawing, nullptr) << read.error;
  EXPECT_EQ(hillformula(*read.drawing), "H3N");
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
    ASSERT_NE(first.drawing, nullptr) << first.error;
    std::string formula = hillformula(*first.drawing);
    EXPECT_EQ(formula.empty() ? "-" : formula, row[2]);
    EXPECT_EQ(std::to_string(heavyatoms(*first.drawing)), row[3]);
    EXPECT_EQ(std::to_string(first.drawing->totalcharge()), row[4]);
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
      found.push_back(result.drawing != nullptr ? hillformula(*result.drawing)
                                                : "error: " + result.error);
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
  ASSERT_NE(formulaonly.drawing, nullptr);
  EXPECT_EQ(formulaonly.drawing->notes(), "C18H21Cl2MnN5O");
  treadresult viagra = loaddocument(folder / "xyz/viagra_withComment.xyz");
  ASSERT_NE(viagra.drawing, nullptr);
  EXPECT_EQ(viagra.drawing->atoms.count(), 63) << "hydrogens kept as atoms";
}

}  // namespace
}  // namespace molvane
