// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_actions.h"
#include "app/main_window.h"
#include "qt/text_conversion.h"
#include "support/shipped_data.h"

#include <QApplication>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>
#include <string_view>

namespace {

constexpr const char* usage =
    "usage: molvane3d [--datadir DIR] [FILE]\n"
    "Opens the drawing and modelling window, with FILE when given.\n"
    "  --datadir DIR  keeps settings, recent files and the taught NMR\n"
    "                 databases in DIR instead of the user's data folder\n"
    "  --help         prints this text\n"
    "  --version      prints the program's version\n";

/// Answers --help and --version before any window system is needed, so
/// they work on a machine without a display. Returns -1 to go on.
int answerquestions(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(usage, stdout);
      return 0;
    }
    if (argument == "--version") {
      std::puts("molvane3d " MOLVANE_VERSION);
      return 0;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const int status = answerquestions(argc, argv); status >= 0) {
    return status;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("molvane3d"));
  QApplication::setApplicationVersion(QStringLiteral(MOLVANE_VERSION));
  QApplication::setOrganizationName(QString());
  // Ties the window to the menu entry and its icon on Wayland.
  QGuiApplication::setDesktopFileName(QStringLiteral(MOLVANE_APP_ID));
  molvane::useshippeddatanear(
      molvane::pathof(QCoreApplication::applicationDirPath()));

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
