// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_actions.h"
#include "app/main_window.h"
#include "qt/text_conversion.h"

#include <QApplication>
#include <QStandardPaths>
#include <QStringList>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("molvane3d"));
  QApplication::setOrganizationName(QString());

  QString folder;
  QString document;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--datadir") &&
        i + 1 < arguments.size()) {
      folder = arguments[++i];
    } else {
      document = arguments[i];
    }
  }
  if (folder.isEmpty()) {
    folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  }
  molvane::TMolvane3D window(molvane::pathof(folder));
  window.show();
  if (!document.isEmpty()) {
    window.files().openfile(document);
  }
  return QApplication::exec();
}
