// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <array>

namespace molvane {

QString helppage(int context) {
  // The Help menu's topics are 1 .. 5; the tool windows open their pages by
  // their own context numbers.
  struct tpage {
    int context;
    const char* file;
  };
  static constexpr std::array<tpage, 11> pages{{
      {1, "general.html"},
      {2, "drawing2d.html"},
      {3, "drawing3d.html"},
      {4, "nmr.html"},
      {5, "support.html"},
      {112, "reaction.html"},
      {113, "measurements.html"},
      {124, "nmrtool.html"},
      {128, "symbols.html"},
      {129, "moleculardata.html"},
      {131, "optimizer.html"},
  }};
  const char* file = pages.front().file;
  for (const tpage& page : pages) {
    if (page.context == context) {
      file = page.file;
    }
  }
  return QStringLiteral("qrc:/help/") + QString::fromLatin1(file);
}

thelpwindow::thelpwindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Molvane 3D Help"));
  resize(560, 480);
  auto* layout = new QVBoxLayout(this);
  browser_ = new QTextBrowser(this);
  browser_->setOpenLinks(true);
  layout->addWidget(browser_);
}

void thelpwindow::showtopic(int context) {
  browser_->setSource(QUrl(helppage(context)));
}

QString thelpwindow::currentpage() const {
  return browser_->source().toString();
}

}  // namespace molvane
