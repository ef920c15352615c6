// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "document/session.h"

#include <cstdio>
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

}  // namespace

int main(int argc, char** argv) {
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
  return 0;
}
