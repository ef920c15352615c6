// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"

#include "cli/json_writer.h"
#include "io/document_files.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <fstream>

namespace molvane {
namespace {

using CliTest = testing::tdrawingtest;

tclioptions jsonoptions() {
  tclioptions options;
  options.json = true;
  return options;
}

/// Saves ethanol with a sodium ion into folder and returns its path.
std::filesystem::path saveethanol(const testing::ttemporaryfolder& folder) {
  tdrawing& drawing = *session().drawing();
  tatm* c1 = drawing.addatom(std::make_unique<tatm>(6, 0, 0.0, 0.0));
  tatm* c2 = drawing.addatom(std::make_unique<tatm>(6, 0, 30.0, 0.0));
  tatm* o = drawing.addatom(std::make_unique<tatm>(8, 0, 60.0, 0.0));
  drawing.addbond(std::make_unique<tbond>(c1, 0, 1, 2, c2));
  drawing.addbond(std::make_unique<tbond>(c2, 0, 1, 2, o));
  tatm* sodium = drawing.addatom(std::make_unique<tatm>(11, 0, 120.0, 0.0));
  sodium->setcharge(1);
  sodium->sethadjust(-1);  // the ion, not sodium hydride
  std::filesystem::path path = folder.path() / "ethanol.mlv";
  EXPECT_TRUE(savedocument(drawing, path).written);
  session().newdrawing();
  return path;
}

TEST_F(CliTest, InfoDescribesTheDocument) {
  testing::ttemporaryfolder folder;
  std::string path = saveethanol(folder).string();
  tclioutcome text = runclicommand({}, {"info", path});
  ASSERT_EQ(text.status, 0) << text.error;
  EXPECT_NE(text.output.find("Formula:        C2 H6 O Na\n"), std::string::npos)
      << text.output;
  EXPECT_NE(text.output.find("Net charge:     1\n"), std::string::npos);

  tclioutcome json = runclicommand(jsonoptions(), {"info", path});
  ASSERT_EQ(json.status, 0);
  EXPECT_NE(json.output.find("\"hill\": \"C2H6NaO\""), std::string::npos)
      << json.output;
  EXPECT_NE(json.output.find("\"atoms\": 4, \"bonds\": 2"), std::string::npos);
  EXPECT_NE(json.output.find("\"charge\": 1"), std::string::npos);
  EXPECT_NE(json.output.find("\"weight\": 69.059"), std::string::npos);
}

TEST_F(CliTest, ConvertWritesAReadableCopy) {
  testing::ttemporaryfolder folder;
  std::string path = saveethanol(folder).string();
  std::string copy = (folder.path() / "copy.mlv").string();
  ASSERT_EQ(runclicommand({}, {"convert", path, copy}).status, 0);
  tclioutcome info = runclicommand(jsonoptions(), {"info", copy});
  EXPECT_NE(info.output.find("\"formula\": \"C2 H6 O Na \""),
            std::string::npos);
  EXPECT_EQ(runclicommand({}, {"convert", path, copy + ".png"}).status, 1);
}

TEST_F(CliTest, MistakesGiveExitStatusOneAndAMessage) {
  testing::ttemporaryfolder folder;
  const std::vector<std::vector<std::string>> calls = {
      {},
      {"fly"},
      {"info"},
      {"info", (folder.path() / "missing.mlv").string()},
      {"info", (folder.path() / "missing.txt").string()},
      {"convert", "a.mlv"},
  };
  for (const auto& call : calls) {
    SCOPED_TRACE(::testing::PrintToString(call));
    tclioutcome outcome = runclicommand({}, call);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_TRUE(outcome.output.empty());
  }
}

TEST_F(CliTest, InfoListsEveryRecordOfAnSdFile) {
  testing::ttemporaryfolder folder;
  std::filesystem::path path = folder.path() / "two.sdf";
  std::ofstream(path) << R"(methane
  test

  1  0  0  0  0  0  0  0  0  0999 V2000
    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
M  END
$$$$
ammonium
  test

  1  0  0  0  0  0  0  0  0  0999 V2000
    0.0000    0.0000    0.0000 N   0  3  0  0  0  0  0  0  0  0  0  0
M  END
$$$$
)";
  tclioutcome json = runclicommand(jsonoptions(), {"info", path.string()});
  ASSERT_EQ(json.status, 0) << json.error;
  EXPECT_NE(json.output.find("\"records\": [\"CH4\", \"H4N charge 1\"]"),
            std::string::npos)
      << json.output;
  tclioutcome text = runclicommand({}, {"info", path.string()});
  EXPECT_NE(text.output.find("  2: H4N charge 1\n"), std::string::npos)
      << text.output;
}

TEST(JsonWriter, QuotesEverythingThatNeedsIt) {
  EXPECT_EQ(jsonquoted("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
  tjsonobject object;
  object.addtext("name", "x");
  object.addinteger("n", -3);
  object.addreal("w", 1.23456, 3);
  object.addtexts("l", {"a", "b"});
  EXPECT_EQ(
      object.text(),
      "{\"name\": \"x\", \"n\": -3, \"w\": 1.235, \"l\": [\"a\", \"b\"]}");
}

}  // namespace
}  // namespace molvane
