// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/energy_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "document/drawing.h"
#include "document/session.h"
#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"
#include "support/number_text.h"

#include <utility>

namespace molvane {

namespace {

/// Sum of the energies of one term list, in kcal/mol.
template <typename terms>
double kcalof(const terms& list) {
  double sum = 0.0;
  for (const auto& term : list) {
    sum += term.energy;
  }
  return sum * kcalpercal;
}

}  // namespace

tclioutcome energycommand(const tclioptions& options,
                          const std::vector<std::string>& arguments) {
  if (arguments.size() != 2) {
    return failure("usage: energy IN");
  }
  if (std::string problem = openinput(arguments[1]); !problem.empty()) {
    return failure(problem);
  }
  tforcefield field(*session().drawing());
  if (std::string problem = field.setupforcefield(); !problem.empty()) {
    return failure(problem);
  }
  const double kcal = field.totalenergy() * kcalpercal;
  const struct {
    const char* name;
    std::size_t count;
    double kcal;
  } counts[] = {
      {"stretches", field.stretches().size(), kcalof(field.stretches())},
      {"bends", field.bends().size(), kcalof(field.bends())},
      {"torsions", field.torsions().size(), kcalof(field.torsions())},
      {"planarity", field.planarities().size(), kcalof(field.planarities())},
      {"nonbonded", field.nonbonded().size(), kcalof(field.nonbonded())}};
  if (options.json) {
    tjsonobject json;
    json.addtext("input", arguments[1]);
    json.addreal("energykcal", kcal, 4);
    for (const auto& count : counts) {
      json.addinteger(count.name, static_cast<long>(count.count));
    }
    for (const auto& count : counts) {
      json.addreal(std::string(count.name) + "kcal", count.kcal, 4);
    }
    return {0, json.text() + "\n", ""};
  }
  std::string text = "Energy " + formatfixed(kcal, 4) + " kcal/mol\n";
  for (const auto& count : counts) {
    text += std::string(count.name) + " " + std::to_string(count.count) + " (" +
            formatfixed(count.kcal, 4) + " kcal/mol)\n";
  }
  return {0, text, ""};
}

}  // namespace molvane
