// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/import_document.h"

#include "commands/file_commands.h"
#include "io/document_files.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace molvane {
namespace {

using ImportDocumentTest = testing::tdrawingtest;

/// Saves a document with one 30-unit C-O bond starting at x = 10, a text
/// label in its own font and an arrow, and starts a new drawing.
std::filesystem::path savesource(const testing::ttemporaryfolder& folder) {
  tdrawing& drawing = *session().drawing();
  tatm* c = drawing.addatom(std::make_unique<tatm>(6, 0, 10.0, 50.0));
  tatm* o = drawing.addatom(std::make_unique<tatm>(8, 2, 40.0, 50.0));
  drawing.addbond(std::make_unique<tbond>(c, 0, 1, 4, o));
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
  EXPECT_EQ(session().undodrawing()->atoms.count(), 2);
  EXPECT_FALSE(merged.saved);
  tbond* imported = merged.bonds.items(1);
  EXPECT_NEAR(imported->length(), 40.0, 1e-9);
  double left = imported->atom1->x;
  for (int i = 2; i < merged.atoms.count(); ++i) {
    left = std::min(left, merged.atoms.items(i)->x);
  }
  EXPECT_NEAR(left, 140.0, 1e-9);
  EXPECT_EQ(merged.structures.count(), 1);
  EXPECT_TRUE(merged.structures.items(0)->atoms.contains(imported->atom1));
  EXPECT_EQ(merged.symbols.count(), 1);
  ASSERT_EQ(merged.labelatoms.count(), 1);
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
  EXPECT_NEAR(drawing().atoms.items(1)->x, lone->x, 1e-6);
}

TEST_F(ImportDocumentTest, UnreadableFilesChangeNothing) {
  testing::trecordingmessages& messages = recordmessages();
  testing::ttemporaryfolder folder;
  atom(6, 0, 0);
  std::filesystem::path broken = folder.path() / "broken.mol";
  {
    std::ofstream out(broken);
    out << "title\n\n\n  1  1\n    0.0 C\n";
  }
  EXPECT_FALSE(importdocument(broken));
  EXPECT_FALSE(importdocument(folder.path() / "missing.mlv"));
  EXPECT_EQ(messages.errors,
            (std::vector<std::string>{filereaderror, filereaderror}));
  EXPECT_EQ(drawing().atoms.count(), 1);
  EXPECT_EQ(mergedrawing(drawing(), nullptr), 0);
}

}  // namespace
}  // namespace molvane
