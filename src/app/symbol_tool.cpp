// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/symbol_tool.h"

#include "app/palette_pictures.h"
#include "app/tool_host.h"
#include "commands/command_table.h"
#include "qt/text_conversion.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace molvane {

namespace {

constexpr QSize picturesize(56, 32);
constexpr int columns = 4;
constexpr int screentop = 10;
constexpr int symbolhelpcontext = 128;

}  // namespace

TSymbolTool::TSymbolTool(ttoolhost& window)
    : QWidget(&window.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      window_(window) {
  setObjectName(QStringLiteral("SymbolTool"));
  setWindowTitle(QStringLiteral("Add Symbol"));
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  int index = 0;
  for (const tcommandrow& entry : commandrows(tcommandfamily::symbols)) {
    auto* button = new QToolButton(this);
    button->setObjectName(qtstring(entry.caption));
    button->setToolTip(qtstring(entry.name));
    button->setIcon(
        QIcon(QPixmap::fromImage(symbolpicture(entry.code, picturesize))));
    button->setIconSize(picturesize);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, code = entry.code] {
      window_.choosecommand(code);
      hide();
    });
    layout->addWidget(button, index / columns, index % columns);
    ++index;
  }
  const int row = (index + columns - 1) / columns;
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  connect(close, &QPushButton::clicked, this, [this] { hide(); });
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  connect(help, &QPushButton::clicked, this,
          [this] { window_.showhelp(symbolhelpcontext); });
  layout->addWidget(close, row, 0, 1, columns / 2);
  layout->addWidget(help, row, columns / 2, 1, columns / 2);
  setFixedSize(sizeHint());
}

void TSymbolTool::showpalette() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() + 1 - frameGeometry().width(), area.top() + screentop);
  }
  show();
  raise();
}

QToolButton* TSymbolTool::image(const QString& name) const {
  return findChild<QToolButton*>(name);
}

}  // namespace molvane
