// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/molecular_data.h"

#include "app/tool_host.h"
#include "chemistry/inchi_identifier.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/vector3.h"
#include "qt/text_conversion.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>

namespace molvane {

namespace {

/// The drawing's arrow is ten drawing units per debye; a structure's is
/// one, as the group editor shows its structure enlarged.
constexpr double drawingarrowscale = 10.0;

}  // namespace

TMolecularData::TMolecularData(ttoolhost& host)
    : QWidget(&host.hostwindow(), Qt::Tool), host_(host) {
  setObjectName(QStringLiteral("MolecularData"));
  setWindowTitle(QStringLiteral("Molecular Data"));
  auto* grid = new QGridLayout(this);
  int row = 0;
  auto line = [this, grid, &row](const char* caption, const char* hint,
                                 const char* unit) {
    auto* value = new QLabel(this);
    value->setToolTip(QString::fromUtf8(hint));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* title = new QLabel(QString::fromUtf8(caption), this);
    title->setToolTip(value->toolTip());
    grid->addWidget(title, row, 0);
    grid->addWidget(value, row, 1);
    if (unit != nullptr) {
      grid->addWidget(new QLabel(QString::fromUtf8(unit), this), row, 2);
    }
    ++row;
    return value;
  };
  // The formula heads the window, across its columns.
  formula_ = new QLabel(this);
  formula_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(formula_, row++, 0, 1, 3);
  weight_ = line("F.W.", "Formula weight in gram moles", nullptr);
  composition_ = line("Composition ( Weight % )", "", nullptr);
  energy_ = line("P.E.", "Potential energy in Kcals", "Kcal");
  dipole_ = line("Dipole Moment",
                 "Dipole moment in debyes, from the partial charges with "
                 "bond and lone-pair increments",
                 "D");
  moments_ = line("Principal Moments of Inertia (amu-A\u00B2)", "", nullptr);
  charge_ = line("Charge", "", nullptr);
  charge_->setText(QStringLiteral("0"));
  inchikey_ = line("InChIKey",
                   "Standard InChIKey, as public databases index it", nullptr);
  valence_ = new QLabel(this);
  valence_->setObjectName(QStringLiteral("Valence"));
  valence_->setStyleSheet(QStringLiteral("color: red"));
  valence_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  valence_->hide();
  grid->addWidget(valence_, row++, 0, 1, 3);

  showdipole_ = new QCheckBox(QStringLiteral("Show Dipole Vector"), this);
  showdipole_->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(showdipole_, row, 0, 1, 2);
  ok_ = makebutton(*this, "Button1", "Ok", "");
  grid->addWidget(ok_, row, 2);
  connect(showdipole_, &QCheckBox::toggled, this, [this] { showarrow(); });
  connect(ok_, &QPushButton::clicked, this, [this] { hide(); });
  centre();
}

void TMolecularData::centre() {
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TMolecularData::open() {
  tdrawing& drawing = *session().drawing();
  drawing_.set(&drawing);
  structure_.clear();
  forstructure_ = false;
  const tmoleculardata values = moleculardata(drawing);
  fill(values, 2);
  showkey(drawing);
  origin_ = drawing.centroid();
  arrow_ = detail::times(values.dipole.vector, drawingarrowscale);
  showarrow();
  show();
  raise();
}

void TMolecularData::openfor(tStructure& structure) {
  tdrawing& drawing = *session().drawing();
  drawing_.set(&drawing);
  structure_.set(&structure);
  forstructure_ = true;
  const tmoleculardata values = moleculardata(drawing, structure);
  fill(values, 0);
  showkey(drawing);
  if (values.measured) {
    origin_ = structure.centroid();
    arrow_ = values.dipole.vector;
  }
  showarrow();
  show();
  raise();
}

void TMolecularData::fill(const tmoleculardata& values, int momentdecimals) {
  formula_->setText(qtstring(values.formula));
  weight_->setText(qtstring(values.formulaweight));
  composition_->setText(qtstring(values.composition));
  valence_->setText(qtstring(values.valence));
  valence_->setVisible(!values.valence.empty());
  if (!values.measured) {
    // Bonded to atoms outside: the other values would be the wrong
    // molecule's, and the old ones stay.
    return;
  }
  dipole_->setText(qtstring(values.dipoletext()));
  moments_->setText(qtstring(values.momentstext(momentdecimals)));
  energy_->setText(qtstring(values.energytext()));
  charge_->setText(QString::number(values.charge));
}

void TMolecularData::showkey(const tdrawing& drawing) {
  const tinchiresult inchi = standardinchi(drawing);
  inchikey_->setText(qtstring(inchi.key.empty() ? inchi.message : inchi.key));
}

void TMolecularData::showarrow() {
  tdrawing* current = session().drawing();
  if (isVisible() && drawing_.get() != current) {
    // Undo, Open or New replaced the drawing since the data were shown.
    if (forstructure_ && structure_.get() != nullptr) {
      openfor(*structure_.get());
    } else {
      open();
    }
    return;
  }
  current->dipoleorigin = origin_;
  current->dipolevector = arrow_;
  current->showdipole = showdipole_->isChecked();
  host_.repaintdrawing();
}

void TMolecularData::hideEvent(QHideEvent* event) {
  if (tdrawing* drawing = drawing_.get()) {
    drawing->showdipole = false;
  }
  host_.repaintdrawing();
  centre();
  QWidget::hideEvent(event);
}

}  // namespace molvane
