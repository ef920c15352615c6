// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "app/file_actions.h"
#include "app/help_window.h"
#include "app/main_menu.h"
#include "app/settings_actions.h"
#include "io/atomic_file.h"
#include "model/atom.h"
#include "model/bond.h"
#include "qt/text_conversion.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QPrinter>
#include <QStatusBar>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace molvane {
namespace {

TEST_F(MainWindow, StartsUntitledWithTheHintAndAsksBeforeClosing) {
  EXPECT_EQ(window_->windowTitle().toStdString(),
            "Molvane 3D [ UNTITLED.MLV ]");
  EXPECT_FALSE(window_->resetaction()->isEnabled());
  EXPECT_FALSE(window_->undoaction()->isEnabled());
  EXPECT_EQ(window_->statusBar()->currentMessage(),
            QStringLiteral("Type F1 for Help"));
  EXPECT_EQ(std::filesystem::file_size(folder_.path() / "molvane3.dat"), 502U);
  messages_.answer = false;
  EXPECT_FALSE(window_->close());
  EXPECT_EQ(messages_.confirmations.back(), "Exit Molvane3D");
  messages_.answer = true;
  EXPECT_TRUE(window_->close());
}

// One item of each menu list: the submenus take the right list.
TEST_F(MainWindow, MenusCarryTheirCodes) {
  struct titem {
    QStringList path;
    int code;
  };
  const titem items[] = {
      {{"&Ring", "Join", "1&0"}, 408},
      {{"Chain", "Add", "Allene"}, 689},
      {{"&Branch", "q-Me"}, 643},
      {{"&Branch", "Group", "SO2CH3"}, 554},
      {{"&Atom", "Add AHn", "RaH2"}, 655},
      {{"Ben&zene", "&Branch"}, 704},
  };
  for (const titem& item : items) {
    SCOPED_TRACE(item.path.join(QLatin1Char('/')).toStdString());
    QAction* action = menuitem(*window_->menuBar(), item.path);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(commandcodeof(action), item.code);
  }
}

TEST_F(MainWindow, RingAddSixBuildsWhereClickedAndUndoSharesOneItem) {
  buildring();
  ASSERT_EQ(atomcount(), 6);
  EXPECT_TRUE(window_->resetaction()->isEnabled());
  double x = 0.0;
  double y = 0.0;
  for (const tatm* atom : drawing().atoms) {
    x += atom->x / 6.0;
    y += atom->y / 6.0;
  }
  EXPECT_NEAR(x, 200.0, 1.0);
  EXPECT_NEAR(y, 200.0, 1.0);
  EXPECT_EQ(window_->statusBar()->currentMessage(),
            QStringLiteral("Command: Ring 6"));
  // The code stays chosen until Reset.
  click(QPoint(400, 200));
  EXPECT_EQ(atomcount(), 12);
  choose({QStringLiteral("Reset")});
  click(QPoint(300, 400));
  EXPECT_EQ(atomcount(), 12);

  QAction* undo = window_->undoaction();
  choose({QStringLiteral("Edit"), QStringLiteral("Undo")});
  EXPECT_EQ(atomcount(), 6);
  EXPECT_EQ(undo->text().toStdString(), "Redo");
  choose({QStringLiteral("Edit"), QStringLiteral("Redo")});
  EXPECT_EQ(atomcount(), 12);
  EXPECT_EQ(undo->text().toStdString(), "Undo");
  // Undo, then a new command: the item reads "Undo" again.
  undo->trigger();
  choose({QStringLiteral("Ben&zene"), QStringLiteral("&Add")});
  click(QPoint(400, 400));
  EXPECT_EQ(undo->text().toStdString(), "Undo");
  EXPECT_EQ(atomcount(), 12);
}

// The atom's own case is the drawing view's test.
TEST_F(MainWindow, RightClickChoosesABondOrTheStructure) {
  buildring();
  click(QPoint(200, 200), Qt::RightButton);
  EXPECT_EQ(window_->lastclicktarget().kind, tclicktarget::tkind::structure);
  const tbond* bond = drawing().bonds.items(0);
  click(QPoint(static_cast<int>((bond->atom1->x + bond->atom2->x) / 2),
               static_cast<int>((bond->atom1->y + bond->atom2->y) / 2)),
        Qt::RightButton);
  EXPECT_EQ(window_->lastclicktarget().kind, tclicktarget::tkind::bond);
}

TEST_F(MainWindow, KeysActAsTheyWentDown) {
  tatm* nitrogen =
      drawing().addatom(std::make_unique<tatm>(7, 2, 400.0, 400.0));
  QCursor::setPos(window_->view().mapToGlobal(QPoint(400, 400)));
  // Ctrl is let go before the letter.
  QTest::keyPress(&window_->view(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyRelease(&window_->view(), Qt::Key_Z, Qt::NoModifier);
  EXPECT_EQ(nitrogen->element, 7);
  // "+" is Shift and "=" on the main keyboard; with Shift let go first the
  // key comes back up as "=".
  constexpr quint32 scancode = 21;
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Plus, Qt::ShiftModifier, scancode, 0,
                 0, QStringLiteral("+"));
  QKeyEvent up(QEvent::KeyRelease, Qt::Key_Equal, Qt::NoModifier, scancode, 0,
               0, QStringLiteral("="));
  QApplication::sendEvent(&window_->view(), &down);
  QApplication::sendEvent(&window_->view(), &up);
  EXPECT_EQ(nitrogen->fcharge, 1);
}

// The key table and the arrow steps are the core tests'; here each kind of
// key (an arrow, a letter, a digit, a sign, Delete) reaches its edit at the
// pointer.
TEST_F(MainWindow, KeysReachTheKeyEditsAtThePointer) {
  struct tcase {
    int key;
    std::function<bool(tdrawing&)> done;
  };
  const tcase cases[] = {
      {Qt::Key_Right, [](tdrawing& d) { return d.atoms.items(0)->x == 116; }},
      {Qt::Key_O, [](tdrawing& d) { return d.atoms.items(0)->element == 8; }},
      {Qt::Key_3, [](tdrawing& d) { return d.bonds.items(0)->kind() == 6; }},
      {Qt::Key_Minus,
       [](tdrawing& d) { return d.atoms.items(0)->fcharge == -1; }},
      {Qt::Key_Delete, [](tdrawing& d) { return d.atoms.count() == 1; }},
  };
  for (const tcase& entry : cases) {
    SCOPED_TRACE(entry.key);
    session().newdrawing();
    tatm* nitrogen =
        drawing().addatom(std::make_unique<tatm>(7, 2, 100.0, 100.0));
    tatm* carbon =
        drawing().addatom(std::make_unique<tatm>(6, 0, 130.0, 100.0));
    drawing().addbond(std::make_unique<tbond>(nitrogen, 0, 1, 2, carbon));
    window_->keyup(entry.key, Qt::NoModifier, QPoint(100, 100));
    EXPECT_TRUE(entry.done(drawing()));
  }
}

TEST_F(MainWindow, SaveAsThenOpenRestoresTheDrawing) {
  buildring();
  const std::filesystem::path document = folder_.path() / "ring.mlv";
  dialogs_->name = qtpath(document);
  dialogs_->filter = 2;
  choose({QStringLiteral("&File"), QStringLiteral("Save&As ...")});
  EXPECT_TRUE(std::filesystem::exists(document));
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "ring.xyz"));
  EXPECT_EQ(window_->windowTitle().toStdString(), "Molvane 3D [ RING.MLV ]");

  choose({QStringLiteral("&File"), QStringLiteral("&New")});
  EXPECT_EQ(messages_.confirmations.back(), "Erase Drawing");
  EXPECT_EQ(atomcount(), 0);

  choose({QStringLiteral("&File"), QStringLiteral("&Open ...")});
  EXPECT_EQ(atomcount(), 6);
  EXPECT_TRUE(messages_.errors.empty());
  EXPECT_FALSE(window_->undoaction()->isEnabled());
  // A key edit right after Open is one undo step.
  const tatm* first = drawing().atoms.first();
  window_->keyup(
      Qt::Key_O, Qt::NoModifier,
      QPoint(static_cast<int>(first->x), static_cast<int>(first->y)));
  choose({QStringLiteral("Edit"), QStringLiteral("Undo")});
  EXPECT_EQ(drawing().atoms.first()->element, 6);

  // Save As of a molfile proposes the document it writes.
  ASSERT_EQ(window_->files().openfile(qtpath(folder_.path() / "ring.mdl")),
            treadextent::whole);
  dialogs_->name.reset();
  choose({QStringLiteral("&File"), QStringLiteral("Save&As ...")});
  EXPECT_EQ(dialogs_->proposed, qtpath(folder_.path() / "ring.MLV"));

  // A picture filter writes a bitmap beside the document.
  EXPECT_TRUE(window_->files().savefile(qtpath(folder_.path() / "pic.mlv"), 3));
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "pic.bmp"));

  // The recent-files list survives a restart of the window.
  openwindow();
  EXPECT_EQ(window_->files().recentfiles().names().size(), 3U);
  QAction* recent = menuitem(*window_->menuBar(), {QStringLiteral("&File"),
                                                   QStringLiteral("RING.MLV")});
  ASSERT_NE(recent, nullptr);
  messages_.answer = false;
  recent->trigger();
  EXPECT_EQ(messages_.confirmations.back(), "Replace Current Drawing? ");
  EXPECT_EQ(atomcount(), 0);
  messages_.answer = true;
  recent->trigger();
  EXPECT_EQ(atomcount(), 6);
}

TEST_F(MainWindow, DamagedFilesKeepTheDrawingOrOpenUntitled) {
  buildring();
  const auto ring = folder_.path() / "ring.mlv";
  ASSERT_TRUE(window_->files().savefile(qtpath(ring)));
  const QString title = window_->windowTitle();
  // Unreadable: the drawing, its name and the recent list stay.
  const auto bad = folder_.path() / "bad.mlv";
  ASSERT_EQ(writefileatomically(bad, std::vector<std::uint8_t>(300, 0x7f)), "");
  EXPECT_EQ(window_->files().openfile(qtpath(bad)), treadextent::nothing);
  EXPECT_EQ(messages_.errors, std::vector<std::string>{"File Read Error"});
  EXPECT_EQ(atomcount(), 6);
  EXPECT_EQ(window_->windowTitle(), title);
  EXPECT_EQ(window_->files().recentfiles().names().size(), 1U);

  // Read in part: untitled, and Save goes through Save As; Cancel writes
  // nothing.
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(readwholefile(ring, bytes, 1U << 20), "");
  const auto cut = folder_.path() / "cut.mlv";
  bytes.resize(568 + 2 + 3 * 346);  // the header and three atoms
  ASSERT_EQ(writefileatomically(cut, bytes), "");
  EXPECT_EQ(window_->files().openfile(qtpath(cut)), treadextent::partial);
  EXPECT_EQ(messages_.warnings.front(), "File Read Error");
  EXPECT_EQ(atomcount(), 3);
  EXPECT_EQ(window_->windowTitle().toStdString(),
            "Molvane 3D [ UNTITLED.MLV ]");
  choose({QStringLiteral("&File"), QStringLiteral("&Save ...")});
  EXPECT_EQ(std::filesystem::file_size(cut), bytes.size());
}

TEST_F(MainWindow, OpenAsksBeforeReplacingUnsavedWork) {
  buildring();
  ASSERT_TRUE(window_->files().savefile(qtpath(folder_.path() / "ring.mlv")));
  choose({QStringLiteral("&File"), QStringLiteral("&New")});
  buildring();
  messages_.confirmations.clear();
  messages_.answer = false;
  dialogs_->name = qtpath(folder_.path() / "ring.mlv");
  choose({QStringLiteral("&File"), QStringLiteral("&Open ...")});
  EXPECT_EQ(messages_.confirmations,
            std::vector<std::string>{"Replace Current Drawing? "});
  EXPECT_FALSE(drawing().saved);
}

TEST_F(MainWindow, SettingsAndTheLabelFontAreKeptInTheDefaults) {
  window_->settings().setscale(0);
  QFont serif(QStringLiteral("Serif"));
  serif.setPixelSize(14);
  dialogs_->chosenfont = serif;
  choose({QStringLiteral("&File"), QStringLiteral("&Font ...")});
  window_.reset();
  const tdefaultsload loaded = loaddefaults(folder_.path());
  EXPECT_EQ(loaded.record.bondlength, 12);
  EXPECT_EQ(loaded.record.labelfont.facenametext(), "Serif");
  EXPECT_EQ(loaded.record.labelfont.height, -14);
}

TEST_F(MainWindow, PrintsTheWindowToAPdfFile) {
  buildring();
  const auto pdf = folder_.path() / "page.pdf";
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(qtpath(pdf));
  window_->files().printto(printer);
  ASSERT_TRUE(std::filesystem::exists(pdf));
  EXPECT_GT(std::filesystem::file_size(pdf), 0U);
}

TEST_F(MainWindow, HelpTopicsComeFromTheProgram) {
  choose({QStringLiteral("&Help"), QStringLiteral("3D Drawing Tutorial")});
  const thelpwindow* help = window_->helpwindow();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->currentpage().endsWith(QStringLiteral("drawing3d.html")))
      << help->currentpage().toStdString();
  window_->showhelp(99);
  EXPECT_TRUE(help->currentpage().endsWith(QStringLiteral("general.html")));
  // Every context number of the tool windows has a page of its own.
  QStringList seen;
  for (const int context : {1, 2, 3, 4, 5, 112, 113, 124, 128, 129, 131}) {
    const QString page = helppage(context);
    EXPECT_TRUE(QFile::exists(page.mid(3))) << page.toStdString();
    EXPECT_FALSE(seen.contains(page)) << page.toStdString();
    seen << page;
  }
  // A disabled item says why, and a page speaks of it only to say it is not
  // there.
  QStringList disabled;
  for (QAction* action :
       menuitem(*window_->menuBar(), {"&File"})->menu()->actions()) {
    if (!action->isEnabled() && !action->isSeparator()) {
      EXPECT_TRUE(action->statusTip().startsWith("Not available yet: "))
          << action->text().toStdString();
      disabled << action->text().remove(QLatin1Char('&'));
    }
  }
  ASSERT_EQ(disabled.size(), 5);
  for (const QFileInfo& page : QDir(QStringLiteral(":/help")).entryInfoList()) {
    QFile file(page.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& item : disabled) {
      EXPECT_TRUE(!text.contains(item) || text.contains("Not available yet"))
          << page.fileName().toStdString() << ": " << item.toStdString();
    }
  }
}

}  // namespace
}  // namespace molvane
