// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>
#include <QImage>
#include <QSize>
#include <QString>

#include <filesystem>

class QLabel;

namespace molvane {

/// The name filters of the Open and Import dialog.
QString openfilters();

/// What the dialog shows of a document before it is opened.
struct tdocumentpreview {
  /// The drawing painted to fit the preview; null when there is none.
  QImage picture;
  /// Its Hill formula with the counts of atoms and bonds, or why it could
  /// not be read.
  QString text;
};

/// Files larger than this are not read just to be previewed.
inline constexpr std::uintmax_t largestpreviewfile = 32U << 20U;

/// Reads the document at path in a scratch session of its own, so that the
/// current drawing, its undo copies and the messages of the program are
/// left alone, and paints it to fit size.
tdocumentpreview previewdocument(const std::filesystem::path& path, QSize size);

/// The file dialog of Open and Import: beside the files it shows a picture
/// of the selected document with its formula.
class timportdialog final : public QFileDialog {
 public:
  timportdialog(QWidget* parent, const QString& title, const QString& folder);

  /// Shows the preview of file (an empty name clears it).
  void preview(const QString& file);
  const QLabel& picture() const { return *picture_; }
  const QLabel& summary() const { return *summary_; }

 private:
  QLabel* picture_ = nullptr;
  QLabel* summary_ = nullptr;
};

}  // namespace molvane
