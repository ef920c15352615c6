// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_dialog.h"

#include "app/settings_actions.h"
#include "document/session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <span>

namespace molvane {

namespace {

int indexof(std::span<const int> values, int value) {
  const auto found = std::find(values.begin(), values.end(), value);
  return found == values.end()
             ? 0
             : static_cast<int>(std::distance(values.begin(), found));
}

}  // namespace

tsettingsdialog::tsettingsdialog(QWidget* parent, tsettingsactions& actions)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Settings"));
  auto* layout = new QFormLayout(this);
  const tsettings& settings = session().settings;
  auto addchoice = [this, layout](const QString& label,
                                  const QStringList& items, int current,
                                  auto apply) {
    auto* box = new QComboBox(this);
    box->addItems(items);
    box->setCurrentIndex(current);
    layout->addRow(label, box);
    connect(box, &QComboBox::currentIndexChanged, this, apply);
  };
  addchoice(QStringLiteral("Line"),
            {QStringLiteral("  0"), QStringLiteral("  1"),
             QStringLiteral("  2"), QStringLiteral("  3")},
            settings.linewidthcode,
            [&actions](int index) { actions.setlinewidth(index); });
  addchoice(
      QStringLiteral("Scale"),
      {QStringLiteral("40"), QStringLiteral("60"), QStringLiteral("80"),
       QStringLiteral("100"), QStringLiteral("120"), QStringLiteral("140"),
       QStringLiteral("160"), QStringLiteral("180"), QStringLiteral("200")},
      std::clamp((settings.bondlength - 12) / 6, 0, 8),
      [&actions](int index) { actions.setscale(index); });
  constexpr std::array<int, 5> jumps{2, 4, 8, 16, 32};
  addchoice(QStringLiteral("Jump"),
            {QStringLiteral(" 2"), QStringLiteral(" 4"), QStringLiteral(" 8"),
             QStringLiteral(" 16"), QStringLiteral(" 32")},
            indexof(jumps, settings.horizontalstep),
            [&actions](int index) { actions.setjump(index); });
  constexpr std::array<int, 8> spacings{2, 3, 4, 5, 6, 7, 8, 10};
  addchoice(QStringLiteral("Double Bond"),
            {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
             QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
             QStringLiteral("8"), QStringLiteral("10")},
            indexof(spacings, settings.doublebondspacing),
            [&actions](int index) { actions.setdoublebond(index); });
  constexpr std::array<int, 6> nuclei{0, 1, 6, 7, 9, 15};
  addchoice(
      QStringLiteral("NMR"),
      {QStringLiteral("None"), QStringLiteral("H-1"), QStringLiteral("C-13"),
       QStringLiteral("N-15"), QStringLiteral("F-19"), QStringLiteral("P-31")},
      indexof(nuclei, settings.nmrnucleus),
      [&actions](int index) { actions.setnmr(index); });
  auto addswitch = [this, layout](const QString& label, bool current,
                                  auto apply) {
    auto* box = new QCheckBox(label, this);
    box->setChecked(current);
    layout->addRow(box);
    connect(box, &QCheckBox::toggled, this, apply);
  };
  addswitch(QStringLiteral("Colour labels by element"), settings.colourlabels,
            [&actions](bool on) { actions.setcolourlabels(on); });
  addswitch(QStringLiteral("Smooth lines and text"), settings.smoothscreen,
            [&actions](bool on) { actions.setsmoothscreen(on); });
  auto* font = new QPushButton(QStringLiteral("Font"), this);
  connect(font, &QPushButton::clicked, this,
          [this, &actions] { actions.choosefont(this); });
  auto* done = new QPushButton(QStringLiteral("Done"), this);
  connect(done, &QPushButton::clicked, this, &QDialog::accept);
  layout->addRow(font, done);
}

}  // namespace molvane
