// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/import_dialog.h"

#include "document/drawing.h"
#include "io/atomic_file.h"
#include "qt/text_conversion.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <memory>
#include <vector>

namespace molvane {
namespace {

class ImportPreview : public testing::tdrawingtest {
 protected:
  testing::ttemporaryfolder folder_;
  testing::trecordingmessages messages_;
};

TEST_F(ImportPreview, ShowsTheDocumentAndLeavesTheSessionAlone) {
  session().setmessages(&messages_);
  tatm* kept = atom(6, 10, 10);
  const tdrawing* current = session().drawing();
  const tdrawing* undo = session().undodrawing();

  const std::filesystem::path sample =
      std::filesystem::path(MOLVANE_SOURCE_DIR) / "examples" / "sample.mlv";
  const tdocumentpreview shown = previewdocument(sample, QSize(200, 150));
  EXPECT_FALSE(shown.picture.isNull());
  EXPECT_LE(shown.picture.width(), 200);
  EXPECT_LE(shown.picture.height(), 150);
  EXPECT_TRUE(shown.text.contains(QStringLiteral("atoms")))
      << shown.text.toStdString();

  EXPECT_EQ(session().drawing(), current);
  EXPECT_EQ(session().undodrawing(), undo);
  EXPECT_EQ(current->atoms.count(), 1);
  EXPECT_EQ(current->atoms.items(0), kept);
  EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(ImportPreview, ReportsFilesItCannotShowWithoutAMessageBox) {
  session().setmessages(&messages_);
  const std::filesystem::path broken = folder_.path() / "broken.mlv";
  const std::vector<std::uint8_t> junk(300, 0x7f);
  ASSERT_TRUE(writefileatomically(broken, junk).empty());
  EXPECT_EQ(previewdocument(broken, QSize(100, 100)).text.toStdString(),
            "File Read Error");
  EXPECT_EQ(previewdocument(folder_.path() / "missing.mlv", QSize(100, 100))
                .text.toStdString(),
            "File Read Error");
  EXPECT_TRUE(messages_.errors.empty());

  timportdialog dialog(nullptr, QStringLiteral("Import Dialog"),
                       qtpath(folder_.path()));
  dialog.preview(qtpath(broken));
  EXPECT_EQ(dialog.summary().text().toStdString(), "File Read Error");
  dialog.preview(QString());
  EXPECT_TRUE(dialog.summary().text().isEmpty());
}

}  // namespace
}  // namespace molvane
