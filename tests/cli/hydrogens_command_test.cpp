// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/hydrogens_command.h"

#include "io/document_files.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

using HydrogensCommand = testing::tdrawingtest;

/// Saves methanol drawn as C-O and returns its path.
std::string savemethanol(const testing::ttemporaryfolder& folder) {
  tdrawing& drawing = *session().drawing();
  tatm* c = drawing.addatom(std::make_unique<tatm>(6, 0, 0.0, 0.0));
  tatm* o = drawing.addatom(std::make_unique<tatm>(8, 0, 30.0, 0.0));
  drawing.addbond(std::make_unique<tbond>(c, 0, 1, 2, o));
  std::filesystem::path path = folder.path() / "methanol.mlv";
  EXPECT_TRUE(savedocument(drawing, path).written);
  session().newdrawing();
  return path.string();
}

int hydrogensin(const std::string& path) {
  treadresult read = loaddocument(path);
  EXPECT_TRUE(read.error.empty()) << read.error;
  return read.drawing != nullptr ? read.drawing->atoms.counthydrogen() : -1;
}

TEST_F(HydrogensCommand, AddsAndRemovesHydrogensInFiles) {
  testing::ttemporaryfolder folder;
  std::string methanol = savemethanol(folder);
  std::string added = (folder.path() / "added.mlv").string();
  std::string flat = (folder.path() / "flat.mlv").string();
  std::string removed = (folder.path() / "removed.mlv").string();

  tclioutcome outcome =
      runclicommand({}, {"hydrogens", "--3d", methanol, added});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  EXPECT_EQ(outcome.output, "Added 4 hydrogens, wrote " + added + "\n");
  EXPECT_EQ(hydrogensin(added), 4);

  tclioptions json;
  json.json = true;
  outcome = runclicommand(json, {"hydrogens", methanol, flat, "--2d"});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  EXPECT_NE(outcome.output.find("\"mode\": \"2d\", \"added\": 4"),
            std::string::npos)
      << outcome.output;
  EXPECT_EQ(hydrogensin(flat), 4);

  outcome = runclicommand({}, {"hydrogens", "--remove", added, removed});
  ASSERT_EQ(outcome.status, 0) << outcome.error;
  EXPECT_EQ(outcome.output, "Removed 4 hydrogens, wrote " + removed + "\n");
  EXPECT_EQ(hydrogensin(removed), 0);
}

TEST_F(HydrogensCommand, MistakesGiveExitStatusOneAndAMessage) {
  testing::ttemporaryfolder folder;
  std::string methanol = savemethanol(folder);
  std::string out = (folder.path() / "out.mlv").string();
  const std::vector<std::vector<std::string>> calls = {
      {"hydrogens", methanol, out},
      {"hydrogens", "--2d", "--3d", methanol, out},
      {"hydrogens", "--3d", methanol},
      {"hydrogens", "--3d", (folder.path() / "missing.mlv").string(), out},
      {"hydrogens", "--3d", methanol, (folder.path() / "out.unknown").string()},
  };
  for (const auto& call : calls) {
    SCOPED_TRACE(::testing::PrintToString(call));
    tclioutcome outcome = runclicommand({}, call);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_TRUE(outcome.output.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace molvane
