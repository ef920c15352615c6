// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "cli_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace molvane {
namespace {

using InchiRecords = tclifiles;

std::string contents(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

constexpr const char* alanine =
    "InChI=1S/C3H7NO2/c1-2(4)3(5)6/h2H,4H2,1H3,(H,5,6)/t2-/m0/s1";
constexpr const char* butene = "InChI=1S/C4H8/c1-3-4-2/h3-4H,1-2H3/b4-3+";

TEST_F(InchiRecords, InfoGivesTheInchiAndItsKey) {
  const std::string path = write("alanine.smi", "C[C@@H](C(=O)O)N\n");
  const tclioutcome text = runclicommand({}, {"info", path});
  ASSERT_EQ(text.status, 0) << text.error;
  EXPECT_NE(text.output.find(std::string("InChI:          ") + alanine),
            std::string::npos)
      << text.output;
  EXPECT_NE(text.output.find("InChIKey:       QNAYBMKLOCPYGJ-REOHCLBHSA-N"),
            std::string::npos);
  const tclioutcome json = runclicommand({{}, true}, {"info", path});
  EXPECT_NE(json.output.find("\"inchikey\": \"QNAYBMKLOCPYGJ-REOHCLBHSA-N\""),
            std::string::npos)
      << json.output;
}

TEST_F(InchiRecords, ConvertKeepsOneRecordALineBothWays) {
  // The middle record has no InChI: its line stays empty, so the others
  // keep the line of their record. Titles follow their InChI, as in SMILES,
  // and come back through an SD file.
  const std::string smiles =
      write("three.smi", "C[C@@H](C(=O)O)N ala\n*C\nC/C=C/C butene\n");
  const std::string inchis = (folder.path() / "three.inchi").string();
  const tclioutcome out = runclicommand({}, {"convert", smiles, inchis});
  ASSERT_EQ(out.status, 0) << out.error;
  EXPECT_EQ(contents(inchis),
            std::string(alanine) + " ala\n\n" + butene + " butene\n");

  const std::string sdf = (folder.path() / "back.sdf").string();
  ASSERT_EQ(runclicommand({}, {"convert", inchis, sdf}).status, 0);
  const std::string again = (folder.path() / "again.inchi").string();
  ASSERT_EQ(runclicommand({}, {"convert", sdf, again}).status, 0);
  EXPECT_EQ(contents(again),
            std::string(alanine) + " ala\n" + butene + " butene\n");
}

TEST_F(InchiRecords, ADamagedLineFailsInOneLine) {
  const std::string path =
      write("bad.inchi", std::string(butene) + "\nInChI=1S/C2H6O/c1-2-9/h3H\n");
  const std::string sdf = (folder.path() / "out.sdf").string();
  const tclioutcome outcome = runclicommand({}, {"convert", path, sdf});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.error.find("line 2: "), std::string::npos) << outcome.error;
  EXPECT_EQ(outcome.error.find('\n'), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(sdf));

  const std::string star = write("star.smi", "*C\n");
  const tclioutcome none = runclicommand(
      {}, {"convert", star, (folder.path() / "star.inchi").string()});
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.error.find("pseudo atoms"), std::string::npos) << none.error;
}

}  // namespace
}  // namespace molvane
