// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "app/clipboard_actions.h"
#include "app/file_actions.h"
#include "app/help_window.h"
#include "app/import_dialog.h"
#include "app/main_menu.h"
#include "app/recent_files.h"
#include "app/settings_actions.h"
#include "io/cml_format.h"
#include "model/atom.h"
#include "model/bond.h"
#include "qt/text_conversion.h"
#include "support/atomic_file.h"
#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>

#include <cstdint>
#include <string>
#include <vector>

namespace molvane {
namespace {

TEST_F(MainWindow, StartsUntitledAndAsksBeforeClosingOnUnsavedWork) {
  EXPECT_EQ(window_->windowTitle().toStdString(),
            "Molvane 3D [ UNTITLED.MLV ]");
  buildring();
  EXPECT_EQ(window_->windowTitle().toStdString(),
            "Molvane 3D [ UNTITLED.MLV* ]");
  messages_.answer = false;
  EXPECT_FALSE(window_->close());
  EXPECT_EQ(messages_.confirmations.back(), "Save changes to untitled.mlv?");
  // Open asks the same before it replaces the drawing.
  messages_.confirmations.clear();
  choose({"&File", "&Open ..."});
  EXPECT_EQ(messages_.confirmations.back(), "Save changes to untitled.mlv?");
  EXPECT_EQ(atomcount(), 6);
  // Undo back to the empty drawing: nothing is lost, nothing is asked.
  choose({"Edit", "Undo Ring 6"});
  EXPECT_EQ(window_->windowTitle().toStdString(),
            "Molvane 3D [ UNTITLED.MLV ]");
  const std::size_t asked = messages_.confirmations.size();
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(messages_.confirmations.size(), asked);
}

TEST_F(MainWindow, RingAddSixBuildsWhereClickedAndUndoSharesOneItem) {
  buildring();
  double sum = 0.0;
  for (const tatm* atom : drawing().atoms) {
    sum += atom->x + atom->y;
  }
  EXPECT_NEAR(sum, 2400.0, 12.0);
  EXPECT_EQ(window_->statusBar()->currentMessage(),
            QStringLiteral("Command: Ring 6"));
  // The code stays chosen until Reset.
  click(QPoint(400, 200));
  choose({"Reset"});
  click(QPoint(300, 400));
  EXPECT_EQ(atomcount(), 12);

  QAction* undo = window_->undoaction();
  QAction* redo = window_->redoaction();
  choose({"Edit", "Undo Ring 6"});
  EXPECT_EQ(atomcount(), 6);
  choose({"Edit", "Redo Ring 6"});
  EXPECT_EQ(atomcount(), 12);
  // Ctrl+Z walks back edit by edit, Ctrl+Y and Ctrl+Shift+Z forward.
  QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(atomcount(), 0);
  EXPECT_FALSE(undo->isEnabled());
  QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
  QTest::keyClick(window_.get(), Qt::Key_Z,
                  Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(atomcount(), 12);
  // Undo, then a new command: nothing is left to redo.
  undo->trigger();
  EXPECT_EQ(redo->text().toStdString(), "Redo Ring 6");
  choose({"Ben&zene", "&Add"});
  click(QPoint(400, 400));
  EXPECT_FALSE(redo->isEnabled());
  EXPECT_EQ(redo->text().toStdString(), "Redo");
}

// The atom's own case is the drawing view's test.
TEST_F(MainWindow, RightClickChoosesABondOrTheStructure) {
  buildring();
  click(QPoint(200, 200), Qt::RightButton);
  EXPECT_EQ(window_->lastclicktarget().kind, tclicktarget::tkind::structure);
  // The structure opened the group editor; its right clicks are its own.
  choose({"File", "Exit"});
  const tbond* bond = drawing().bonds.items(0);
  click(QPoint(static_cast<int>((bond->atom1->x + bond->atom2->x) / 2),
               static_cast<int>((bond->atom1->y + bond->atom2->y) / 2)),
        Qt::RightButton);
  EXPECT_EQ(window_->lastclicktarget().kind, tclicktarget::tkind::bond);
}

// The key table and the arrow steps are the core tests'; here an arrow and
// an edit key reach the atom at the pointer.
TEST_F(MainWindow, KeysActAtThePointerAsTheyWentDown) {
  tatm* atom = drawing().addatom(std::make_unique<tatm>(7, 2, 400.0, 400.0));
  QCursor::setPos(window_->view().mapToGlobal(QPoint(400, 400)));
  // Ctrl is let go before the letter.
  QTest::keyPress(&window_->view(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyRelease(&window_->view(), Qt::Key_Z, Qt::NoModifier);
  EXPECT_EQ(atom->element, 7);
  // "+" is Shift and "=" on the main keyboard; with Shift let go first the
  // key comes back up as "=".
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Plus, Qt::ShiftModifier, 21, 0, 0,
                 QStringLiteral("+"));
  QKeyEvent up(QEvent::KeyRelease, Qt::Key_Equal, Qt::NoModifier, 21, 0, 0,
               QStringLiteral("="));
  QApplication::sendEvent(&window_->view(), &down);
  QApplication::sendEvent(&window_->view(), &up);
  EXPECT_EQ(atom->fcharge, 1);
  window_->keyup(Qt::Key_Right, Qt::NoModifier, QPoint(400, 400));
  EXPECT_EQ(atom->x, 416);
  window_->keyup(Qt::Key_O, Qt::NoModifier, QPoint(416, 400));
  EXPECT_EQ(atom->element, 8);
}

TEST_F(MainWindow, SaveAsThenOpenRestoresTheDrawing) {
  buildring();
  const std::filesystem::path document = folder_.path() / "ring.mlv";
  dialogs_->name = qtpath(document);
  dialogs_->filter = 2;
  choose({"&File", "Save&As ..."});
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "ring.xyz"));
  EXPECT_EQ(window_->windowTitle().toStdString(), "Molvane 3D [ RING.MLV ]");
  // Just saved: New asks nothing.
  choose({"&File", "&New"});
  EXPECT_TRUE(messages_.confirmations.empty());
  choose({"&File", "&Open ..."});
  EXPECT_EQ(atomcount(), 6);
  // A key edit right after Open is one undo step.
  const tatm* first = drawing().atoms.first();
  window_->keyup(
      Qt::Key_O, Qt::NoModifier,
      QPoint(static_cast<int>(first->x), static_cast<int>(first->y)));
  choose({"Edit", "Undo Key O"});
  EXPECT_EQ(drawing().atoms.first()->element, 6);

  // Save As of a molfile proposes the document it writes.
  ASSERT_EQ(window_->files().openfile(qtpath(folder_.path() / "ring.mdl")),
            treadextent::whole);
  dialogs_->name.reset();
  choose({"&File", "Save&As ..."});
  EXPECT_EQ(dialogs_->proposed, qtpath(folder_.path() / "ring.MLV"));
  // A picture filter writes a bitmap beside the document.
  EXPECT_TRUE(window_->files().savefile(qtpath(folder_.path() / "pic.mlv"), 3));
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "pic.bmp"));

  // The recent-files list survives a restart and asks first when work
  // would be lost.
  openwindow();
  QAction* recent = menuitem(*window_->menuBar(), {QStringLiteral("&File"),
                                                   QStringLiteral("RING.MLV")});
  ASSERT_NE(recent, nullptr);
  choose({"Ben&zene", "&Add"});
  click(QPoint(400, 400));
  messages_.answer = false;
  recent->trigger();
  EXPECT_FALSE(drawing().saved);
  messages_.answer = true;
  recent->trigger();
  EXPECT_EQ(atomcount(), 6);
  EXPECT_TRUE(drawing().saved);
}

TEST_F(MainWindow, DamagedFilesKeepTheDrawingOrOpenUntitled) {
  buildring();
  const auto ring = folder_.path() / "ring.mlv";
  ASSERT_TRUE(window_->files().savefile(qtpath(ring)));
  // Unreadable: the drawing and its name stay.
  const auto bad = folder_.path() / "bad.mlv";
  ASSERT_EQ(writefileatomically(bad, std::vector<std::uint8_t>(300, 0x7f)), "");
  EXPECT_EQ(window_->files().openfile(qtpath(bad)), treadextent::nothing);
  EXPECT_EQ(atomcount(), 6);
  EXPECT_EQ(window_->windowTitle().toStdString(), "Molvane 3D [ RING.MLV ]");
  // Read in part: untitled.
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(readwholefile(ring, bytes, 1U << 20), "");
  bytes.resize(568 + 2 + 3 * 346);  // the header and three atoms
  ASSERT_EQ(writefileatomically(bad, bytes), "");
  EXPECT_EQ(window_->files().openfile(qtpath(bad)), treadextent::partial);
  // What was read is not saved anywhere yet.
  EXPECT_EQ(window_->windowTitle().toStdString(),
            "Molvane 3D [ UNTITLED.MLV* ]");
  // Save then asks for a name; Cancel leaves the part read alone.
  choose({"&File", "&Save ..."});
  EXPECT_EQ(std::filesystem::file_size(bad), bytes.size());
}

TEST_F(MainWindow, SettingsAndTheLabelFontAreKeptInTheDefaults) {
  window_->settings().setscale(0);
  window_->settings().setcolourlabels(true);
  window_->settings().setsmoothscreen(false);
  dialogs_->chosenfont = QFont(QStringLiteral("Serif"));
  choose({"&File", "&Font ..."});
  window_.reset();
  const tdefaultsload loaded = loaddefaults(folder_.path());
  EXPECT_EQ(loaded.record.bondlength, 12);
  EXPECT_EQ(loaded.record.labelfont.facenametext(), "Serif");
  EXPECT_EQ(loaded.record.displayflags, colourlabelsflag | plainscreenflag);
}

TEST_F(MainWindow, PrintsTheDrawingItselfAndExportsPictures) {
  const auto print = [this](const char* name) {
    const auto pdf = folder_.path() / name;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(qtpath(pdf));
    window_->files().printto(printer);
    return std::filesystem::file_size(pdf);
  };
  print("blank.pdf");
  EXPECT_EQ(messages_.warnings.back(), "Nothing printed: the drawing is empty");
  buildring();
  // The ring goes into the page as lines, not as a picture of the window.
  const auto size = print("ring.pdf");
  EXPECT_GT(size, 800U);
  QFile pdf(qtpath(folder_.path() / "ring.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_FALSE(pdf.readAll().contains("/Subtype /Image"));
  // A picture name without a picture extension becomes a PNG file.
  tpicturechoice choice{qtpath(folder_.path() / "ring"), {}};
  choice.options.fitwidth = 300;
  dialogs_->picturechoice = choice;
  choose({"&File", "Export Pic&ture ..."});
  EXPECT_EQ(QImage(qtpath(folder_.path() / "ring.png")).width(), 300);
}

TEST_F(MainWindow, DrawsSmoothLinesUnlessTheSettingIsOff) {
  buildring();
  const auto greys = [this] {
    const QImage& image = window_->buffer();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const int grey = qGray(image.pixel(x, y));
        count += grey > 30 && grey < 225 ? 1 : 0;
      }
    }
    return count;
  };
  EXPECT_GT(greys(), 50);
  window_->settings().setsmoothscreen(false);
  EXPECT_EQ(greys(), 0);
}

TEST_F(MainWindow, CopyAndPasteCarryTheStructure) {
  choose({"Edit", "Copy InChI"});
  ASSERT_EQ(messages_.warnings.size(), 1U);
  EXPECT_EQ(messages_.warnings[0], "Copy InChI: no atoms for InChI");
  buildring();
  choose({"Edit", "Copy InChI"});
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("InChI=1S/C6H12/c1-2-4-6-5-3-1/h1-6H2"));
  choose({"Edit", "Copy"});
  const QMimeData* copied = QApplication::clipboard()->mimeData();
  ASSERT_NE(copied, nullptr);
  for (const char* type :
       {"image/png", "image/svg+xml", "chemical/x-mdl-molfile", "text/plain"}) {
    EXPECT_TRUE(copied->hasFormat(QString::fromUtf8(type))) << type;
  }
  EXPECT_TRUE(copied->text().contains(QStringLiteral("V2000")));
  EXPECT_FALSE(QApplication::clipboard()->image().isNull());

  choose({"Edit", "Paste"});
  EXPECT_EQ(atomcount(), 12);

  QMimeData cml;
  const std::vector<std::uint8_t> written = writecml(drawing());
  cml.setData(QStringLiteral("chemical/x-cml"),
              QByteArray(reinterpret_cast<const char*>(written.data()),
                         static_cast<qsizetype>(written.size())));
  EXPECT_TRUE(pastemimedata(cml));
  EXPECT_EQ(atomcount(), 24);
}

TEST_F(MainWindow, HelpTopicsComeFromTheProgramAndDisabledItemsSayWhy) {
  choose({"&Help", "3D Drawing Tutorial"});
  const thelpwindow* help = window_->helpwindow();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->currentpage().endsWith(QStringLiteral("drawing3d.html")));
  window_->showhelp(99);
  EXPECT_TRUE(help->currentpage().endsWith(QStringLiteral("general.html")));
  // Every context number of the tool windows has a page of its own.
  QStringList seen;
  for (const int context : {1, 2, 3, 4, 5, 112, 113, 124, 128, 129, 131}) {
    const QString page = helppage(context);
    EXPECT_TRUE(QFile::exists(page.mid(3)) && !seen.contains(page)) << context;
    seen << page;
  }
  int disabled = 0;
  for (QAction* action :
       menuitem(*window_->menuBar(), {"&File"})->menu()->actions()) {
    if (!action->isEnabled() && !action->isSeparator()) {
      ++disabled;
      EXPECT_TRUE(action->statusTip().startsWith("Not available yet: ") ||
                  action->statusTip().startsWith("Choose an NMR nucleus"));
    }
  }
  // NMR Shifts... waits for a nucleus.
  EXPECT_EQ(disabled, 1);
}

TEST(RecentFiles, KeepsSixWholeNamesIgnoringCaseAcrossASave) {
  trecentfiles recents;
  EXPECT_TRUE(recents.add("/data/BA.MLV"));
  EXPECT_FALSE(recents.add("/DATA/ba.mlv"));
  // Contained in the first name, but another document.
  EXPECT_TRUE(recents.add("A.MLV"));
  EXPECT_FALSE(recents.add(""));
  for (int i = 1; i <= 5; ++i) {
    recents.add("/data/file" + std::to_string(i) + ".mlv");
  }
  // The seventh name dropped the oldest.
  EXPECT_EQ(recents.names().front(), "A.MLV");
  EXPECT_EQ(trecentfiles::captionof("/data/Ring.mlv"), "RING.MLV");
  testing::ttemporaryfolder folder;
  ASSERT_EQ(recents.save(folder.path() / recentsfilename), "");
  trecentfiles loaded;
  loaded.load(folder.path() / recentsfilename);
  EXPECT_EQ(loaded.names(), recents.names());
  loaded.load(folder.path() / "missing.dat");
  EXPECT_TRUE(loaded.names().empty());
}

class ImportPreview : public testing::tdrawingtest {
 protected:
  void SetUp() override { recordmessages(); }
  testing::ttemporaryfolder folder_;
};

TEST_F(ImportPreview, ShowsTheDocumentAndLeavesTheSessionAlone) {
  const tatm* kept = atom(6, 10, 10);
  const tdrawing* current = session().drawing();
  const tdocumentpreview shown = previewdocument(
      std::filesystem::path(MOLVANE_SOURCE_DIR) / "examples" / "sample.mlv",
      QSize(200, 150));
  EXPECT_LE(shown.picture.width(), 200);
  EXPECT_FALSE(shown.picture.isNull());
  EXPECT_TRUE(shown.text.contains(QStringLiteral("atoms")));
  EXPECT_EQ(session().drawing(), current);
  EXPECT_EQ(current->atoms.items(0), kept);
}

TEST_F(ImportPreview, ReportsFilesItCannotShowWithoutAMessageBox) {
  const std::filesystem::path broken = folder_.path() / "broken.mlv";
  ASSERT_EQ(writefileatomically(broken, std::vector<std::uint8_t>(300, 0x7f)),
            "");
  EXPECT_EQ(previewdocument(folder_.path() / "missing.mlv", QSize(100, 100))
                .text.toStdString(),
            "File Read Error");
  timportdialog dialog(nullptr, QStringLiteral("Import Dialog"),
                       qtpath(folder_.path()));
  dialog.preview(qtpath(broken));
  EXPECT_EQ(dialog.summary().text().toStdString(), "File Read Error");
  EXPECT_TRUE(recorded_.errors.empty());
  dialog.preview(QString());
  EXPECT_TRUE(dialog.summary().text().isEmpty());
}

}  // namespace
}  // namespace molvane
