// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QSpinBox>

namespace molvane {

namespace {

/// A spin box whose lowest value, 0, shows text instead.
QSpinBox* spinbox(QDialog& dialog, int highest, int value,
                  const QString& zero) {
  auto* box = new QSpinBox(&dialog);
  box->setRange(0, highest);
  box->setValue(value);
  box->setSpecialValueText(zero);
  return box;
}

}  // namespace

std::optional<tpicturechoice> askpicture(QWidget* parent, const QString& start,
                                         const tpictureoptions& initial) {
  const QString name = QFileDialog::getSaveFileName(
      parent, QStringLiteral("Export Picture"), start,
      QStringLiteral("Pictures (*.png *.svg *.bmp *.jpg *.jpeg)"));
  if (name.isEmpty()) {
    return std::nullopt;
  }
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Export Picture"));
  auto* layout = new QFormLayout(&dialog);
  const QString free = QStringLiteral("free");
  QSpinBox* width = spinbox(dialog, largestpicture, initial.fitwidth, free);
  QSpinBox* height = spinbox(dialog, largestpicture, initial.fitheight, free);
  auto* scale = new QDoubleSpinBox(&dialog);
  scale->setRange(0.1, 100.0);
  scale->setValue(initial.scale);
  QSpinBox* dpi =
      spinbox(dialog, 4800, initial.dpi, QStringLiteral("screen (96)"));
  auto* colour = new QCheckBox(QStringLiteral("Colour labels by element"));
  colour->setChecked(initial.colourbyelement);
  auto* smooth = new QCheckBox(QStringLiteral("Smooth lines and text"));
  smooth->setChecked(initial.antialiased);
  layout->addRow(QStringLiteral("Fit width (pixels)"), width);
  layout->addRow(QStringLiteral("Fit height (pixels)"), height);
  layout->addRow(QStringLiteral("Scale (without a fit)"), scale);
  layout->addRow(QStringLiteral("Print resolution (dpi)"), dpi);
  layout->addRow(colour);
  layout->addRow(smooth);
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog,
                   &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog,
                   &QDialog::reject);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  tpicturechoice choice{name, initial};
  choice.options.fitwidth = width->value();
  choice.options.fitheight = height->value();
  choice.options.scale = scale->value();
  choice.options.dpi = dpi->value();
  choice.options.colourbyelement = colour->isChecked();
  choice.options.antialiased = smooth->isChecked();
  return choice;
}

}  // namespace molvane
