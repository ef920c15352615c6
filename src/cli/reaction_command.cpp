// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/reaction_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/formula.h"
#include "support/number_text.h"
#include "thermo/partition_function.h"
#include "thermo/reaction.h"
#include "thermo/species.h"

#include <cmath>
#include <optional>
#include <utility>

namespace molvane {

namespace {

constexpr const char* usage =
    "usage: reaction IN [--T K] [--P ATM] [--optimize] [--reference N]";

struct treactionoptions : treactionrequest {
  std::string input;
};

/// The options, or the message for the user.
std::optional<std::string> parseoptions(
    const std::vector<std::string>& arguments, treactionoptions& options) {
  std::vector<std::string> positional;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--optimize") {
      options.optimize = true;
      continue;
    }
    if (word.rfind("--", 0) != 0) {
      positional.push_back(word);
      continue;
    }
    if (i + 1 >= arguments.size()) {
      return word + " needs a value";
    }
    const std::string& value = arguments[++i];
    if (word == "--reference") {
      const std::optional<long> number = parseinteger(value);
      if (!number || *number < 1) {
        return "--reference needs a structure number of 1 or more, not \"" +
               value + "\"";
      }
      options.reference = *number;
      continue;
    }
    const std::optional<double> number = parsereal(value);
    if (word == "--T") {
      if (!number || !std::isfinite(*number) || *number < 0.0 ||
          *number > 1e6) {
        return "--T needs a temperature from 0 to 1000000 K, not \"" + value +
               "\"";
      }
      options.temperature = *number;
    } else if (word == "--P") {
      if (!number || !std::isfinite(*number) || *number < lowestpressure ||
          *number > 1e6) {
        return "--P needs a pressure from 0.01 to 1000000 atm, not \"" + value +
               "\"";
      }
      options.pressure = *number;
    } else {
      return "unknown option " + word + "\n" + usage;
    }
  }
  if (positional.size() != 1) {
    return std::string(usage);
  }
  options.input = positional[0];
  return std::nullopt;
}

std::string roleof(const tStructure& structure, const tSymbol& arrow) {
  if (structure.phase == solventphase) {
    return "solvent";
  }
  return isreactant(structure, arrow) ? "reactant" : "product";
}

}  // namespace

treactionsummary summarisereaction(tdrawing& drawing,
                                   const treactionrequest& request) {
  treactionsummary summary;
  const treactioncheck check = checkreaction(drawing);
  if (check == treactioncheck::nostructures) {
    summary.nostructures = true;
    summary.error = "No structures";
    return summary;
  }
  if (check != treactioncheck::ready) {
    summary.error = checktext(check);
    return summary;
  }
  tSymbol& arrow = *reactionarrow(drawing);
  const treactionspecies species = findspecies(drawing, arrow);
  std::vector<tStructure*> all = species.reactants;
  all.insert(all.end(), species.products.begin(), species.products.end());
  all.insert(all.end(), species.solvents.begin(), species.solvents.end());
  if (request.reference > drawing.structures.count()) {
    summary.error = "--reference " + std::to_string(request.reference) +
                    ": the drawing has " +
                    std::to_string(drawing.structures.count()) + " structures";
    return summary;
  }
  tStructure& reference =
      *drawing.structures.items(static_cast<int>(request.reference - 1));
  if (request.optimize) {
    if (std::string problem = optimizereactivespecies(drawing);
        !problem.empty()) {
      summary.error = problem;
      return summary;
    }
  }
  for (tStructure* structure : all) {
    makethermo(*structure);
  }
  summary.solved = balancereaction(drawing, arrow, reference);
  const treactionanalysis analysis =
      analysereaction(drawing, request.temperature, request.pressure);
  summary.message = analysis.message.value_or("");
  summary.balanced = analysis.balanced;
  summary.status = analysis.status;
  summary.values = analysis.values;
  for (tStructure* structure : all) {
    summary.roles.push_back(roleof(*structure, arrow));
    summary.formulas.push_back(hillformula(*structure));
    summary.amounts.push_back(structure->amount);
  }
  return summary;
}

tclioutcome reactioncommand(const tclioptions& options,
                            const std::vector<std::string>& arguments) {
  treactionoptions chosen;
  if (auto problem = parseoptions(arguments, chosen)) {
    return failure(*problem);
  }
  if (std::string problem = openinput(chosen.input); !problem.empty()) {
    return failure(problem);
  }
  const treactionsummary summary =
      summarisereaction(*session().drawing(), chosen);
  if (summary.nostructures) {
    return failure("No structures in " + chosen.input);
  }
  if (!summary.error.empty()) {
    return failure(summary.error);
  }
  const std::vector<std::string>& roles = summary.roles;
  const std::vector<std::string>& formulas = summary.formulas;
  const std::vector<double>& amounts = summary.amounts;
  const std::string& message = summary.message;
  const treactionvalues& values = summary.values;
  if (options.json) {
    tjsonobject json;
    json.addtext("input", chosen.input);
    json.addreal("temperature", chosen.temperature, 2);
    json.addreal("pressure", chosen.pressure, 3);
    json.addtexts("roles", roles);
    json.addtexts("formulas", formulas);
    json.addreals("amounts", amounts, 4);
    json.addboolean("solved", summary.solved);
    json.addboolean("balanced", summary.balanced);
    json.addtext("status", summary.status);
    json.addtext("message", message);
    if (summary.balanced) {
      json.addreal("deltaHkcal", 0.001 * values.enthalpy, 4);
      json.addreal("deltaScal", values.entropy, 4);
      json.addreal("deltaGkcal", 0.001 * values.freeenergy, 4);
      json.addreal("logK", values.logk, 4);
    }
    return {0, json.text() + "\n", ""};
  }
  std::string text;
  for (std::size_t i = 0; i < roles.size(); ++i) {
    text +=
        roles[i] + " " + formulas[i] + " " + formatfixed(amounts[i], 4) + "\n";
  }
  text += summary.status + (message.empty() ? "" : " " + message) + "\n";
  if (summary.balanced) {
    text += "dH " + formatfixed(0.001 * values.enthalpy, 4) + " kcal/mol\n";
    text += "dS " + formatfixed(values.entropy, 4) + " cal/(mol K)\n";
    text += "dG " + formatfixed(0.001 * values.freeenergy, 4) + " kcal/mol\n";
    text += "logK " + formatfixed(values.logk, 4) + "\n";
  }
  return {0, text, ""};
}

}  // namespace molvane
