// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/import_dialog.h"

#include "document/drawing.h"
#include "io/document_files.h"
#include "model/formula.h"
#include "qt/picture_export.h"
#include "qt/text_conversion.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include <string>
#include <system_error>

namespace molvane {
namespace {

constexpr QSize previewsize(220, 220);

}  // namespace

QString openfilters() {
  return QStringLiteral(
      "Documents (*.mlv *.MLV *.mdl *.MDL *.mol *.MOL *.sdf *.SDF *.sd *.xml "
      "*.XML *.cml *.CML *.rxn *.RXN *.smi *.SMI);;ALL (*)");
}

tdocumentpreview previewdocument(const std::filesystem::path& path,
                                 QSize size) {
  std::error_code problem;
  const std::uintmax_t bytes = std::filesystem::file_size(path, problem);
  if (problem) {
    return {QImage(), QStringLiteral("File Read Error")};
  }
  if (bytes > largestpreviewfile) {
    return {QImage(), QStringLiteral("Too large to preview")};
  }
  // The document is read and measured on its own: the current drawing and
  // its undo copies are not touched.
  treadresult result = loaddocument(path);
  if (!result.drawing) {
    return {QImage(), QStringLiteral("File Read Error")};
  }
  tdrawing& drawing = *result.drawing;
  QString text =
      qtstring(hillformula(drawing)) + QStringLiteral("\n%1 atoms, %2 bonds")
                                           .arg(drawing.atoms.count())
                                           .arg(drawing.bonds.count());
  std::string error;
  tpictureoptions options;
  options.antialiased = true;
  QImage picture = paintpicture(drawing, options, error);
  if (picture.isNull()) {
    return {QImage(), drawing.atoms.count() == 0
                          ? QStringLiteral("Empty drawing")
                          : text};
  }
  if (picture.width() > size.width() || picture.height() > size.height()) {
    picture =
        picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return {picture, text};
}

timportdialog::timportdialog(QWidget* parent, const QString& title,
                             const QString& folder)
    : QFileDialog(parent, title, folder, openfilters()) {
  // The preview needs the dialog's own layout; the desktop's dialog has
  // no room for it.
  setOption(QFileDialog::DontUseNativeDialog);
  setFileMode(QFileDialog::ExistingFile);
  auto* side = new QWidget(this);
  auto* column = new QVBoxLayout(side);
  picture_ = new QLabel(side);
  picture_->setObjectName(QStringLiteral("Preview"));
  picture_->setFixedSize(previewsize);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setStyleSheet(
      QStringLiteral("background: white; border: 1px solid gray"));
  summary_ = new QLabel(side);
  summary_->setObjectName(QStringLiteral("PreviewText"));
  summary_->setWordWrap(true);
  summary_->setMaximumWidth(previewsize.width());
  column->addWidget(picture_);
  column->addWidget(summary_);
  column->addStretch();
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(side, 0, grid->columnCount(), grid->rowCount(), 1);
  }
  resize(820, 460);
  connect(this, &QFileDialog::currentChanged, this,
          [this](const QString& file) { preview(file); });
}

void timportdialog::preview(const QString& file) {
  const QFileInfo info(file);
  if (file.isEmpty() || !info.isFile()) {
    picture_->clear();
    summary_->clear();
    return;
  }
  const tdocumentpreview shown =
      previewdocument(pathof(file), picture_->size() - QSize(4, 4));
  picture_->setPixmap(QPixmap::fromImage(shown.picture));
  summary_->setText(shown.text);
}

}  // namespace molvane
