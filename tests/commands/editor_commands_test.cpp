// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/editor_commands.h"

#include "document/symbol.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>

namespace molvane {
namespace {

class EditorCommands : public testing::tdrawingtest {
 protected:
  /// C1 - C2 - C3 along x, 30 pixels apart.
  void buildpropane() {
    c1_ = atom(6, 100, 100);
    c2_ = atom(6, 130, 100);
    c3_ = atom(6, 160, 100);
    bond(c1_, c2_);
    bond(c2_, c3_);
  }

  tatm* c1_ = nullptr;
  tatm* c2_ = nullptr;
  tatm* c3_ = nullptr;
};

TEST_F(EditorCommands, TagsChangeLabelsLayoutsHydrogensAndCharge) {
  struct tcase {
    int tag, labelmode, direction, align;
  };
  // Layouts "R.AHn", "R.nHA", "AHn.R", "nHA.R" and the three label modes.
  const tcase cases[] = {{5, 2, 1, 0},  {6, 2, 1, 2},  {7, 2, -1, 2},
                         {8, 2, -1, 0}, {1, 0, -1, 0}, {2, 1, -1, 0},
                         {3, 2, -1, 0}};
  tatm* nitrogen = atom(7, 10, 10, 0, 2);
  for (const tcase& entry : cases) {
    SCOPED_TRACE(entry.tag);
    EXPECT_TRUE(applyatomtag(*nitrogen, entry.tag));
    EXPECT_EQ(nitrogen->labelmode, entry.labelmode);
    EXPECT_EQ(nitrogen->direction, entry.direction);
    EXPECT_EQ(nitrogen->align, entry.align);
  }
  for (int tag : {addhydrogentag, addhydrogentag, removehydrogentag,
                  raisechargetag, lowerchargetag, lowerchargetag}) {
    applyatomtag(*nitrogen, tag);
  }
  EXPECT_EQ(nitrogen->implicithydrogens(), 4);
  EXPECT_EQ(nitrogen->fcharge, -1);
  for (int tag : {0, cloneatomtag, deleteatomtag, 17}) {
    EXPECT_FALSE(applyatomtag(*nitrogen, tag)) << tag;
  }
  EXPECT_EQ(drawing().atoms.count(), 1);
}

TEST_F(EditorCommands, NeutronsChangeTheMassAndLabelsKeepWholeCharacters) {
  tatm* carbon = atom(6, 10, 10);
  const float mass = carbon->mass;
  applyatomtag(*carbon, addneutrontag);
  EXPECT_NEAR(carbon->mass, mass + 1.0087, 1e-4);
  tatm* hydrogen = atom(1, 40, 10);
  applyatomtag(*hydrogen, removeneutrontag);
  applyatomtag(*hydrogen, removeneutrontag);
  EXPECT_GT(hydrogen->mass, 0.0F);
  applyatomtag(*hydrogen, deuteriumtag);
  EXPECT_EQ(hydrogen->symbol, "D");
  // Label texts keep whole characters within the record.
  setlabeltext(*carbon, std::string(300, 'x'));
  EXPECT_EQ(carbon->symbol.size(), 255U);
  std::string dots;
  for (int i = 0; i < 200; ++i) {
    dots += "\xC2\xB7";
  }
  setlabeltext(*carbon, dots);
  EXPECT_EQ(carbon->symbol.size(), 254U);
  EXPECT_EQ(carbon->symbol.substr(252), "\xC2\xB7");
}

// A chosen element must count the bonds the atom already has; a
// number outside the table used to take them off its valence a second time.
TEST_F(EditorCommands, ChosenElementsCountTheAtomsBondsAndDragsCommit) {
  buildpropane();
  EXPECT_TRUE(setatomelement(*c2_, 7));
  EXPECT_EQ(c2_->labelmode, hydrogenlabel);
  EXPECT_FALSE(setatomelement(*c2_, 0));
  EXPECT_FALSE(setatomelement(*c2_, 104));
  EXPECT_EQ(c2_->implicithydrogens(), 1);
  // A dragged atom commits where it was let go.
  c2_->setxyzraw(130, 140, 0);
  c2_->updatescreen();
  finishatomdrag(*c2_);
  EXPECT_DOUBLE_EQ(c2_->y0, 140);
}

TEST_F(EditorCommands, CloneStandsAloneRightOfTheDrawing) {
  buildpropane();
  c2_->setdeuterium();
  c2_->changecharge(1);
  c2_->colour = editcolour;
  tatm* copy = cloneatom(*c2_);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(session().undodrawing()->atoms.count(), 3);
  // Right edge of C3 is 161; half a bond further.
  EXPECT_DOUBLE_EQ(copy->x, 161 + 15);
  EXPECT_EQ(copy->colour, 0U);
  EXPECT_NEAR(copy->mass, 2.016, 1e-4);
  EXPECT_EQ(copy->fcharge, 1);

  // A named nuclide of the usual mass stays named in the copy.
  c1_->setmassnumber(12);
  tatm* carbon = cloneatom(*c1_);
  EXPECT_TRUE(carbon->statednuclide);
  EXPECT_EQ(carbon->implicithydrogens(), 4);
  EXPECT_GT(carbon->x, copy->x);
}

TEST_F(EditorCommands, DeleteRelabelsTheAtomsLeftWithoutBonds) {
  buildpropane();
  // Cloning or deleting an atom of no drawing does nothing.
  const tdrawing* undo = session().undodrawing();
  tatm stranger(6, nolabel, 10.0, 10.0);
  EXPECT_EQ(cloneatom(stranger), nullptr);
  deleteatom(&stranger);
  deleteatom(nullptr);
  EXPECT_EQ(session().undodrawing(), undo);
  tatm* lone = atom(8, 300, 300, 0, 0);
  c1_->colour = editcolour;
  deleteatom(c2_);
  EXPECT_EQ(session().undodrawing()->atoms.count(), 4);
  for (const tatm* left : {c1_, c3_, lone}) {
    EXPECT_EQ(left->labelmode, 2);
    EXPECT_EQ(left->colour, 0U);
    EXPECT_EQ(left->implicithydrogens(), left == lone ? 2 : 4);
  }
}

TEST_F(EditorCommands, LabelClonesLineUpToTheRight) {
  atom(6, 100, 100);
  tLAtm* label = static_cast<tLAtm*>(
      drawing().addatom(std::make_unique<tLAtm>("Text", 50, 80)));
  label->colour = editcolour;
  label->align = 2;
  tLAtm* first = clonelabel(*label);
  ASSERT_NE(first, nullptr);
  EXPECT_DOUBLE_EQ(first->x, 101 + 5);
  EXPECT_EQ(first->symbol, "Text");
  EXPECT_EQ(first->colour, 0U);
  EXPECT_TRUE(drawing().labelatoms.contains(first));
  // The second copy does not hide under the first.
  EXPECT_DOUBLE_EQ(clonelabel(*label)->x, first->x + 1 + 5);
}

TEST_F(EditorCommands, SymbolCloneMovesRightAndRotatesAboutItsOwnCentre) {
  atom(6, 300, 50);
  tSymbol* arrow = placesymbol(drawing(), 720, 100, 100);
  ASSERT_NE(arrow, nullptr);
  setsymbolcolour(*arrow, editcolour);
  tSymbol* copy = clonesymbol(*arrow);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(session().undodrawing()->symbols.count(), 1);
  EXPECT_DOUBLE_EQ(copy->centre().x, 301 + 10);
  EXPECT_EQ(copy->bonds.first()->colour, 0U);
  EXPECT_EQ(symbolofpoint(drawing(), copy->atoms.last()), copy);
  copy->rotatesymbol(90);
  EXPECT_NEAR(copy->centre().x, 311, 1e-9);
  EXPECT_NEAR(copy->centre().y, 100, 1e-9);

  tSymbol stray(arrowtype);
  EXPECT_EQ(clonesymbol(stray), nullptr);
  EXPECT_EQ(symbolofpoint(drawing(), drawing().atoms.first()), nullptr);
}

}  // namespace
}  // namespace molvane
