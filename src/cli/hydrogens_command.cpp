// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/hydrogens_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "cli/record_batch.h"
#include "commands/file_commands.h"
#include "commands/hydrogen_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"

#include <atomic>
#include <optional>
#include <string_view>
#include <utility>

namespace molvane {

namespace {

constexpr const char* usage =
    "usage: hydrogens --2d|--3d|--remove IN OUT [--jobs N]";

struct tmode {
  std::string_view flag;
  thydrogencommand command;
};

constexpr tmode modes[] = {{"--2d", thydrogencommand::add2d},
                           {"--3d", thydrogencommand::add3d},
                           {"--remove", thydrogencommand::remove}};

std::optional<tmode> modeof(std::string_view argument) {
  for (const tmode& mode : modes) {
    if (mode.flag == argument) {
      return mode;
    }
  }
  return std::nullopt;
}

/// Every record of an SD file to an SD file.
tclioutcome hydrogensofrecords(const tclioptions& options,
                               const std::vector<std::string>& paths,
                               const tmode& mode, int jobs) {
  const bool removed = mode.command == thydrogencommand::remove;
  std::atomic<int> count{0};
  return changerecordsfor(
      options, paths[0], paths[1], jobs,
      [&](tdrawing& drawing) {
        count += applyhydrogencommand(drawing, mode.command);
        return std::string();
      },
      [&](tjsonobject& json) {
        json.addtext("mode", mode.flag.substr(2));
        json.addinteger(removed ? "removed" : "added", count.load());
      },
      [&](int records) {
        return std::string(removed ? "Removed " : "Added ") +
               std::to_string(count.load()) +
               (count == 1 ? " hydrogen" : " hydrogens") + " in " +
               std::to_string(records) + " records, wrote " + paths[1] + "\n";
      });
}

}  // namespace

tclioutcome hydrogenscommand(const tclioptions& options,
                             const std::vector<std::string>& command) {
  std::vector<std::string> arguments = command;
  int jobs = 1;
  if (std::string problem = takejobs(arguments, jobs); !problem.empty()) {
    return failure(problem);
  }
  std::optional<tmode> mode;
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (std::optional<tmode> given = modeof(arguments[i])) {
      if (mode) {
        return failure(usage);
      }
      mode = given;
    } else {
      paths.push_back(arguments[i]);
    }
  }
  if (!mode || paths.size() != 2) {
    return failure(usage);
  }
  if (holdsseveralrecords(paths[0]) && writesrecords(paths[1])) {
    return hydrogensofrecords(options, paths, *mode, jobs);
  }
  if (std::string problem = openinput(paths[0]); !problem.empty()) {
    return failure(problem);
  }
  int count = runhydrogencommand(mode->command);
  std::string written = exportdocument(*session().drawing(), paths[1]);
  if (!written.empty()) {
    return failure(written);
  }
  bool removed = mode->command == thydrogencommand::remove;
  if (options.json) {
    tjsonobject json;
    json.addtext("input", paths[0]);
    json.addtext("output", paths[1]);
    json.addtext("mode", mode->flag.substr(2));
    json.addinteger(removed ? "removed" : "added", count);
    return {0, json.text() + "\n", ""};
  }
  std::string text = removed ? "Removed " : "Added ";
  text += std::to_string(count) + (count == 1 ? " hydrogen" : " hydrogens");
  return {0, text + ", wrote " + paths[1] + "\n", ""};
}

}  // namespace molvane
