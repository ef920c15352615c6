// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "document/session.h"
#include "qt/text_conversion.h"
#include "support/shipped_data.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

/// Prints what core code reports; nobody is there to answer questions.
class tconsolemessages final : public molvane::tmessages {
 public:
  void inform(const std::string& text) override { print(text); }
  void warn(const std::string& text) override { print(text); }
  void error(const std::string& text) override { print(text); }
  bool confirm(const std::string&) override { return false; }

 private:
  static void print(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
};

/// Qt's notices (a missing runtime folder and the like) would break the
/// rule of one line on error; only its critical messages get through.
void printqtmessage(QtMsgType type, const QMessageLogContext&,
                    const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  }
}

/// Whether the command may paint a picture: only those need fonts, and so a
/// GUI application, whose platform and font set-up costs more than most
/// commands take.
bool paints(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--datadir") {
      ++i;
    } else if (argument.substr(0, 1) != "-") {
      return argument == "render" || argument == "convert";
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // A batch tool has no window, so pictures are painted on the offscreen
  // platform unless told otherwise. Qt sees only the program name, never
  // the user's arguments.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  qInstallMessageHandler(printqtmessage);
  int qtargc = 1;
  char* qtargv[] = {argv[0], nullptr};
  std::unique_ptr<QCoreApplication> application =
      paints(argc, argv) ? std::make_unique<QGuiApplication>(qtargc, qtargv)
                         : std::make_unique<QCoreApplication>(qtargc, qtargv);
  molvane::useshippeddatanear(
      molvane::pathof(QCoreApplication::applicationDirPath()));
  // Qt takes the user's locale for the whole process; numbers in files and
  // output must not pick up a decimal comma from it.
  std::setlocale(LC_NUMERIC, "C");
  molvane::tclioptions options;
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--json") {
      options.json = true;
    } else if (argument == "--datadir" && i + 1 < argc) {
      options.datadir = argv[++i];
    } else if (argument == "--help" || argument == "-h") {
      std::fputs(molvane::cliusage().c_str(), stdout);
      return 0;
    } else if (argument == "--version") {
      std::puts("molvane3d-cli " MOLVANE_VERSION);
      return 0;
    } else {
      arguments.emplace_back(argument);
    }
  }
  tconsolemessages messages;
  molvane::session().setmessages(&messages);
  molvane::tclioutcome outcome = molvane::runclicommand(options, arguments);
  molvane::session().setmessages(nullptr);
  if (outcome.status != 0) {
    std::fprintf(stderr, "%s\n", outcome.error.c_str());
    return outcome.status;
  }
  std::fputs(outcome.output.c_str(), stdout);
  if (outcome.rest) {
    outcome.rest(stdout);
  }
  return 0;
}
