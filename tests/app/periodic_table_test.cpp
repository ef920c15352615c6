// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/periodic_table.h"

#include "app/atom_tool.h"
#include "app/editor_windows.h"
#include "model/atom.h"
#include "model/bond.h"
#include "qt/qt_canvas.h"
#include "window_fixture.h"

#include <QEnterEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

namespace molvane {
namespace {

class PeriodicTable : public MainWindow {
 protected:
  TPeriodicTable& table() { return window_->editors().periodictable(); }

  void press(const QString& caption) {
    QPushButton* button = table().atomtool().button(caption);
    ASSERT_NE(button, nullptr) << caption.toStdString();
    button->click();
  }

  void pick(int z) { QTest::mouseClick(table().cell(z), Qt::LeftButton); }

  /// The atom at index of the drawing, where the mouse finds it.
  QPoint where(int index) const {
    const tatm* atom = drawing().atoms.items(index);
    return {atom->sx, atom->sy};
  }

  /// Opens the atom editor on a lone carbon at (100, 100).
  tatm* editcarbon() {
    tatm* carbon =
        drawing().addatom(std::make_unique<tatm>(6, 0, 100.0, 100.0));
    click(QPoint(100, 100), Qt::RightButton);
    return carbon;
  }
};

TEST_F(PeriodicTable, EveryElementHasACellOfItsOwnThatLightsUp) {
  EXPECT_EQ(table().cell(0), nullptr);
  EXPECT_EQ(table().cell(104), nullptr);
  // Every cell has a place of its own.
  for (int a = 1; a <= 103; ++a) {
    for (int b = a + 1; b <= 103; ++b) {
      ASSERT_FALSE(
          table().cell(a)->geometry().intersects(table().cell(b)->geometry()))
          << a << " and " << b;
    }
  }
  // Lawrencium's cell reads as chemists write it today.
  EXPECT_EQ(table().cell(103)->text(), QStringLiteral("Lr"));
  telement& iron = *table().cell(26);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&iron, &enter);
  EXPECT_EQ(iron.palette().color(QPalette::Window), qtcolourof(0xEEEEEE));
}

TEST_F(PeriodicTable, AddsAndBranchesThePickedElement) {
  // Branch on an empty drawing adds; without an element a click builds
  // nothing.
  choose({"&Atom", "Branch ..."});
  EXPECT_EQ(table().tablemode(), TPeriodicTable::ttablemode::add);
  click(QPoint(50, 50));
  EXPECT_EQ(atomcount(), 0);
  pick(17);
  EXPECT_EQ(window_->statusBar()->currentMessage(),
            QStringLiteral("Element: Cl"));
  click(QPoint(100, 100));
  ASSERT_EQ(atomcount(), 1);

  choose({"&Atom", "Branch ..."});
  EXPECT_EQ(table().tablemode(), TPeriodicTable::ttablemode::branch);
  pick(8);
  click(QPoint(104, 102));
  ASSERT_EQ(drawing().bonds.count(), 1);
  EXPECT_EQ(drawing().atoms.items(1)->element, 8);

  QTest::mouseClick(table().findChild<QPushButton*>(QStringLiteral("bDone")),
                    Qt::LeftButton);
  EXPECT_EQ(window_->editormode(), teditormode::drawing);
  click(QPoint(300, 300));
  EXPECT_EQ(atomcount(), 2);
}

// A command chosen while the table was open left clicks doing nothing.
TEST_F(PeriodicTable, AMenuCommandLeavesTheTableMode) {
  choose({"&Atom", "Add ..."});
  pick(8);
  buildring();
  EXPECT_EQ(atomcount(), 6);
}

TEST_F(PeriodicTable, RightClickOpensTheAtomEditorWhichClonesAndDeletes) {
  buildring();
  tatm* atom = drawing().atoms.items(2);
  click(where(2), Qt::RightButton);
  EXPECT_EQ(table().tablemode(), TPeriodicTable::ttablemode::edit);
  EXPECT_EQ(table().edit().text(), QStringLiteral("C"));
  EXPECT_EQ(menuname(), QStringLiteral("AtomEditorMenu"));
  // Labels are not for the atom editor.
  drawing().addatom(std::make_unique<tLAtm>("Note", 400.0, 50.0));
  click(QPoint(400, 50), Qt::RightButton);
  EXPECT_EQ(table().editatom(), atom);
  // Another atom takes over the highlight.
  tatm* other = drawing().atoms.items(4);
  click(where(4), Qt::RightButton);
  EXPECT_EQ(table().editatom(), other);
  EXPECT_EQ(atom->colour, 0U);

  choose({"File", "Exit"});
  EXPECT_FALSE(table().isVisible());
  EXPECT_EQ(other->colour, 0U);
  EXPECT_EQ(menuname(), QStringLiteral("MainMenu1"));

  click(where(4), Qt::RightButton);
  const int atoms = atomcount();  // the ring and the label
  press(QStringLiteral("Clone"));
  ASSERT_EQ(atomcount(), atoms + 1);
  EXPECT_EQ(table().editatom(), drawing().atoms.last());
  press(QStringLiteral("Delete"));
  EXPECT_EQ(atomcount(), atoms);
  EXPECT_EQ(table().editatom(), nullptr);
}

TEST_F(PeriodicTable, AtomToolButtonsEditTheAtom) {
  tatm* atom = editcarbon();
  pick(26);
  EXPECT_EQ(table().edit().text(), QStringLiteral("Fe"));
  press(QStringLiteral("Q+1"));
  EXPECT_EQ(atom->fcharge, 1);
  dialogs_->chosenfont = QFont(QStringLiteral("Some Face"));
  table().findChild<QPushButton*>(QStringLiteral("bFont"))->click();
  EXPECT_EQ(drawing().getfontrecord(atom->fontindex).facenametext(),
            "Some Face");
  // The label follows the text; Return keeps it.
  table().edit().clear();
  QTest::keyClicks(&table().edit(), QStringLiteral("Dx"));
  QTest::keyClick(&table().edit(), Qt::Key_Return);
  EXPECT_FALSE(table().isVisible());
  EXPECT_EQ(atom->symbol, "Dx");
}

TEST_F(PeriodicTable, DragMovesTheEditedAtomAndUndoForgetsIt) {
  tatm* atom = editcarbon();
  drag(QPoint(100, 100), QPoint(130, 90));
  EXPECT_EQ(atom->sx, 130);
  // After Undo the edited atom is gone from the drawing: the buttons and
  // the text then change nothing.
  window_->undoedit();
  EXPECT_EQ(table().editatom(), nullptr);
  press(QStringLiteral("Q+1"));
  press(QStringLiteral("Clone"));
  QTest::keyClicks(&table().edit(), QStringLiteral("x"));
  EXPECT_EQ(atomcount(), 1);
  EXPECT_EQ(drawing().atoms.first()->fcharge, 0);
}

// The atom editor took no undo copy: Undo went back past the ring as well.
TEST_F(PeriodicTable, AnEditorRunIsOneUndoStep) {
  buildring();
  window_->resetcommand();
  click(where(0), Qt::RightButton);
  ASSERT_NE(table().editatom(), nullptr);
  press(QStringLiteral("Q+1"));
  press(QStringLiteral("+H"));
  pick(7);
  table().done();
  EXPECT_EQ(drawing().atoms.first()->element, 7);
  EXPECT_EQ(window_->undoaction()->text(), QStringLiteral("Undo Atom Editor"));
  window_->undoedit();
  ASSERT_EQ(atomcount(), 6);
  EXPECT_EQ(drawing().atoms.first()->element, 6);
  EXPECT_EQ(drawing().atoms.first()->fcharge, 0);
  EXPECT_EQ(drawing().atoms.first()->colour, 0U);
  window_->undoedit();
  EXPECT_EQ(atomcount(), 0);
}

}  // namespace
}  // namespace molvane
