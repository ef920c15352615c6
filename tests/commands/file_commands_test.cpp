// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/file_commands.h"

#include "commands/import_document.h"
#include "commands/save_name.h"
#include "io/document_files.h"
#include "support/atomic_file.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <random>
#include <span>
#include <string>
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

TEST_F(DamagedDocumentTest, UnreadableFilesChangeNothingPartlyReadOnesAreNew) {
  testing::trecordingmessages& messages = recordmessages();
  session().takeundosnapshot();
  const tdrawing* current = &drawing();
  const tdrawing* undo = session().undodrawing();
  const std::string name = drawing().filename;
  for (const char* file : {"random.mlv", "notes.txt"}) {
    EXPECT_EQ(opendocument(folder_.path() / file), treadextent::nothing);
  }
  EXPECT_EQ(&drawing(), current);
  EXPECT_EQ(session().undodrawing(), undo);
  EXPECT_EQ(drawing().filename, name);
  EXPECT_EQ(messages.errors,
            std::vector<std::string>(2, std::string(filereaderror)));

  // A partly read file opens untitled, unsaved, with a warning only.
  EXPECT_EQ(opendocument(folder_.path() / "cut.mlv"), treadextent::partial);
  EXPECT_EQ(drawing().atoms.count(), 1);
  EXPECT_EQ(drawing().filename, untitledname);
  EXPECT_EQ(messages.errors.size(), 2U);
  ASSERT_FALSE(messages.warnings.empty());
  // Its unsaved atom is work the user is asked about before it is replaced.
  messages.answer = false;
  EXPECT_FALSE(mayreplacedrawing());
  EXPECT_EQ(messages.confirmations, std::vector<std::string>{replacedrawing});

  EXPECT_EQ(opendocument(folder_.path() / "whole.mlv"), treadextent::whole);
  EXPECT_TRUE(mayreplacedrawing());
  EXPECT_EQ(messages.confirmations.size(), 1U);
}

// The window said only "File Read Error", though the reader knew which
// file and why.
TEST_F(FileCommandsTest, ReadErrorsNameTheFileAndTheReason) {
  class tdetails final : public tmessages {
   public:
    void inform(const std::string&) override {}
    void warn(const std::string&) override {}
    void error(const std::string& text) override { details.push_back(text); }
    bool confirm(const std::string&) override { return false; }
    void errordetail(const std::string& text,
                     const std::string& detail) override {
      details.push_back(text + " | " + detail);
    }
    std::vector<std::string> details;
  } details;
  session().setmessages(&details);
  testing::ttemporaryfolder folder;
  const auto broken = folder.path() / "broken.mol";
  std::ofstream(broken) << "title\n\n\n999 99\n";
  EXPECT_EQ(readforcommand(broken).drawing, nullptr);
  session().setmessages(nullptr);
  ASSERT_EQ(details.details.size(), 1U);
  const std::string& shown = details.details.front();
  EXPECT_EQ(shown.rfind("File Read Error | \"", 0), 0U) << shown;
  EXPECT_NE(shown.find("broken.mol\": "), std::string::npos) << shown;
  EXPECT_NE(shown.find("line 4"), std::string::npos) << shown;
}

TEST_F(FileCommandsTest, OnlyUnsavedWorkAsksToBeSaved) {
  testing::trecordingmessages& messages = recordmessages();
  EXPECT_EQ(asktosaveunsavedwork(), tsaveanswer::discard);
  atom(6, 0, 0);
  drawing().saved = true;
  EXPECT_EQ(asktosaveunsavedwork(), tsaveanswer::discard);
  EXPECT_TRUE(messages.confirmations.empty());
  session().takeundosnapshot("Key C");
  messages.answer = false;
  EXPECT_EQ(asktosaveunsavedwork(), tsaveanswer::cancel);
  EXPECT_EQ(messages.confirmations,
            std::vector<std::string>{"Save changes to untitled.mlv?"});
}

// Save As of an opened "x.mol" proposed "x.mol", asked to replace
// it, then wrote "x.MLV".
TEST(SaveAsName, ProposesTheDocumentTheSaveWrites) {
  const std::filesystem::path folder = "/data";
  const std::pair<const char*, const char*> cases[] = {
      {"/docs/x.mol", "/docs/x.MLV"},
      {"/docs/x.Mlv", "/docs/x.Mlv"},
      {"/docs/noext", "/docs/noext.MLV"},
      {"y.cml", "/data/y.MLV"},
      {"/docs/UNTITLED.MLV", "/data/untitled.mlv"},
      {"", "/data/untitled.mlv"}};
  for (const auto& [filename, proposed] : cases) {
    SCOPED_TRACE(filename);
    const std::filesystem::path name = saveasname(filename, folder);
    EXPECT_EQ(name, std::filesystem::path(proposed));
    EXPECT_EQ(documentnames(name).native, name);
  }
}

using ImportDocumentTest = FileCommandsTest;

/// Saves a document with one 30-unit C-O bond starting at x = 10, a text
/// label in its own font and an arrow, and starts a new drawing.
std::filesystem::path savesource(const testing::ttemporaryfolder& folder) {
  tdrawing& drawing = *session().drawing();
  tatm* c = drawing.addatom(std::make_unique<tatm>(6, 0, 10.0, 50.0));
  tatm* o = drawing.addatom(std::make_unique<tatm>(8, 2, 40.0, 50.0));
  drawing.addbond(std::make_unique<tbond>(c, 0, tbondstyle::normal, 4, o));
  auto structure = std::make_unique<tStructure>();
  structure->atoms.add(c);
  structure->atoms.add(o);
  structure->bonds.add(drawing.bonds.items(0));
  drawing.mergestructure(std::move(structure));
  tatm* label = drawing.addatom(std::make_unique<tLAtm>("source", 20, 80));
  fontrecord font = fontrecord::standard();
  font.setfacename("Courier");
  label->setfont(font);
  placesymbol(drawing, 720, 30, 100);
  std::filesystem::path path = folder.path() / "source.mlv";
  EXPECT_TRUE(savedocument(drawing, path).written);
  session().newdrawing();
  return path;
}

TEST_F(ImportDocumentTest, ImportScalesToTheDrawingAndPlacesItToTheRight) {
  testing::ttemporaryfolder folder;
  std::filesystem::path source = savesource(folder);
  tatm* a = atom(6, 100, 200);
  tatm* b = atom(6, 140, 200);
  bond(a, b);
  drawing().saved = true;

  ASSERT_TRUE(importdocument(source));
  tdrawing& merged = drawing();
  ASSERT_EQ(merged.atoms.count(), 2 + 5);
  EXPECT_FALSE(merged.saved);
  tbond* imported = merged.bonds.items(1);
  EXPECT_NEAR(imported->length(), 40.0, 1e-9);
  double left = imported->atom1->x;
  for (int i = 2; i < merged.atoms.count(); ++i) {
    left = std::min(left, merged.atoms.items(i)->x);
  }
  // Issue 30: one and a half bond lengths clear of the drawing.
  EXPECT_NEAR(left, 140.0 + 1.5 * 40.0, 1e-9);
  EXPECT_TRUE(merged.structures.items(0)->atoms.contains(imported->atom1));
  EXPECT_EQ(merged.getfontrecord(merged.labelatoms.items(0)->fontindex)
                .facenametext(),
            "Courier");

  // The drawing owns what came in: removing it frees it cleanly.
  merged.deletesymbol(merged.symbols.items(0));
  merged.removeatom(imported->atom1);
  EXPECT_EQ(merged.bonds.count(), 1);
}

TEST_F(ImportDocumentTest, WithoutBondsTheBondLengthSettingDecides) {
  testing::ttemporaryfolder folder;
  savesource(folder);
  tatm* lone = atom(8, 300, 300);
  session().settings.bondlength = 45;
  ASSERT_TRUE(importdocument(folder.path() / "source.mdl"));
  ASSERT_EQ(drawing().bonds.count(), 1);
  EXPECT_NEAR(drawing().bonds.items(0)->length(), 45.0, 1e-6);
  EXPECT_NEAR(drawing().atoms.items(1)->x, lone->x + 1.5 * 45.0, 1e-6);
}

TEST_F(ImportDocumentTest, UnreadableFilesChangeNothing) {
  testing::trecordingmessages& messages = recordmessages();
  testing::ttemporaryfolder folder;
  atom(6, 0, 0);
  std::filesystem::path broken = folder.path() / "broken.mol";
  std::ofstream(broken) << "title\n\n\n  1  1\n    0.0 C\n";
  EXPECT_FALSE(importdocument(broken));
  EXPECT_FALSE(importdocument(folder.path() / "missing.mlv"));
  EXPECT_EQ(messages.errors,
            (std::vector<std::string>{filereaderror, filereaderror}));
  EXPECT_EQ(drawing().atoms.count(), 1);
  EXPECT_EQ(mergedrawing(drawing(), nullptr), 0);
}

}  // namespace
}  // namespace molvane
