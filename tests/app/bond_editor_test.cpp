// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/bond_editor.h"

#include "app/editor_windows.h"
#include "model/atom.h"
#include "model/bond.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include <filesystem>

namespace molvane {
namespace {

class BondEditor : public MainWindow {
 protected:
  TBondEditor& editor() { return window_->editors().bondeditor(); }

  /// Builds a ring and right-clicks the midpoint of its first bond.
  tbond* openonbond() {
    buildring();
    tbond* bond = drawing().bonds.items(0);
    click(QPoint(bond->midx(), bond->midy()), Qt::RightButton);
    return bond;
  }

  void press(const char* name) {
    auto* button =
        editor().findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
};

TEST_F(BondEditor, RightClickOpensItWithItsMenuDragsAndDoneCloses) {
  tbond* bond = openonbond();
  EXPECT_TRUE(editor().isVisible());
  EXPECT_EQ(editor().editbond(), bond);
  EXPECT_EQ(window_->editormode(), teditormode::bondeditor);
  EXPECT_EQ(menuname(), QStringLiteral("BondEditorMenu"));
  EXPECT_EQ(bond->colour, 255U);
  EXPECT_EQ(editor().lengthlabel().text(), QStringLiteral("1.53\u00C5"));
  EXPECT_TRUE(editor().strainlabel().text().endsWith(QStringLiteral("Kcal")));
  // A left drag moves the bond, which stays highlighted.
  const QPoint middle(bond->midx(), bond->midy());
  drag(middle, middle + QPoint(40, 10));
  EXPECT_EQ(QPoint(bond->midx(), bond->midy()), middle + QPoint(40, 10));
  EXPECT_EQ(bond->colour, 255U);
  EXPECT_TRUE(window_->undoaction()->isEnabled());

  choose({"File", "Exit"});
  EXPECT_FALSE(editor().isVisible());
  EXPECT_EQ(window_->editormode(), teditormode::drawing);
  EXPECT_EQ(menuname(), QStringLiteral("MainMenu1"));
  EXPECT_EQ(bond->colour, 0U);
  EXPECT_EQ(bond->atom1->colour, 0U);
}

TEST_F(BondEditor, ControlsReachTheirOperations) {
  tbond* bond = openonbond();
  press("Image4");
  EXPECT_EQ(bond->kind(), 4);
  EXPECT_TRUE(window_->undoaction()->isEnabled());
  press("Button1");
  EXPECT_EQ(bond->side, -1);
  const int width = bond->width;
  press("LineButton");
  EXPECT_EQ(bond->width, width % 4 + 1);
  press("CheckBox1");
  EXPECT_TRUE(bond->isdelocalised());
  EXPECT_FALSE(drawing().saved);

  // A click on the slider's track ends the zoom at once.
  press("Image1");
  editor().setsliderfunction(tbondslider::zoom);
  EXPECT_EQ(editor().slider().value(), 100);
  editor().slider().setValue(50);
  EXPECT_NEAR(bond->length(), 60.0, 1e-6);
  EXPECT_EQ(editor().slider().value(), 100);
  EXPECT_EQ(editor().lengthlabel().text(), QStringLiteral("3.06\u00C5"));
}

// Issue 30: every change made to one bond while the editor shows it is
// one undo step, and the step holds no highlight.
TEST_F(BondEditor, OneEditorSessionIsOneUndoStep) {
  tbond* bond = openonbond();
  const int side = bond->side;
  const int width = bond->width;
  press("Button1");
  press("LineButton");
  press("CheckBox1");
  EXPECT_EQ(window_->undoaction()->text(), QStringLiteral("Undo Bond Editor"));
  window_->undoedit();
  ASSERT_EQ(drawing().bonds.count(), 6);
  const tbond* back = drawing().bonds.items(0);
  EXPECT_EQ(back->side, side);
  EXPECT_EQ(back->width, width);
  EXPECT_FALSE(back->isdelocalised());
  EXPECT_EQ(back->colour, 0U);
}

// A second energy for the same bond replaces the first, in the table and
// in its file.
TEST_F(BondEditor, EnergyFieldWritesTheTableAndEmpties) {
  openonbond();
  QLineEdit& edit = editor().energyedit();
  for (const char* text : {"85.5", "abc", "90"}) {
    edit.setText(QString::fromLatin1(text));
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_TRUE(edit.text().isEmpty()) << text;
  }
  ASSERT_EQ(editor().energies().count(), 1);
  EXPECT_EQ(editor().energies().entries()[0]->energy, 90.0F);
  const std::filesystem::path file = folder_.path() / "bondenergies.dat";
  EXPECT_EQ(std::filesystem::file_size(file), 40U);
}

// After Delete the editor keeps no pointer to the freed bond, nor after Undo
// one into the replaced drawing.
TEST_F(BondEditor, DeleteAndUndoLeaveNoBondSelected) {
  tbond* bond = openonbond();
  tatm* end = bond->atom1;
  press("DeleteButton");
  EXPECT_EQ(drawing().bonds.count(), 5);
  EXPECT_EQ(end->colour, 0U);
  EXPECT_EQ(editor().editbond(), nullptr);
  EXPECT_FALSE(editor().isVisible());
  EXPECT_EQ(window_->editormode(), teditormode::drawing);

  openonbond();
  window_->undoedit();
  EXPECT_EQ(editor().editbond(), nullptr);
  press("Image4");
  ASSERT_EQ(messages_.warnings.size(), 1U);
  EXPECT_EQ(messages_.warnings[0], "No Bond Selected");
}

}  // namespace
}  // namespace molvane
