// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/file_commands.h"

#include "io/atomic_file.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <random>
#include <span>
#include <vector>

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
}

// Damaged documents: one cut short after its first atom, one of random
// bytes, and a text file of no format the program reads.
class DamagedDocumentTest : public FileCommandsTest {
 protected:
  void SetUp() override {
    tatm* a = atom(6, 0, 0);
    bond(a, atom(8, 30, 0));
    EXPECT_TRUE(savecurrentdocument(folder_.path() / "whole.mlv"));
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(readwholefile(drawing().filename, bytes, 1U << 20), "");
    // Header, the atom count and the first atom record.
    write("cut.mlv", std::span(bytes).first(568 + 2 + 346 + 100));
    std::ofstream(folder_.path() / "notes.txt") << "C";
    std::mt19937 random(13);
    for (std::uint8_t& byte : bytes) {
      byte = static_cast<std::uint8_t>(random());
    }
    write("random.mlv", bytes);
  }
  void write(const char* name, std::span<const std::uint8_t> bytes) {
    ASSERT_EQ(writefileatomically(folder_.path() / name, bytes), "");
  }
  testing::ttemporaryfolder folder_;
};

TEST_F(DamagedDocumentTest, AnUnreadableFileLeavesDrawingNameAndUndo) {
  testing::trecordingmessages& messages = recordmessages();
  session().takeundosnapshot();
  const tdrawing* current = &drawing();
  const tdrawing* undo = session().undodrawing();
  const std::string name = drawing().filename;
  for (const char* file : {"random.mlv", "notes.txt"}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(opendocument(folder_.path() / file), treadextent::nothing);
    EXPECT_EQ(&drawing(), current);
    EXPECT_EQ(session().undodrawing(), undo);
    EXPECT_EQ(drawing().filename, name);
  }
  EXPECT_EQ(messages.errors,
            std::vector<std::string>(2, std::string(filereaderror)));
}

TEST_F(DamagedDocumentTest, APartlyReadFileOpensUntitledAndUnsaved) {
  testing::trecordingmessages& messages = recordmessages();
  EXPECT_EQ(opendocument(folder_.path() / "cut.mlv"), treadextent::partial);
  EXPECT_EQ(drawing().atoms.count(), 1);
  EXPECT_EQ(drawing().filename, untitleddocument);
  EXPECT_FALSE(drawing().saved);
  EXPECT_TRUE(messages.errors.empty());
  ASSERT_FALSE(messages.warnings.empty());
  EXPECT_EQ(messages.warnings.front(), filereaderror);
  // Its unsaved atom is work the user is asked about before it is replaced.
  messages.answer = false;
  EXPECT_FALSE(mayreplacedrawing());
  EXPECT_EQ(messages.confirmations, std::vector<std::string>{replacedrawing});

  EXPECT_EQ(opendocument(folder_.path() / "whole.mlv"), treadextent::whole);
  EXPECT_EQ(drawing().atoms.count(), 2);
  EXPECT_TRUE(drawing().saved);
  EXPECT_TRUE(mayreplacedrawing());
  EXPECT_EQ(messages.confirmations.size(), 1U);
}

}  // namespace
}  // namespace molvane
