// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/build_command.h"

#include "cli/cli_commands.h"
#include "io/document_files.h"
#include "model/formula.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace molvane {
namespace {

using BuildCommandTest = testing::tdrawingtest;

tclioutcome build(const std::vector<std::string>& arguments,
                  bool json = false) {
  tclioptions options;
  options.json = json;
  std::vector<std::string> all{"build"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  return runclicommand(options, all);
}

TEST_F(BuildCommandTest, RunsClicksAndSavesTheDrawing) {
  testing::ttemporaryfolder folder;
  const std::string out = (folder.path() / "phenol.mlv").string();
  // Benzene, then a hydroxy group on the atom straight above its centre.
  tclioutcome outcome = build({out, "701@100,100", "543@100,60"});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  EXPECT_EQ(outcome.output, "Wrote " + out + "\n");
  treadresult read = loaddocument(out);
  ASSERT_TRUE(read.error.empty()) << read.error;
  EXPECT_EQ(hillformula(*read.drawing), "C6H6O");
}

TEST_F(BuildCommandTest, StartsFromADocumentAndBuildsIn3D) {
  testing::ttemporaryfolder folder;
  const std::string first = (folder.path() / "first.mlv").string();
  const std::string second = (folder.path() / "second.mlv").string();
  ASSERT_EQ(build({first, "571@0,0"}).status, 0);
  tclioutcome outcome =
      build({"--3d", second, "--in", first, "156@200,0"}, true);
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  EXPECT_NE(outcome.output.find("\"atoms\": 13"), std::string::npos)
      << outcome.output;
  treadresult read = loaddocument(second);
  ASSERT_TRUE(read.error.empty()) << read.error;
  EXPECT_EQ(read.drawing->atoms.count(), 13);
  auto [low, high] = std::minmax_element(
      read.drawing->atoms.begin(), read.drawing->atoms.end(),
      [](const tatm* a, const tatm* b) { return a->z < b->z; });
  EXPECT_GT((*high)->z - (*low)->z, 5.0);
}

TEST_F(BuildCommandTest, BadArgumentsGiveOneLine) {
  testing::ttemporaryfolder folder;
  const std::string out = (folder.path() / "x.mlv").string();
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{
           {},
           {"--in"},
           {out, "151@1"},
           {out, "151@1,2x"},
           {out, "70000@1,2"},
           {out, "--in", (folder.path() / "missing.mlv").string()},
           {(folder.path() / "x.unknown").string(), "151@0,0"}}) {
    tclioutcome outcome = build(arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_EQ(outcome.error.find('\n'), std::string::npos) << outcome.error;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(BuildCommandTest, CommandMessagesReachTheSession) {
  testing::ttemporaryfolder folder;
  testing::trecordingmessages& messages = recordmessages();
  tclioutcome outcome =
      build({(folder.path() / "empty.mlv").string(), "511@0,0", "201@0,0"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(messages.informs,
            (std::vector<std::string>{"No Atoms", "No Bonds To Fuse"}));
}

}  // namespace
}  // namespace molvane
