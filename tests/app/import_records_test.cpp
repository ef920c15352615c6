// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/import_dialog.h"
#include "model/formula.h"
#include "qt/text_conversion.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>

#include <fstream>
#include <string>

namespace molvane {
namespace {

/// A one-atom record titled after its element.
std::string record(const std::string& symbol) {
  std::string padded = symbol;
  padded.resize(3, ' ');
  return symbol + "\n\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n" +
         "    0.0000    0.0000    0.0000 " + padded + " 0  0\nM  END\n$$$$\n";
}

class ImportRecords : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    std::ofstream(folder_.path() / "three.sdf")
        << record("C") << record("N") << record("O");
    std::ofstream(folder_.path() / "one.sdf") << record("S");
  }
  QString file(const char* name) const { return qtpath(folder_.path() / name); }
};

TEST_F(ImportRecords, TheDialogCountsTheRecordsAndPreviewsTheChosenOne) {
  timportdialog dialog(nullptr, QStringLiteral("Import Dialog"),
                       qtpath(folder_.path()));
  dialog.preview(file("three.sdf"));
  EXPECT_EQ(dialog.recordcount().text().toStdString(), "3 records");
  EXPECT_TRUE(dialog.summary().text().startsWith(
      QStringLiteral("Record 1 of 3: C\nCH4")));
  dialog.record().setValue(2);
  EXPECT_TRUE(dialog.summary().text().startsWith(
      QStringLiteral("Record 2 of 3: N\nH3N")));
  EXPECT_FALSE(dialog.picture().pixmap().isNull());
  EXPECT_EQ(dialog.recordchoice().record, 1);
  dialog.loadall().setChecked(true);
  EXPECT_TRUE(dialog.recordchoice().all);
  EXPECT_FALSE(dialog.record().isEnabled());

  // A file of one record has nothing to choose.
  dialog.preview(file("one.sdf"));
  EXPECT_FALSE(dialog.recordcount().isVisibleTo(&dialog));
  EXPECT_TRUE(dialog.recordchoice().isfirst());
  EXPECT_TRUE(dialog.summary().text().startsWith(QStringLiteral("H2S")));
}

TEST_F(ImportRecords, OpenAndImportTakeTheRecordsChosenInTheDialog) {
  dialogs_->name = file("three.sdf");
  dialogs_->records = {2, false};
  choose({"&File", "&Open ..."});
  EXPECT_EQ(hillformula(drawing()), "H2O");
  EXPECT_EQ(window_->statusBar()->currentMessage().toStdString(),
            "Record 3 of 3");
  dialogs_->records = {0, true};
  choose({"&File", "&Import ..."});
  EXPECT_EQ(hillformula(drawing()), "CH11NO2");
  EXPECT_EQ(drawing().structures.count(), 4);
  EXPECT_EQ(window_->statusBar()->currentMessage().toStdString(),
            "All 3 records loaded");
}

}  // namespace
}  // namespace molvane
