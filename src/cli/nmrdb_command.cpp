// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/nmrdb_command.h"

#include "cli/json_writer.h"
#include "document/session.h"
#include "nmr/carbon_training.h"
#include "nmr/database_builder.h"
#include "nmr/database_files.h"
#include "nmr/peak_database.h"
#include "nmr/training_set.h"
#include "support/atomic_file.h"
#include "support/number_text.h"

#include <charconv>
#include <utility>

namespace molvane {

namespace {

constexpr int carbon = 6;

bool parsecount(const std::string& text, int& value) {
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value > 0;
}

/// `nmrdb model IN.sdf... OUT.fit`: fits the carbon model to the measured
/// carbon shifts, for a database of the default size built from them.
tclioutcome modelcommand(const tclioptions& options,
                         const std::vector<std::string>& arguments) {
  if (arguments.size() < 4) {
    return failure("usage: nmrdb model IN.sdf... OUT.fit");
  }
  std::vector<ttrainingmolecule> molecules;
  int skipped = 0;
  for (std::size_t i = 2; i + 1 < arguments.size(); ++i) {
    std::string problem =
        readtrainingfile(arguments[i], carbon, molecules, skipped);
    if (!problem.empty()) {
      return failure("File Read Error: " + problem);
    }
  }
  std::vector<const ttrainingmolecule*> all;
  all.reserve(molecules.size());
  for (const ttrainingmolecule& molecule : molecules) {
    all.push_back(&molecule);
  }
  tcarbonmodel model = traincarbonmodel(all, defaultcapacity(carbon));
  if (model.empty()) {
    return failure("too few measured C-13 shifts in the input");
  }
  const std::string& output = arguments.back();
  std::string text = model.text();
  std::string problem = writefileatomically(
      output,
      {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  if (!problem.empty()) {
    return failure(problem);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("output", output);
    json.addinteger("molecules", static_cast<long>(molecules.size()));
    return {0, json.text() + "\n", ""};
  }
  return {0,
          "Wrote " + output + " from " + std::to_string(molecules.size()) +
              " molecules\n",
          ""};
}

}  // namespace

tclioutcome nmrdbcommand(const tclioptions& options,
                         const std::vector<std::string>& arguments) {
  const std::string usage =
      "usage: nmrdb build --nucleus 13C|1H|19F IN.sdf... OUT.pks "
      "[--reference REF.sdf] [--entries N] [--folds K]\n"
      "       nmrdb model IN.sdf... OUT.fit";
  if (arguments.size() >= 2 && arguments[1] == "model") {
    return modelcommand(options, arguments);
  }
  if (arguments.size() < 2 || arguments[1] != "build") {
    return failure(usage);
  }
  int nucleus = 0;
  int entries = 0;
  int folds = 0;
  std::vector<std::string> files;
  std::vector<std::string> referencefiles;
  for (std::size_t i = 2; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    bool hasvalue = i + 1 < arguments.size();
    if (argument == "--nucleus" && hasvalue) {
      nucleus = nucleusfromname(arguments[++i]);
      if (nucleus != 1 && nucleus != 6 && nucleus != 9) {
        return failure("nmrdb builds 1H, 13C and 19F databases, not \"" +
                       arguments[i] + "\"");
      }
    } else if (argument == "--reference" && hasvalue) {
      referencefiles.push_back(arguments[++i]);
    } else if (argument == "--entries" && hasvalue) {
      if (!parsecount(arguments[++i], entries)) {
        return failure("--entries needs a positive whole number");
      }
    } else if (argument == "--folds" && hasvalue) {
      if (!parsecount(arguments[++i], folds) || folds < 2) {
        return failure("--folds needs a whole number of at least 2");
      }
    } else if (argument.rfind("--", 0) == 0) {
      return failure(usage);
    } else {
      files.push_back(argument);
    }
  }
  if (nucleus == 0 || files.size() < 2) {
    return failure(usage);
  }
  std::string output = files.back();
  files.pop_back();
  int capacity = entries > 0 ? entries : defaultcapacity(nucleus);
  if (capacity >= databaselimit(nucleus)) {
    return failure("a database of this nucleus holds at most " +
                   std::to_string(databaselimit(nucleus) - 1) + " entries");
  }
  std::vector<ttrainingmolecule> molecules;
  int skipped = 0;
  for (const std::string& file : files) {
    std::string problem = readtrainingfile(file, nucleus, molecules, skipped);
    if (!problem.empty()) {
      return failure("File Read Error: " + problem);
    }
  }
  if (molecules.empty()) {
    return failure("no measured " + nucleuslabel(nucleus) +
                   " shifts in the input");
  }
  std::vector<ttrainingmolecule> referencemolecules;
  for (const std::string& file : referencefiles) {
    std::string problem =
        readtrainingfile(file, nucleus, referencemolecules, skipped);
    if (!problem.empty()) {
      return failure("File Read Error: " + problem);
    }
  }
  std::vector<const ttrainingmolecule*> all;
  all.reserve(molecules.size());
  for (const ttrainingmolecule& molecule : molecules) {
    all.push_back(&molecule);
  }
  std::vector<const ttrainingmolecule*> references;
  for (const ttrainingmolecule& molecule : referencemolecules) {
    references.push_back(&molecule);
  }
  std::unique_ptr<tpeakdb> db =
      builddatabase(all, nucleus, capacity, references);
  db->setreporting(session().relayedmessages(), session().relayedprogress());
  if (!db->setmodifiedsaveto(output, true)) {
    return failure("could not write " + output);
  }
  tshifterrors validated;
  if (folds > 0) {
    validated = crossvalidate(molecules, nucleus, capacity, folds, false, false,
                              references);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("output", output);
    json.addinteger("molecules", static_cast<long>(molecules.size()));
    json.addinteger("skipped", skipped);
    json.addinteger("entries", db->totalcount());
    if (folds > 0) {
      json.addinteger("folds", folds);
      json.addreal("maeppm", validated.mae(), 3);
      json.addreal("coverage", validated.coverage(), 4);
    }
    return {0, json.text() + "\n", ""};
  }
  std::string text = "Wrote " + output + ": " +
                     std::to_string(db->totalcount()) + " entries from " +
                     std::to_string(molecules.size()) + " molecules";
  text +=
      skipped > 0 ? " (" + std::to_string(skipped) + " unreadable)\n" : "\n";
  if (folds > 0) {
    text += std::to_string(folds) + "-fold cross-validated MAE " +
            formatfixed(validated.mae(), 3) + " ppm, " +
            formatfixed(100.0 * validated.coverage(), 2) +
            " % of atoms predicted\n";
  }
  return {0, text, ""};
}

}  // namespace molvane
