// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/clipboard_actions.h"

#include "chemistry/inchi_identifier.h"
#include "commands/paste_structure.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/clipboard_payload.h"
#include "qt/picture_export.h"

#include <QApplication>
#include <QByteArray>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QString>

#include <array>
#include <utility>

namespace molvane {

namespace {

QByteArray bytesof(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::unique_ptr<QMimeData> structuremimedata(const tdrawing& drawing,
                                             std::vector<tatomnote> notes,
                                             std::string& problem) {
  std::unique_ptr<tdrawing> subject = clipboardsubject(drawing);
  if (subject->atoms.empty()) {
    problem = "Nothing to Copy";
    return nullptr;
  }
  // Notes point at the drawing's atoms; the copy has atoms of its own.
  std::vector<tatomnote> kept;
  for (tatomnote& note : notes) {
    const int index = drawing.atoms.indexof(note.atom);
    if (index >= 0 && index < drawing.atoms.count() &&
        drawing.atoms.count() == subject->atoms.count()) {
      kept.push_back({subject->atoms.items(index), std::move(note.text)});
    }
  }
  tpictureoptions options;
  options.antialiased = true;
  options.colourbyelement = session().settings.colourlabels;
  options.notes = std::move(kept);
  const QImage image = paintpicture(*subject, options, problem);
  if (image.isNull()) {
    return nullptr;
  }
  auto data = std::make_unique<QMimeData>();
  // Programs that ask the clipboard for an image get it from the image
  // data; the PNG bytes serve those that ask for the type by name.
  data->setImageData(image);
  data->setData(QStringLiteral("image/png"),
                encodepicture(*subject, tpictureformat::png, options, problem));
  const QByteArray svg =
      encodepicture(*subject, tpictureformat::svg, options, problem);
  if (!svg.isEmpty()) {
    data->setData(QStringLiteral("image/svg+xml"), svg);
  }
  const tclipboardchemistry chemistry = writeclipboardchemistry(*subject);
  data->setData(QString::fromUtf8(molfilemimetype), bytesof(chemistry.molfile));
  data->setText(QString::fromUtf8(chemistry.molfile));
  if (!chemistry.smiles.empty()) {
    data->setData(QString::fromUtf8(smilesmimetype), bytesof(chemistry.smiles));
  }
  problem.clear();
  return data;
}

void copystructure(std::vector<tatomnote> notes) {
  std::string problem;
  std::unique_ptr<QMimeData> data =
      structuremimedata(*session().drawing(), std::move(notes), problem);
  if (data == nullptr) {
    session().messages().warn(problem);
    return;
  }
  // The clipboard owns what it is given.
  QApplication::clipboard()->setMimeData(data.release());
}

void copyinchi() {
  std::unique_ptr<tdrawing> subject = clipboardsubject(*session().drawing());
  const tinchiresult inchi = standardinchi(*subject);
  if (inchi.inchi.empty()) {
    session().messages().warn("Copy InChI: " + inchi.message);
    return;
  }
  QApplication::clipboard()->setText(QString::fromUtf8(inchi.inchi));
}

bool pastemimedata(const QMimeData& data) {
  const std::array<const char*, 3> chemistry{molfilemimetype, cmlmimetype,
                                             smilesmimetype};
  for (const char* type : chemistry) {
    const QString name = QString::fromUtf8(type);
    if (data.hasFormat(name)) {
      const QByteArray bytes = data.data(name);
      return pastestructure(
          type, std::string_view(bytes.constData(),
                                 static_cast<std::size_t>(bytes.size())));
    }
  }
  const QByteArray text = data.text().toUtf8();
  return pastestructure(
      plaintextmimetype,
      std::string_view(text.constData(),
                       static_cast<std::size_t>(text.size())));
}

bool pasteclipboard() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (data == nullptr) {
    session().messages().error("Paste: the clipboard is empty");
    return false;
  }
  return pastemimedata(*data);
}

}  // namespace molvane
