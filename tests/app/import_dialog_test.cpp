// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/import_dialog.h"

#include "document/drawing.h"
#include "io/atomic_file.h"
#include "qt/text_conversion.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <vector>

namespace molvane {
namespace {

class ImportPreview : public testing::tdrawingtest {
 protected:
  void SetUp() override { recordmessages(); }
  testing::ttemporaryfolder folder_;
};

TEST_F(ImportPreview, ShowsTheDocumentAndLeavesTheSessionAlone) {
  tatm* kept = atom(6, 10, 10);
  const tdrawing* current = session().drawing();
  const tdrawing* undo = session().undodrawing();
  const tdocumentpreview shown = previewdocument(
      std::filesystem::path(MOLVANE_SOURCE_DIR) / "examples" / "sample.mlv",
      QSize(200, 150));
  EXPECT_FALSE(shown.picture.isNull());
  EXPECT_LE(shown.picture.width(), 200);
  EXPECT_LE(shown.picture.height(), 150);
  EXPECT_TRUE(shown.text.contains(QStringLiteral("atoms")))
      << shown.text.toStdString();

  EXPECT_EQ(session().drawing(), current);
  EXPECT_EQ(session().undodrawing(), undo);
  EXPECT_EQ(current->atoms.count(), 1);
  EXPECT_EQ(current->atoms.items(0), kept);
  EXPECT_TRUE(recorded_.errors.empty());
}

TEST_F(ImportPreview, ReportsFilesItCannotShowWithoutAMessageBox) {
  const std::filesystem::path broken = folder_.path() / "broken.mlv";
  ASSERT_EQ(writefileatomically(broken, std::vector<std::uint8_t>(300, 0x7f)),
            "");
  for (const auto& path : {broken, folder_.path() / "missing.mlv"}) {
    EXPECT_EQ(previewdocument(path, QSize(100, 100)).text.toStdString(),
              "File Read Error");
  }
  EXPECT_TRUE(recorded_.errors.empty());

  timportdialog dialog(nullptr, QStringLiteral("Import Dialog"),
                       qtpath(folder_.path()));
  dialog.preview(qtpath(broken));
  EXPECT_EQ(dialog.summary().text().toStdString(), "File Read Error");
  dialog.preview(QString());
  EXPECT_TRUE(dialog.summary().text().isEmpty());
}

}  // namespace
}  // namespace molvane
