// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/group_editor.h"

#include "app/editor_windows.h"
#include "app/molecular_data.h"
#include "model/atom.h"
#include "window_fixture.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QScrollBar>

namespace molvane {
namespace {

class GroupEditor : public MainWindow {
 protected:
  TGroupEditor& editor() { return window_->editors().groupeditor(); }

  void press(const char* name) {
    auto* button = editor().findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
};

TEST_F(GroupEditor, RightClickOpensAndDoneRestoresTheDrawing) {
  buildring();
  drawing().setdrawmode(15);
  click(QPoint(200, 200), Qt::RightButton);
  ASSERT_TRUE(editor().isVisible());
  EXPECT_EQ(window_->editormode(), teditormode::groupeditor);
  EXPECT_EQ(menuname(), QStringLiteral("GroupEditorMenu"));
  EXPECT_EQ(editor().group(), drawing().structures.items(0));
  EXPECT_EQ(drawing().drawmode, 20);
  EXPECT_EQ(drawing().atoms.items(0)->colour, groupcolour);

  choose({"File", "Exit"});
  EXPECT_FALSE(editor().isVisible());
  EXPECT_EQ(window_->editormode(), teditormode::drawing);
  EXPECT_EQ(menuname(), QStringLiteral("MainMenu1"));
  EXPECT_EQ(drawing().drawmode, 15);
  EXPECT_EQ(drawing().atoms.items(0)->colour, 0U);
}

TEST_F(GroupEditor, ButtonsAndSlidersReachTheGroup) {
  buildring();
  click(QPoint(200, 200), Qt::RightButton);
  press("CloneButton");
  EXPECT_EQ(atomcount(), 12);
  EXPECT_TRUE(window_->undoaction()->isEnabled());
  press("NumberButton");
  EXPECT_EQ(editor().group()->atoms.maxnumber(), 6);

  tatm* first = editor().group()->atoms.items(0);
  const double x = first->x;
  QScrollBar& rotate = editor().slider(1);
  rotate.setValue(90);  // no thumb held: one whole scroll
  EXPECT_EQ(rotate.value(), 0);
  EXPECT_NE(first->x, x);
  EXPECT_EQ(first->x0, first->x);

  editor().slidergroup().button(3)->click();
  EXPECT_EQ(rotate.maximum(), 50);
  EXPECT_FALSE(editor().slider(2).isEnabled());

  press("DeleteButton");
  EXPECT_EQ(atomcount(), 6);
  EXPECT_FALSE(editor().isVisible());
  EXPECT_EQ(window_->editormode(), teditormode::drawing);
}

TEST_F(GroupEditor, RubberBandSelectsAndUndoDropsTheGroup) {
  buildring();
  window_->resetcommand();
  drag(QPoint(150, 150), QPoint(260, 260));
  ASSERT_TRUE(editor().isVisible());
  ASSERT_NE(editor().group(), nullptr);
  EXPECT_EQ(editor().group()->atoms.count(), 6);
  EXPECT_EQ(editor().pivotatom(), editor().group()->atoms.items(0));

  press("In-OutButton");
  window_->undoedit();
  EXPECT_EQ(editor().group(), nullptr);
  // The undo copy was taken with the colours of the plain drawing.
  EXPECT_EQ(drawing().atoms.items(0)->colour, 0U);
  press("CloneButton");
  EXPECT_EQ(atomcount(), 6);
}

TEST_F(GroupEditor, OptimizeRunsOnTheGroupAndFreesTheWindow) {
  buildring();
  click(QPoint(200, 200), Qt::RightButton);
  const double before = drawing().atoms.items(0)->x;
  editor().optimizebutton().click();
  EXPECT_FALSE(editor().optimizing());
  EXPECT_FALSE(window_->busy());
  EXPECT_NE(drawing().atoms.items(0)->x, before);
  EXPECT_EQ(editor().optimizebutton().text(), QStringLiteral("Optimize.."));
  press("PropertiesButton");
  EXPECT_TRUE(window_->moleculardata().isVisible());
}

}  // namespace
}  // namespace molvane
