// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/file_commands.h"

#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <fstream>

namespace molvane {
namespace {

using FileCommandsTest = testing::tdrawingtest;

TEST_F(FileCommandsTest, FailedSaveKeepsThePreviousFileAndSaysSo) {
  testing::ttemporaryfolder folder;
  testing::trecordingmessages& messages = recordmessages();
  atom(6, 0, 0);
  // A folder where the document should go cannot be replaced by a file.
  std::filesystem::create_directory(folder.path() / "taken.mlv");
  EXPECT_FALSE(savecurrentdocument(folder.path() / "taken.mlv"));
  EXPECT_EQ(messages.errors, std::vector<std::string>{"Invalid filename "});
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "taken.mlv"));
  EXPECT_FALSE(drawing().saved);

  EXPECT_FALSE(savecurrentdocument(folder.path() / "nowhere" / "x.mlv"));
  EXPECT_EQ(messages.errors.size(), 2U);
}

TEST_F(FileCommandsTest, OpeningABadFileKeepsTheCurrentDrawing) {
  testing::ttemporaryfolder folder;
  testing::trecordingmessages& messages = recordmessages();
  tatm* kept = atom(6, 0, 0);
  std::ofstream(folder.path() / "broken.mlv") << "not a document";
  std::ofstream(folder.path() / "notes.txt") << "C";
  EXPECT_FALSE(opendocument(folder.path() / "broken.mlv"));
  EXPECT_FALSE(opendocument(folder.path() / "notes.txt"));
  EXPECT_EQ(messages.errors,
            (std::vector<std::string>{"File Read Error", "File Read Error"}));
  EXPECT_EQ(drawing().atoms.items(0), kept);
}

}  // namespace
}  // namespace molvane
