// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/energy_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "cli/record_batch.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/line_records.h"
#include "io/sd_stream.h"
#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"
#include "support/number_text.h"

#include <array>
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

struct ttermsum {
  const char* name;
  std::size_t count;
  double kcal;
};

/// The force-field energy of a drawing and of each kind of term.
struct tenergy {
  double kcal = 0.0;
  std::array<ttermsum, 5> terms{};
};

/// The energy of drawing, or why its force field could not be set up.
std::string energyof(tdrawing& drawing, tenergy& energy) {
  tforcefield field(drawing);
  if (std::string problem = field.setupforcefield(); !problem.empty()) {
    return problem;
  }
  energy.kcal = field.totalenergy() * kcalpercal;
  energy.terms = {{
      {"stretches", field.stretches().size(), kcalof(field.stretches())},
      {"bends", field.bends().size(), kcalof(field.bends())},
      {"torsions", field.torsions().size(), kcalof(field.torsions())},
      {"planarity", field.planarities().size(), kcalof(field.planarities())},
      {"nonbonded", field.nonbonded().size(), kcalof(field.nonbonded())},
  }};
  return "";
}

/// The energy and its terms, after what json already holds.
void addenergy(tjsonobject& json, const tenergy& energy) {
  json.addreal("energykcal", energy.kcal, 4);
  for (const ttermsum& term : energy.terms) {
    json.addinteger(term.name, static_cast<long>(term.count));
  }
  for (const ttermsum& term : energy.terms) {
    json.addreal(std::string(term.name) + "kcal", term.kcal, 4);
  }
}

/// Every record of a file of several, one line each: its number, its
/// energy in kcal/mol and its name; with json an array of objects.
tclioutcome energyofrecords(const tclioptions& options, const std::string& path,
                            int jobs) {
  const bool json = options.json;
  const trecordentry entry = [json](const tjobrecord& record,
                                    const tsettings& settings,
                                    std::string& error) {
    treadresult read = readjobrecord(record, settings);
    if (read.drawing == nullptr) {
      error = read.error;
      return std::string();
    }
    tenergy energy;
    if (std::string problem = energyof(*read.drawing, energy);
        !problem.empty()) {
      error = recorderror(record.number, problem);
      return std::string();
    }
    if (!json) {
      return std::to_string(record.number) + " " + formatfixed(energy.kcal, 4) +
             linetitle(*read.drawing) + "\n";
    }
    tjsonobject object;
    object.addinteger("record", record.number);
    object.addtext("name", read.drawing->title());
    addenergy(object, energy);
    return object.text();
  };
  return listrecords(path, jobs, json, entry);
}

}  // namespace

tclioutcome energycommand(const tclioptions& options,
                          const std::vector<std::string>& command) {
  std::vector<std::string> arguments = command;
  int jobs = 1;
  if (std::string problem = takejobs(arguments, jobs); !problem.empty()) {
    return failure(problem);
  }
  if (arguments.size() != 2) {
    return failure("usage: energy IN");
  }
  if (holdsseveralrecords(arguments[1])) {
    return energyofrecords(options, arguments[1], jobs);
  }
  if (std::string problem = openinput(arguments[1]); !problem.empty()) {
    return failure(problem);
  }
  tenergy energy;
  if (std::string problem = energyof(*session().drawing(), energy);
      !problem.empty()) {
    return failure(problem);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("input", arguments[1]);
    addenergy(json, energy);
    return {0, json.text() + "\n", ""};
  }
  std::string text = "Energy " + formatfixed(energy.kcal, 4) + " kcal/mol\n";
  for (const ttermsum& term : energy.terms) {
    text += std::string(term.name) + " " + std::to_string(term.count) + " (" +
            formatfixed(term.kcal, 4) + " kcal/mol)\n";
  }
  return {0, text, ""};
}

}  // namespace molvane
