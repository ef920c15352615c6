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

  void pick(int z) {
    telement* cell = table().cell(z);
    ASSERT_NE(cell, nullptr);
    QTest::mouseClick(cell, Qt::LeftButton);
  }

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

TEST_F(PeriodicTable, CellsSitInTheirRowsWithTheirGroupColours) {
  // A cell of a row and of a row set apart below; a colour of a group
  // and the colour of the rest.
  struct tcase {
    int z;
    QPoint at;
    tcolour colour;
  };
  const tcase cases[] = {{1, {0, 0}, 0xFFFF77},
                         {5, {240, 20}, 0x77FFFF},
                         {103, {331, 148}, 0x77FF77}};
  for (const tcase& entry : cases) {
    SCOPED_TRACE(entry.z);
    const telement* cell = table().cell(entry.z);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->geometry(), QRect(entry.at, QSize(20, 20)));
    EXPECT_EQ(cellcolour(entry.z), entry.colour);
  }
  EXPECT_EQ(table().cell(0), nullptr);
  EXPECT_EQ(table().cell(104), nullptr);
  EXPECT_EQ(table().cell(26)->text(), QStringLiteral("Fe"));

  // Every cell has a place of its own.
  for (int a = 1; a <= 103; ++a) {
    for (int b = a + 1; b <= 103; ++b) {
      ASSERT_FALSE(
          table().cell(a)->geometry().intersects(table().cell(b)->geometry()))
          << a << " and " << b;
    }
  }

  telement& iron = *table().cell(26);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&iron, &enter);
  EXPECT_EQ(iron.palette().color(QPalette::Window), qtcolourof(0xEEEEEE));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&iron, &leave);
  EXPECT_EQ(iron.palette().color(QPalette::Window), qtcolourof(0xC0C0C0));
}

TEST_F(PeriodicTable, AddsAndBranchesThePickedElement) {
  // Branch on an empty drawing adds; without an element a click builds
  // nothing.
  choose({QStringLiteral("&Atom"), QStringLiteral("Branch ...")});
  EXPECT_EQ(table().tablemode(), TPeriodicTable::addmode);
  EXPECT_EQ(window_->editormode(), 8);
  EXPECT_TRUE(table().isVisible());
  EXPECT_EQ(table().windowTitle(), QStringLiteral("Periodic Table"));
  EXPECT_FALSE(table().edit().isVisible());
  click(QPoint(50, 50));
  EXPECT_EQ(atomcount(), 0);

  pick(17);
  EXPECT_EQ(window_->statusBar()->currentMessage(),
            QStringLiteral("Element: Cl"));
  click(QPoint(100, 100));
  ASSERT_EQ(atomcount(), 1);
  const tatm* chlorine = drawing().atoms.first();
  EXPECT_EQ(chlorine->element, 17);

  choose({QStringLiteral("&Atom"), QStringLiteral("Branch ...")});
  EXPECT_EQ(table().tablemode(), TPeriodicTable::branchmode);
  pick(8);
  click(QPoint(104, 102));
  ASSERT_EQ(atomcount(), 2);
  EXPECT_EQ(drawing().atoms.items(1)->element, 8);
  ASSERT_EQ(drawing().bonds.count(), 1);
  EXPECT_TRUE(drawing().bonds.first()->hasatom(chlorine));

  QTest::mouseClick(table().findChild<QPushButton*>(QStringLiteral("bDone")),
                    Qt::LeftButton);
  EXPECT_FALSE(table().isVisible());
  EXPECT_EQ(window_->editormode(), 0);
  EXPECT_EQ(window_->commandcode(), 0);
  click(QPoint(300, 300));
  EXPECT_EQ(atomcount(), 2);
}

// A command chosen while the table was open left clicks doing nothing.
TEST_F(PeriodicTable, AMenuCommandLeavesTheTableMode) {
  choose({QStringLiteral("&Atom"), QStringLiteral("Add ...")});
  pick(8);
  buildring();
  EXPECT_EQ(atomcount(), 6);
  EXPECT_EQ(window_->editormode(), 0);
  EXPECT_FALSE(table().isVisible());
}

TEST_F(PeriodicTable, RightClickOpensTheAtomEditorWithItsOwnMenu) {
  buildring();
  tatm* atom = drawing().atoms.items(2);
  click(where(2), Qt::RightButton);
  EXPECT_EQ(window_->editormode(), 1);
  EXPECT_EQ(table().tablemode(), TPeriodicTable::editmode);
  EXPECT_EQ(table().editatom(), atom);
  EXPECT_EQ(atom->colour, 255U);
  EXPECT_EQ(table().windowTitle(), QStringLiteral("Atom Editor"));
  EXPECT_EQ(table().edit().text(), QStringLiteral("C"));
  EXPECT_EQ(table().cell(1)->y(), table().edit().height());
  EXPECT_TRUE(table().atomtool().isVisible());
  EXPECT_EQ(menuname(), QStringLiteral("AtomEditorMenu"));

  // Labels and symbol points are not for the atom editor.
  drawing().addatom(std::make_unique<tLAtm>("Note", 400.0, 50.0));
  click(QPoint(400, 50), Qt::RightButton);
  EXPECT_EQ(table().editatom(), atom);

  // Another atom takes over the highlight.
  tatm* other = drawing().atoms.items(4);
  click(where(4), Qt::RightButton);
  EXPECT_EQ(table().editatom(), other);
  EXPECT_EQ(atom->colour, 0U);
  EXPECT_EQ(other->colour, 255U);

  choose({QStringLiteral("File"), QStringLiteral("Exit")});
  EXPECT_EQ(window_->editormode(), 0);
  EXPECT_FALSE(table().isVisible());
  EXPECT_FALSE(table().atomtool().isVisible());
  EXPECT_EQ(other->colour, 0U);
  EXPECT_EQ(menuname(), QStringLiteral("MainMenu1"));
}

TEST_F(PeriodicTable, AtomToolButtonsEditTheAtom) {
  tatm* atom = editcarbon();
  ASSERT_EQ(table().editatom(), atom);
  pick(26);
  EXPECT_EQ(atom->element, 26);
  EXPECT_EQ(table().edit().text(), QStringLiteral("Fe"));

  // What each button does is the editor commands' test; here each reaches
  // the atom.
  const float mass = atom->mass;
  for (const char* caption : {"AHn", "Q+1", "N+1", "nHA.R"}) {
    press(QString::fromLatin1(caption));
  }
  EXPECT_EQ(atom->labelmode, 1);
  EXPECT_EQ(atom->fcharge, 1);
  EXPECT_GT(atom->mass, mass);
  EXPECT_EQ(atom->direction, -1);
  press(QString::fromUtf8("\xC2\xB2H"));
  EXPECT_EQ(table().edit().text(), QStringLiteral("D"));
  QFont chosen(QStringLiteral("Some Face"));
  chosen.setPixelSize(17);
  dialogs_->chosenfont = chosen;
  table().findChild<QPushButton*>(QStringLiteral("bFont"))->click();
  const int font = atom->fontindex;
  EXPECT_EQ(drawing().getfontrecord(font).facenametext(), "Some Face");
  // Cancel keeps the font.
  dialogs_->chosenfont.reset();
  table().choosefont();
  EXPECT_EQ(atom->fontindex, font);

  // The label follows the text; Return keeps it.
  table().edit().clear();
  QTest::keyClicks(&table().edit(), QStringLiteral("Dx"));
  EXPECT_EQ(atom->symbol, "Dx");
  QTest::keyClick(&table().edit(), Qt::Key_Return);
  EXPECT_FALSE(table().isVisible());
  EXPECT_EQ(atom->symbol, "Dx");
  EXPECT_EQ(window_->editormode(), 0);
}

TEST_F(PeriodicTable, CloneAndDeleteFromTheAtomTool) {
  buildring();
  click(where(0), Qt::RightButton);
  tatm* atom = table().editatom();
  ASSERT_NE(atom, nullptr);
  press(QStringLiteral("Clone"));
  ASSERT_EQ(atomcount(), 7);
  EXPECT_EQ(table().editatom(), drawing().atoms.last());
  EXPECT_EQ(session().undodrawing()->atoms.count(), 6);

  click(where(0), Qt::RightButton);
  ASSERT_EQ(table().editatom(), atom);
  press(QStringLiteral("Delete"));
  EXPECT_EQ(atomcount(), 6);
  EXPECT_FALSE(table().isVisible());
  EXPECT_EQ(window_->editormode(), 0);
  EXPECT_EQ(table().editatom(), nullptr);
}

TEST_F(PeriodicTable, DragMovesTheEditedAtomAndUndoForgetsIt) {
  tatm* atom = editcarbon();
  drag(QPoint(100, 100), QPoint(130, 90));
  EXPECT_EQ(atom->sx, 130);
  EXPECT_EQ(atom->sy, 90);
  EXPECT_EQ(session().undodrawing()->atoms.first()->sx, 100);

  // After Undo the edited atom is gone from the drawing: the buttons and
  // the text then change nothing.
  window_->toggleundo();
  EXPECT_EQ(table().editatom(), nullptr);
  press(QStringLiteral("Q+1"));
  press(QStringLiteral("Clone"));
  QTest::keyClicks(&table().edit(), QStringLiteral("x"));
  EXPECT_EQ(atomcount(), 1);
  EXPECT_EQ(drawing().atoms.first()->fcharge, 0);
}

}  // namespace
}  // namespace molvane
