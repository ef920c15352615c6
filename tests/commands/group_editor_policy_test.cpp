// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/group_editor_policy.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

class GroupEditorPolicy : public testing::tdrawingtest {
 protected:
  /// Two ethanes far apart; the editor opens on the first.
  void openonfirst() {
    first_ = atom(6, 100, 100);
    bond(first_, atom(6, 130, 100));
    second_ = atom(6, 400, 100);
    bond(second_, atom(6, 430, 100));
    for (tatm* each : drawing().atoms) {
      each->commit();
    }
    ASSERT_NE(selectrectangle(drawing(), 0, 0, 200, 200), nullptr);
    ASSERT_NE(selectrectangle(drawing(), 300, 0, 500, 200), nullptr);
    second_->colour = 0x0000FF;  // a coloured atom keeps its colour
    drawing().setdrawmode(15);
    ASSERT_TRUE(editor.open());
    EXPECT_EQ(second_->colour, dimmedcolour);
    ASSERT_EQ(editor.pickat(110, 100, tnumbering::group).outcome,
              tgroupoutcome::repaint);
    ASSERT_NE(editor.group(), nullptr);
  }

  tgroupeditor editor;
  tatm* first_ = nullptr;
  tatm* second_ = nullptr;
};

TEST_F(GroupEditorPolicy, OpenSwapsTheDrawingAndDoneGivesItBack) {
  openonfirst();
  EXPECT_FALSE(editor.open());  // once open, it stays as it is
  EXPECT_EQ(drawing().drawmode, 20);
  EXPECT_EQ(first_->colour, groupcolour);
  // Once a group is picked, the rest shows its own colours.
  EXPECT_EQ(second_->colour, 0x0000FFU);
  editor.done();
  EXPECT_EQ(drawing().drawmode, 15);
  EXPECT_EQ(first_->colour, 0U);
  EXPECT_EQ(second_->colour, 0x0000FFU);
  EXPECT_EQ(editor.group(), nullptr);
}

TEST_F(GroupEditorPolicy, TheUndoCopyHoldsTheDrawingAsItIsOutside) {
  openonfirst();
  EXPECT_EQ(editor.runtag(10, tnumbering::group), tgroupoutcome::edited);
  const tdrawing& undo = *session().undodrawing();
  EXPECT_EQ(undo.drawmode, 15);
  EXPECT_EQ(undo.atoms.items(0)->colour, 0U);
  EXPECT_EQ(undo.atoms.items(2)->colour, 0x0000FFU);
  // The drawing on the screen keeps the editor's look.
  EXPECT_EQ(drawing().drawmode, 20);
  EXPECT_EQ(first_->colour, groupcolour);

  // After Undo the group lapses, and Done leaves the restored drawing's
  // own mode alone.
  session().undo();
  EXPECT_EQ(editor.group(), nullptr);
  drawing().setdrawmode(7);
  editor.done();
  EXPECT_EQ(drawing().drawmode, 7);
}

TEST_F(GroupEditorPolicy, ADragOrAScrollTakesOneUndoCopy) {
  openonfirst();
  EXPECT_EQ(editor.dragmove(0, 0), tgroupoutcome::none);  // not pressed
  EXPECT_EQ(editor.dragstart(115, 100), tgroupoutcome::repaint);
  EXPECT_EQ(editor.dragmove(120, 150), tgroupoutcome::edited);
  const tdrawing* undo = session().undodrawing();
  EXPECT_EQ(editor.dragmove(125, 200), tgroupoutcome::repaint);
  EXPECT_EQ(session().undodrawing(), undo);
  EXPECT_NEAR(first_->y, 200, 1e-9);
  EXPECT_EQ(editor.dragend(), tgroupoutcome::repaint);

  EXPECT_EQ(editor.slide(1, 30), tgroupoutcome::edited);
  EXPECT_NE(session().undodrawing(), undo);
  undo = session().undodrawing();
  EXPECT_EQ(editor.slide(1, 60), tgroupoutcome::repaint);
  EXPECT_EQ(session().undodrawing(), undo);
  editor.endslide();
  EXPECT_EQ(editor.slide(1, 10), tgroupoutcome::edited);
}

TEST_F(GroupEditorPolicy, NumberedButtonsWithAndWithoutAGroup) {
  testing::trecordingmessages& messages = recordmessages();
  // Without a group only Invert and Zoom say why nothing happens.
  for (int tag = 1; tag <= 13; ++tag) {
    EXPECT_EQ(editor.runtag(tag, tnumbering::group), tgroupoutcome::none);
  }
  EXPECT_EQ(editor.zoom(150), tgroupoutcome::none);
  EXPECT_EQ(messages.warnings, (std::vector<std::string>{"No group selected",
                                                         "No group selected"}));

  openonfirst();
  EXPECT_EQ(editor.runtag(3, tnumbering::group), tgroupoutcome::none);
  fontrecord font = fontrecord::standard();
  font.height = -20;
  EXPECT_EQ(editor.runtag(3, tnumbering::group, font), tgroupoutcome::edited);
  EXPECT_NE(first_->fontindex, second_->fontindex);
  EXPECT_EQ(editor.runtag(5, tnumbering::group), tgroupoutcome::edited);
  EXPECT_EQ(first_->number, 1);
  EXPECT_EQ(editor.runtag(2, tnumbering::group), tgroupoutcome::closed);
  EXPECT_EQ(drawing().atoms.count(), 2);
  EXPECT_EQ(editor.group(), nullptr);
}

TEST_F(GroupEditorPolicy, PivotPicksNeedAGroupAndABond) {
  testing::trecordingmessages& messages = recordmessages();
  editor.setslidermode(tslidermode::bond);
  EXPECT_EQ(editor.pickat(0, 0, tnumbering::group).bond, nullptr);
  tatm* lone = atom(8, 50, 50);
  editor.select(*selectrectangle(drawing(), 0, 0, 100, 100));
  EXPECT_EQ(editor.pickat(50, 50, tnumbering::group).bond, nullptr);
  EXPECT_EQ(messages.warnings, (std::vector<std::string>{
                                   "No group selected", "No Bonds to Select"}));
  editor.setslidermode(tslidermode::atom);
  EXPECT_EQ(editor.pivotatom(), lone);
  EXPECT_EQ(editor.pickat(0, 0, tnumbering::group).atom, lone);
  // "User" numbering numbers the atom clicked, as one undo step.
  EXPECT_EQ(editor.pickat(50, 50, tnumbering::user).outcome,
            tgroupoutcome::edited);
  EXPECT_EQ(lone->number, 1);
}

}  // namespace
}  // namespace molvane
