// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/document_files.h"

#include "commands/file_commands.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <fstream>

namespace molvane {
namespace {

using DocumentFilesTest = testing::tdrawingtest;

TEST(DocumentNames, KeepTheFolderAndCutTheNameAtItsFirstDot) {
  struct tcase {
    const char* given;
    const char* native;
    const char* cml;
    const char* mdl;
  };
  const tcase cases[] = {
      {"/data/my.docs/water.mlv", "/data/my.docs/water.mlv",
       "/data/my.docs/water.xml", "/data/my.docs/water.mdl"},
      {"/data/Water.MLV", "/data/Water.MLV", "/data/Water.XML",
       "/data/Water.MDL"},
      {"/data/water.v2.mlv", "/data/water.mlv", "/data/water.xml",
       "/data/water.mdl"},
      {"/data/water", "/data/water.MLV", "/data/water.XML", "/data/water.MDL"},
      {"water.mol", "water.MLV", "water.XML", "water.MDL"},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.given);
    tdocumentnames names = documentnames(c.given);
    EXPECT_EQ(names.native, c.native);
    EXPECT_EQ(names.cml, c.cml);
    EXPECT_EQ(names.mdl, c.mdl);
  }
}

TEST(FileFormats, ExtensionsChooseTheFormatWhateverTheirCase) {
  EXPECT_EQ(formatofpath("a/b.MLV")->format, tfileformat::native);
  EXPECT_EQ(formatofpath("b.Mol")->format, tfileformat::mdl);
  EXPECT_EQ(formatofpath("b.sdf")->format, tfileformat::mdl);
  EXPECT_EQ(formatofpath("b.cml")->format, tfileformat::cml);
  EXPECT_EQ(formatofpath("b.XML")->format, tfileformat::cml);
  EXPECT_EQ(formatofpath("b.mlv.txt"), nullptr);
  EXPECT_EQ(formatofpath("folder.mlv/file"), nullptr);
  EXPECT_EQ(formatofpath("noextension"), nullptr);
}

TEST_F(DocumentFilesTest, UnreadableFilesGiveErrorsNamingTheFile) {
  testing::ttemporaryfolder folder;
  EXPECT_NE(loaddocument(folder.path() / "notes.txt").error.find("notes.txt"),
            std::string::npos);
  treadresult missing = loaddocument(folder.path() / "missing.mlv");
  EXPECT_FALSE(missing.error.empty());
  EXPECT_EQ(missing.drawing, nullptr);
}

TEST_F(DocumentFilesTest, SavedDocumentOpensAgain) {
  testing::ttemporaryfolder folder;
  tatm* c = atom(6, 0, 0);
  bond(c, atom(8, 30, 0), 4);
  tsaveresult saved = savedocument(drawing(), folder.path() / "formaldehyde");
  ASSERT_TRUE(saved.written) << saved.error;
  EXPECT_TRUE(drawing().saved);
  std::filesystem::path native = folder.path() / "formaldehyde.MLV";
  EXPECT_EQ(drawing().filename, native.string());

  session().newdrawing();
  ASSERT_EQ(opendocument(native), treadextent::whole);
  EXPECT_EQ(drawing().atoms.count(), 2);
  EXPECT_EQ(drawing().bonds.items(0)->kind(), 4);
  EXPECT_EQ(drawing().atoms.items(0)->implicithydrogens(), 2);
  EXPECT_EQ(session().undodrawing()->atoms.count(), 2);
}

TEST_F(DocumentFilesTest, EmptyDrawingWritesNothing) {
  testing::ttemporaryfolder folder;
  tsaveresult saved = savedocument(drawing(), folder.path() / "empty.mlv");
  EXPECT_FALSE(saved.written);
  EXPECT_TRUE(saved.error.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "empty.mlv"));
}

}  // namespace
}  // namespace molvane
