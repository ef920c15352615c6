// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_dialog.h"

#include "app/main_window.h"
#include "document/session.h"
#include "qt/font_mapping.h"
#include "qt/text_conversion.h"

#include <QComboBox>
#include <QFont>
#include <QFormLayout>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <optional>

namespace molvane {

namespace {

int indexof(std::span<const int> values, int value) {
  const auto found = std::find(values.begin(), values.end(), value);
  return found == values.end()
             ? 0
             : static_cast<int>(std::distance(values.begin(), found));
}

}  // namespace

tsettingsdialog::tsettingsdialog(TMolvane3D& window) : QDialog(&window) {
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
            [&window](int index) { window.setlinewidth(index); });
  addchoice(
      QStringLiteral("Scale"),
      {QStringLiteral("40"), QStringLiteral("60"), QStringLiteral("80"),
       QStringLiteral("100"), QStringLiteral("120"), QStringLiteral("140"),
       QStringLiteral("160"), QStringLiteral("180"), QStringLiteral("200")},
      std::clamp((settings.bondlength - 12) / 6, 0, 8),
      [&window](int index) { window.setscale(index); });
  constexpr std::array<int, 5> jumps{2, 4, 8, 16, 32};
  addchoice(QStringLiteral("Jump"),
            {QStringLiteral(" 2"), QStringLiteral(" 4"), QStringLiteral(" 8"),
             QStringLiteral(" 16"), QStringLiteral(" 32")},
            indexof(jumps, settings.horizontalstep),
            [&window](int index) { window.setjump(index); });
  constexpr std::array<int, 8> spacings{2, 3, 4, 5, 6, 7, 8, 10};
  addchoice(QStringLiteral("Double Bond"),
            {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
             QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
             QStringLiteral("8"), QStringLiteral("10")},
            indexof(spacings, settings.doublebondspacing),
            [&window](int index) { window.setdoublebond(index); });
  constexpr std::array<int, 6> nuclei{0, 1, 6, 7, 9, 15};
  addchoice(
      QStringLiteral("NMR"),
      {QStringLiteral("None"), QStringLiteral("H-1"), QStringLiteral("C-13"),
       QStringLiteral("N-15"), QStringLiteral("F-19"), QStringLiteral("P-31")},
      indexof(nuclei, settings.nmrnucleus),
      [&window](int index) { window.setnmr(index); });
  auto* font = new QPushButton(QStringLiteral("Font"), this);
  connect(font, &QPushButton::clicked, this, [&window] { choosefont(window); });
  auto* done = new QPushButton(QStringLiteral("Done"), this);
  connect(done, &QPushButton::clicked, this, [this, &window] {
    window.savedefaults();
    window.repaintdrawing();
    accept();
  });
  layout->addRow(font, done);
}

void tsettingsdialog::choosefont(TMolvane3D& window) {
  fontrecord& record = session().settings.labelfont;
  const std::optional<QFont> font =
      window.dialogs().font(&window, qtfontof(record, true));
  if (!font) {
    return;
  }
  record = fontrecordof(*font, record);
  window.savedefaults();
  window.repaintdrawing();
}

}  // namespace molvane
