// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_dialogs.h"

#include "app/import_dialog.h"
#include "app/settings_dialog.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "qt/text_conversion.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace molvane {

namespace {

class tcommentsdialog final : public QDialog {
 public:
  explicit tcommentsdialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Comments"));
    const tdrawing& drawing = *session().drawing();
    auto* layout = new QFormLayout(this);
    title_ = addfield(*layout, QStringLiteral("Title"), drawing.title());
    author_ = addfield(*layout, QStringLiteral("Author"), drawing.author());
    notes_ = addfield(*layout, QStringLiteral("Notes"), drawing.notes());
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  }
  void store() const {
    tdrawing& drawing = *session().drawing();
    drawing.settitle(utf8string(title_->text()));
    drawing.setauthor(utf8string(author_->text()));
    drawing.setnotes(utf8string(notes_->text()));
  }

 private:
  QLineEdit* addfield(QFormLayout& layout, const QString& label,
                      const std::string& text) {
    auto* field = new QLineEdit(qtstring(text), this);
    field->setMaxLength(static_cast<int>(tdrawing::commentsize));
    layout.addRow(label, field);
    return field;
  }
  QLineEdit* title_ = nullptr;
  QLineEdit* author_ = nullptr;
  QLineEdit* notes_ = nullptr;
};

}  // namespace

QString savefilters() {
  return QStringLiteral(
      "Molvane (*.MLV *.mlv);;Molvane + XYZ (*.MLV *.XYZ *.mlv *.xyz);;"
      "Molvane + Bitmap (*.MLV *.BMP *.mlv *.bmp);;"
      "Molvane + JPEG (*.MLV *.JPEG *.mlv *.jpeg);;"
      "Molvane + CML (XML) (*.MLV *.XML *.mlv *.xml);;"
      "Molvane + MDL (*.MLV *.MDL *.mlv *.mdl);;ALL (*)");
}

std::optional<tdialogs::topenchoice> tdialogs::openname(QWidget* parent,
                                                        const QString& title) {
  timportdialog dialog(parent, title, startfolder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().empty()) {
    return std::nullopt;
  }
  return topenchoice{dialog.selectedFiles().front(), dialog.recordchoice()};
}

std::optional<tdialogs::tsavechoice> tdialogs::savename(QWidget* parent,
                                                        const QString& start) {
  QFileDialog dialog(parent, QStringLiteral("Save"), start, savefilters());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("MLV"));
  // The question about replacing a file is asked below, about the file
  // that is written rather than the name typed.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(start);
  // Every filter writes the native document: a changed filter shows the
  // name that will be written.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog] {
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.empty()) {
      dialog.selectFile(
          qtpath(documentnames(pathof(chosen.front())).native.filename()));
    }
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().empty()) {
    return std::nullopt;
  }
  const QString native =
      qtpath(documentnames(pathof(dialog.selectedFiles().front())).native);
  if (QFileInfo::exists(native) &&
      QMessageBox::question(
          parent, QStringLiteral("Save"),
          QStringLiteral("%1 already exists.\nDo you want to replace it?")
              .arg(QFileInfo(native).fileName())) != QMessageBox::Yes) {
    return std::nullopt;
  }
  const QStringList filters = savefilters().split(QStringLiteral(";;"));
  const int index =
      static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return tsavechoice{native, std::max(index, 1)};
}

bool tdialogs::print(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool tdialogs::comments(QWidget* parent) {
  tcommentsdialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  dialog.store();
  return true;
}

std::optional<QFont> tdialogs::font(QWidget* parent, const QFont& start) {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, start, parent);
  if (!chosen) {
    return std::nullopt;
  }
  return font;
}

void tdialogs::settings(QWidget* parent, tsettingsactions& actions) {
  tsettingsdialog dialog(parent, actions);
  dialog.exec();
}

std::optional<tpicturechoice> tdialogs::picture(
    QWidget* parent, const QString& start, const tpictureoptions& initial) {
  return askpicture(parent, start, initial);
}

}  // namespace molvane
