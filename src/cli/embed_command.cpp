// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/embed_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "cli/record_batch.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "mechanics/embedding.h"
#include "support/number_text.h"

#include <chrono>
#include <optional>

namespace molvane {

namespace {

constexpr const char* usage =
    "usage: embed IN OUT [--conformers N] [--seed S] [--jobs N]";
/// More conformers than this would only take time.
constexpr long mostconformers = 1000;

/// Every record of an SD file to an SD file, each with the same seed, so
/// that a record's model does not depend on the thread that built it.
tclioutcome embedrecords(const tclioptions& options,
                         const std::vector<std::string>& positional,
                         const tembedsettings& settings, int jobs) {
  return changerecordsfor(
      options, positional[0], positional[1], jobs,
      [&settings](tdrawing& drawing) {
        return embedmolecule(drawing, settings).error;
      },
      [&settings](tjsonobject& json) {
        json.addinteger("conformers", settings.conformers);
      },
      [&positional](int records) {
        return "Built 3D models of " + std::to_string(records) +
               " records\nWrote " + positional[1] + "\n";
      });
}

}  // namespace

tclioutcome embedcommand(const tclioptions& options,
                         const std::vector<std::string>& command) {
  std::vector<std::string> arguments = command;
  int jobs = 1;
  if (std::string problem = takejobs(arguments, jobs); !problem.empty()) {
    return failure(problem);
  }
  std::vector<std::string> positional;
  tembedsettings settings;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word.rfind("--", 0) != 0) {
      positional.push_back(word);
      continue;
    }
    if (word != "--conformers" && word != "--seed") {
      return failure("unknown option " + word + "\n" + usage);
    }
    if (i + 1 >= arguments.size()) {
      return failure(word + " needs a value");
    }
    const std::string& value = arguments[++i];
    const std::optional<long> number = parseinteger(value);
    if (word == "--conformers") {
      if (!number || *number < 1 || *number > mostconformers) {
        return failure("--conformers needs a whole number from 1 to " +
                       std::to_string(mostconformers) + ", not \"" + value +
                       "\"");
      }
      settings.conformers = static_cast<int>(*number);
    } else {
      if (!number || *number < 0) {
        return failure("--seed needs a whole number of 0 or more, not \"" +
                       value + "\"");
      }
      settings.seed = static_cast<std::uint64_t>(*number);
    }
  }
  if (positional.size() != 2) {
    return failure(usage);
  }
  if (holdsseveralrecords(positional[0]) && writesrecords(positional[1])) {
    return embedrecords(options, positional, settings, jobs);
  }
  if (std::string problem = openinput(positional[0]); !problem.empty()) {
    return failure(problem);
  }
  const auto start = std::chrono::steady_clock::now();
  tdrawing& drawing = *session().drawing();
  const tembedresult result = embedmolecule(drawing, settings);
  if (!result.error.empty()) {
    return failure(result.error);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  if (std::string written = exportdocument(drawing, positional[1]);
      !written.empty()) {
    return failure(written);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("input", positional[0]);
    json.addtext("output", positional[1]);
    json.addinteger("conformers", settings.conformers);
    json.addinteger("hydrogens", result.hydrogens);
    json.addinteger("startclashes", result.startclashes);
    json.addreal("energykcal", result.energykcal, 4);
    json.addinteger("unheld", result.unheld);
    json.addreal("seconds", seconds, 3);
    json.addtext("warning", result.warning);
    return {0, json.text() + "\n", ""};
  }
  return {0,
          (result.warning.empty() ? "" : "Warning: " + result.warning + "\n") +
              "Built a 3D model, " + formatfixed(result.energykcal, 4) +
              " kcal/mol, " + std::to_string(result.hydrogens) +
              (result.hydrogens == 1 ? " hydrogen" : " hydrogens") +
              " added, in " + formatfixed(seconds, 3) + " s\nWrote " +
              positional[1] + "\n",
          ""};
}

}  // namespace molvane
