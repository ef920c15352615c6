// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/record_choice.h"
#include "io/record_index.h"

#include <QFileDialog>
#include <QImage>
#include <QSize>
#include <QString>

#include <filesystem>

class QCheckBox;
class QLabel;
class QSpinBox;

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

/// The preview of record which (0-based) of an indexed file, its text
/// headed "Record 3 of 16: TITLE".
tdocumentpreview previewrecord(const std::filesystem::path& path,
                               const trecordindex& index, std::size_t which,
                               QSize size);

/// The file dialog of Open and Import: beside the files it shows a picture
/// of the selected document with its formula.
class timportdialog final : public QFileDialog {
 public:
  timportdialog(QWidget* parent, const QString& title, const QString& folder);

  /// Shows the preview of file (an empty name clears it). A file of
  /// several records shows how many there are and offers to pick one or
  /// to load them all.
  void preview(const QString& file);
  const QLabel& picture() const { return *picture_; }
  const QLabel& summary() const { return *summary_; }
  QSpinBox& record() const { return *record_; }
  QCheckBox& loadall() const { return *loadall_; }
  const QLabel& recordcount() const { return *recordcount_; }
  /// The records chosen for the selected file.
  trecordchoice recordchoice() const;

 private:
  void showrecord();

  QLabel* picture_ = nullptr;
  QLabel* summary_ = nullptr;
  QWidget* records_ = nullptr;
  QLabel* recordcount_ = nullptr;
  QSpinBox* record_ = nullptr;
  QCheckBox* loadall_ = nullptr;
  std::filesystem::path file_;
  trecordindex index_;
};

}  // namespace molvane
