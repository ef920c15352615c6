// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/build_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "commands/command_table.h"
#include "commands/dispatcher.h"
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "support/number_text.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace molvane {

namespace {

constexpr const char* buildusage =
    "usage: build OUT CODE@X,Y ... [--in FILE] [--3d]";

struct tclick {
  int code = 0;
  double x = 0.0;
  double y = 0.0;
};

/// "CODE@X,Y", for example "151@100,120" or "543@40.5,-3".
std::optional<tclick> parseclick(const std::string& text) {
  const std::size_t at = text.find('@');
  if (at == std::string::npos) {
    return std::nullopt;
  }
  const std::size_t comma = text.find(',', at + 1);
  if (comma == std::string::npos) {
    return std::nullopt;
  }
  std::optional<long> code = parseinteger(std::string_view(text).substr(0, at));
  std::optional<double> x =
      parsereal(std::string_view(text).substr(at + 1, comma - at - 1));
  std::optional<double> y = parsereal(std::string_view(text).substr(comma + 1));
  if (!code || !x || !y || *code < 0 ||
      *code > std::numeric_limits<std::uint16_t>::max()) {
    return std::nullopt;
  }
  return tclick{static_cast<int>(*code), *x, *y};
}

}  // namespace

tclioutcome buildcommand(const tclioptions& options,
                         const std::vector<std::string>& arguments) {
  std::string input;
  bool build3d = false;
  std::vector<std::string> positional;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--in") {
      if (i + 1 >= arguments.size()) {
        return failure(buildusage);
      }
      input = arguments[++i];
    } else if (arguments[i] == "--3d") {
      build3d = true;
    } else {
      positional.push_back(arguments[i]);
    }
  }
  if (positional.empty()) {
    return failure(buildusage);
  }
  std::vector<tclick> clicks;
  for (std::size_t i = 1; i < positional.size(); ++i) {
    std::optional<tclick> click = parseclick(positional[i]);
    if (!click) {
      return failure("bad click \"" + positional[i] +
                     "\": expected CODE@X,Y with CODE 0 .. 65535");
    }
    // A code that builds nothing would save the drawing unchanged and
    // still report success.
    const tcommandrow* row = findcommand(click->code);
    if (row == nullptr || row->handler == nullptr) {
      return failure("bad click \"" + positional[i] + "\": code " +
                     std::to_string(click->code) + " builds nothing");
    }
    clicks.push_back(*click);
  }

  if (input.empty()) {
    session().newdrawing();
  } else {
    if (std::string problem = openinput(input); !problem.empty()) {
      return failure(problem);
    }
  }
  session().settings.build3d = build3d;
  tcommandstate state;
  for (const tclick& click : clicks) {
    state.commandcode = static_cast<std::uint16_t>(click.code);
    runcommand(click.x, click.y, state.commandcode, state);
  }

  const std::string& output = positional.front();
  std::string written = exportdocument(*session().drawing(), output);
  if (!written.empty()) {
    return failure(written);
  }
  const tdrawing& drawing = *session().drawing();
  if (options.json) {
    tjsonobject json;
    json.addtext("output", output);
    json.addinteger("clicks", static_cast<long>(clicks.size()));
    json.addinteger("atoms", drawing.atoms.countchemical());
    json.addinteger("bonds", drawing.bonds.countchemical());
    json.addinteger("structures", drawing.structures.count());
    return {0, json.text() + "\n", ""};
  }
  return {0, "Wrote " + output + "\n", ""};
}

}  // namespace molvane
