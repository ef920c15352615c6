// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/import_dialog.h"

#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "model/formula.h"
#include "qt/picture_export.h"
#include "qt/text_conversion.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSpinBox>
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

namespace {

/// Paints a document that was read, to fit size, with its formula.
tdocumentpreview previewof(const treadresult& result, QSize size) {
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

/// Whether the file holds MDL records, which are read one at a time and so
/// are previewed whatever the size of the file.
bool readsbyrecord(const std::filesystem::path& path) {
  const tformatrow* row = formatofpath(path);
  return row != nullptr && row->format != tfileformat::native &&
         exchangeformatoffile(path, row->format) == tfileformat::mdl;
}

}  // namespace

tdocumentpreview previewdocument(const std::filesystem::path& path,
                                 QSize size) {
  std::error_code problem;
  const std::uintmax_t bytes = std::filesystem::file_size(path, problem);
  if (problem) {
    return {QImage(), QStringLiteral("File Read Error")};
  }
  if (bytes > largestpreviewfile && !readsbyrecord(path)) {
    return {QImage(), QStringLiteral("Too large to preview")};
  }
  // The document is read and measured on its own: the current drawing and
  // its undo copies are not touched.
  return previewof(loaddocument(path, session().settings), size);
}

tdocumentpreview previewrecord(const std::filesystem::path& path,
                               const trecordindex& index, std::size_t which,
                               QSize size) {
  tdocumentpreview shown = previewof(
      readindexedrecord(path, index, which, session().settings), size);
  QString heading =
      QStringLiteral("Record %1 of %2").arg(which + 1).arg(index.count());
  if (which < index.count() && !index.titles[which].empty()) {
    heading += QStringLiteral(": ") + qtstring(index.titles[which]);
  }
  shown.text = heading + QStringLiteral("\n") + shown.text;
  return shown;
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
  records_ = new QWidget(side);
  auto* choice = new QVBoxLayout(records_);
  choice->setContentsMargins(0, 0, 0, 0);
  recordcount_ = new QLabel(records_);
  record_ = new QSpinBox(records_);
  record_->setObjectName(QStringLiteral("Record"));
  record_->setPrefix(QStringLiteral("Record "));
  loadall_ = new QCheckBox(QStringLiteral("Load all"), records_);
  choice->addWidget(recordcount_);
  choice->addWidget(record_);
  choice->addWidget(loadall_);
  records_->hide();
  column->addWidget(picture_);
  column->addWidget(records_);
  column->addWidget(summary_);
  column->addStretch();
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(side, 0, grid->columnCount(), grid->rowCount(), 1);
  }
  resize(820, 460);
  connect(this, &QFileDialog::currentChanged, this,
          [this](const QString& file) { preview(file); });
  connect(record_, &QSpinBox::valueChanged, this, [this] { showrecord(); });
  connect(loadall_, &QCheckBox::toggled, record_, &QSpinBox::setDisabled);
}

trecordchoice timportdialog::recordchoice() const {
  if (index_.count() < 2) {
    return {};
  }
  return {record_->value() - 1, loadall_->isChecked()};
}

void timportdialog::showrecord() {
  if (index_.count() < 2) {
    return;
  }
  const tdocumentpreview shown = previewrecord(
      file_, index_, static_cast<std::size_t>(record_->value() - 1),
      picture_->size() - QSize(4, 4));
  picture_->setPixmap(QPixmap::fromImage(shown.picture));
  summary_->setText(shown.text);
}

void timportdialog::preview(const QString& file) {
  const QFileInfo info(file);
  index_ = {};
  records_->hide();
  if (file.isEmpty() || !info.isFile()) {
    picture_->clear();
    summary_->clear();
    return;
  }
  file_ = pathof(file);
  if (readsbyrecord(file_) ||
      info.size() <= static_cast<qint64>(largestpreviewfile)) {
    index_ = indexrecords(file_);
  }
  if (index_.count() > 1) {
    recordcount_->setText(QStringLiteral("%1 records").arg(index_.count()));
    const QSignalBlocker quiet(record_);
    record_->setRange(1, static_cast<int>(index_.count()));
    record_->setValue(1);
    loadall_->setChecked(false);
    records_->show();
    showrecord();
    return;
  }
  const tdocumentpreview shown =
      previewdocument(file_, picture_->size() - QSize(4, 4));
  picture_->setPixmap(QPixmap::fromImage(shown.picture));
  summary_->setText(shown.text);
}

}  // namespace molvane
