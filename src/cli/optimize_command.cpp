// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/optimize_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "cli/record_batch.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "mechanics/force_field_parameters.h"
#include "mechanics/optimizer.h"
#include "support/number_text.h"

#include <cmath>
#include <optional>
#include <utility>

namespace molvane {

namespace {

constexpr const char* usage =
    "usage: optimize IN OUT [--method normal|refine|anneal|global|random|"
    "molecules|molecules-anneal] [--tolerance CAL] [--jump ANGSTROM] "
    "[--temp T] [--seed S] [--max-seconds S] [--gradient KCAL] "
    "[--no-polish] [--jobs N]";
constexpr tmethodname methods[] = {
    {"normal", toptimizermethod::normal, false},
    {"refine", toptimizermethod::refine, false},
    {"anneal", toptimizermethod::anneal, true},
    {"global", toptimizermethod::global, true},
    {"random", toptimizermethod::random, true},
    {"molecules", toptimizermethod::moleculesnormal, false},
    {"molecules-anneal", toptimizermethod::moleculesanneal, true}};

/// Every record of an SD file to an SD file; each run starts from the same
/// seed, whichever thread runs it.
tclioutcome optimizerecords(const tclioptions& options,
                            const std::vector<std::string>& positional,
                            const tmethodname& method,
                            const toptimizersettings& settings, int jobs) {
  return changerecordsfor(
      options, positional[0], positional[1], jobs,
      [&](tdrawing& drawing) {
        toptimizer optimizer(drawing);
        optimizer.settings = settings;
        return optimizer.runoptimizer(method.code);
      },
      [&method](tjsonobject& json) { json.addtext("method", method.name); },
      [&positional](int records) {
        return "Optimized " + std::to_string(records) + " records\nWrote " +
               positional[1] + "\n";
      });
}

}  // namespace

const tmethodname* optimizermethodnamed(std::string_view name) {
  for (const tmethodname& method : methods) {
    if (name == method.name) {
      return &method;
    }
  }
  return nullptr;
}

tclioutcome optimizecommand(const tclioptions& options,
                            const std::vector<std::string>& command) {
  std::vector<std::string> arguments = command;
  int jobs = 1;
  if (std::string problem = takejobs(arguments, jobs); !problem.empty()) {
    return failure(problem);
  }
  std::vector<std::string> positional;
  const tmethodname* method = &methods[0];
  toptimizersettings settings;
  bool timed = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word.rfind("--", 0) != 0) {
      positional.push_back(word);
      continue;
    }
    if (word == "--no-polish") {
      settings.polish = false;
      continue;
    }
    if (i + 1 >= arguments.size()) {
      return failure(word + " needs a value");
    }
    const std::string& value = arguments[++i];
    auto number = [&value](double low, double high) -> std::optional<double> {
      std::optional<double> parsed = parsereal(value);
      if (!parsed || !std::isfinite(*parsed) || *parsed < low ||
          *parsed > high) {
        return std::nullopt;
      }
      return parsed;
    };
    std::optional<double> parsed;
    if (word == "--method") {
      method = optimizermethodnamed(value);
      if (method == nullptr) {
        return failure("unknown method \"" + value + "\"\n" + usage);
      }
      continue;
    }
    if (word == "--tolerance") {
      parsed = number(1e-6, 1e9);
      settings.tolerance = parsed.value_or(0.0);
    } else if (word == "--jump") {
      parsed = number(1e-6, 1.0);
      settings.minjump = parsed.value_or(0.0);
    } else if (word == "--gradient") {
      parsed = number(1e-9, 1e6);
      settings.rmsgradientkcal = parsed.value_or(0.0);
    } else if (word == "--temp") {
      parsed = number(0.0, 1.0);
      settings.temperature = parsed.value_or(0.0);
    } else if (word == "--max-seconds") {
      parsed = number(0.0, 1e7);
      settings.maxseconds = parsed.value_or(0.0);
      timed = true;
    } else if (word == "--seed") {
      std::optional<long> seed = parseinteger(value);
      if (!seed || *seed < 0) {
        return failure("--seed needs a whole number of 0 or more, not \"" +
                       value + "\"");
      }
      settings.seed = static_cast<std::uint64_t>(*seed);
      continue;
    } else {
      return failure("unknown option " + word + "\n" + usage);
    }
    if (!parsed) {
      return failure(word + " does not take \"" + value + "\"\n" + usage);
    }
  }
  if (positional.size() != 2) {
    return failure(usage);
  }
  if (method->endless && (!timed || settings.maxseconds <= 0.0)) {
    settings.maxseconds = searchseconds;
  }
  if (holdsseveralrecords(positional[0]) && writesrecords(positional[1])) {
    return optimizerecords(options, positional, *method, settings, jobs);
  }
  if (std::string problem = openinput(positional[0]); !problem.empty()) {
    return failure(problem);
  }
  tdrawing& drawing = *session().drawing();
  toptimizer optimizer(drawing);
  optimizer.settings = settings;
  if (std::string problem = optimizer.runoptimizer(method->code);
      !problem.empty()) {
    return failure(problem);
  }
  if (!optimizer.state().warning.empty()) {
    session().messages().warn(optimizer.state().warning);
  }
  if (std::string written = exportdocument(drawing, positional[1]);
      !written.empty()) {
    return failure(written);
  }
  const toptimizerstate& state = optimizer.state();
  const double start = state.startenergy * kcalpercal;
  const double final = state.energy * kcalpercal;
  if (options.json) {
    tjsonobject json;
    json.addtext("input", positional[0]);
    json.addtext("output", positional[1]);
    json.addtext("method", method->name);
    json.addreal("startkcal", start, 4);
    json.addreal("finalkcal", final, 4);
    json.addinteger("sweeps", state.sweeps);
    json.addreal("rmsgradient", state.rmsgradient, 6);
    json.addinteger("iterations", state.iterations);
    json.addinteger("energyevaluations", state.energyevaluations);
    json.addinteger("gradientevaluations", state.gradientevaluations);
    json.addreal("seconds", state.seconds, 3);
    json.addboolean("converged", state.converged);
    return {0, json.text() + "\n", ""};
  }
  return {0,
          "Energy " + formatfixed(start, 4) + " -> " + formatfixed(final, 4) +
              " kcal/mol in " + std::to_string(state.sweeps) + " sweeps and " +
              std::to_string(state.iterations) + " descent steps, " +
              formatfixed(state.seconds, 3) + " s, RMS gradient " +
              formatfixed(state.rmsgradient, 6) + " kcal/(mol A)" +
              (state.converged ? ", converged" : "") + "\nWrote " +
              positional[1] + "\n",
          ""};
}

}  // namespace molvane
