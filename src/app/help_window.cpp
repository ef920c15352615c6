// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <array>

namespace molvane {

QString helppage(int context) {
  static constexpr std::array<const char*, 5> pages{
      "general.html", "drawing2d.html", "drawing3d.html", "nmr.html",
      "support.html"};
  const int index = context >= 1 && context <= 5 ? context - 1 : 0;
  return QStringLiteral("qrc:/help/") +
         QString::fromLatin1(pages[static_cast<std::size_t>(index)]);
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
