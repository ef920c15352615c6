// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Accuracy and speed of the shift predictor on the training spectra.
//
//   nmr_bench [--folds K] [--nucleus 1H|13C|19F] [--entries N]
//             [--reference REF.sdf] [--detail | --detail-only | --speed-only]
//             [DIR]
//
// For each nucleus: the k-fold cross-validated mean absolute error (1H on
// C-H protons only) and the share of measured atoms that get a shift; carbon
// twice, with and without the carbon model (each fold fits its own on its
// training molecules, as it builds its own database); then the time to
// predict carbon shifts for every record of train.sdf with the shipped
// database and model. --detail adds the errors of one fold by class and
// level (and for carbon by model share), --detail-only shows only those,
// --speed-only only the time. DIR holds train.sdf and f19_train.sdf
// (default: the shared data folder of the build). --reference (repeatable)
// adds the exact entries of a file of textbook shifts to every fold's database,
// as the shipped databases hold them.
#include "io/exchange_files.h"
#include "nmr/carbon_training.h"
#include "nmr/database_builder.h"
#include "nmr/database_files.h"
#include "nmr/learned_tables.h"
#include "nmr/nmr_graph.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "nmr/training_set.h"
#include "support/atomic_file.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace molvane {
namespace {

struct tnucleusrun {
  int nucleus;
  const char* name;
  const char* file;
  bool carbononly;
};

constexpr tnucleusrun runs[] = {{6, "13C", "train.sdf", false},
                                {1, "1H", "train.sdf", true},
                                {9, "19F", "f19_train.sdf", false}};

/// Errors by the atom's class and the sign of its level, over one fold; for
/// carbon also the error of each share of the carbon model by class and
/// database level, and the shares the model chose on its training folds.
void detail(const std::vector<ttrainingmolecule>& molecules, int nucleus,
            int capacity, int folds) {
  std::vector<const ttrainingmolecule*> training;
  std::vector<const ttrainingmolecule*> testing;
  for (std::size_t i = 0; i < molecules.size(); ++i) {
    (i % static_cast<std::size_t>(folds) == 0 ? testing : training)
        .push_back(&molecules[i]);
  }
  std::shared_ptr<tpeakdb> db = builddatabase(training, nucleus, capacity);
  std::map<std::string, std::pair<double, int>> groups;
  for (const ttrainingmolecule* molecule : testing) {
    std::vector<tatomshift> shifts = predictshifts(*molecule->structure, db);
    tnmrgraph graph = tnmrgraph::fromstructure(*molecule->structure);
    for (const tassignedshift& assigned : molecule->shifts) {
      for (const tatomshift& shift : shifts) {
        if (shift.atomindex != assigned.atomindex) {
          continue;
        }
        int node = shift.atomindex;
        int c = shiftclass(graph, node, nucleus);
        std::string key = "class " + std::to_string(c) + " level " +
                          std::to_string(shift.level);
        auto& group = groups[key];
        if (shift.level != 0) {
          group.first += std::abs(shift.shift - assigned.shift);
        }
        group.second += 1;
      }
    }
  }
  for (const auto& [key, group] : groups) {
    std::printf("    %-22s %6d atoms  MAE %7.2f  sum %9.0f\n", key.c_str(),
                group.second, group.first / group.second, group.first);
  }
  if (nucleus != 6) {
    return;
  }
  tcarbonmodel model = traincarbonmodel(training, capacity);
  tsharegrid grid = sharegrid(db, model, testing);
  tshifterrors without = evaluatedatabase(db, testing, false);
  db->setcarbonmodel(std::make_shared<tcarbonmodel>(model));
  tshifterrors with = evaluatedatabase(db, testing, false);
  std::printf(
      "    this fold: MAE %.3f without the carbon model, %.3f with it\n",
      without.mae(), with.mae());
  std::printf(
      "    model share by class and database level: atoms, chosen "
      "share, error at shares 0 ... 1\n");
  for (int c = 1; c <= shareclasses; ++c) {
    for (int level = 0; level < sharelevels; ++level) {
      auto ci = static_cast<std::size_t>(c - 1);
      auto li = static_cast<std::size_t>(level);
      if (grid.atoms[ci][li] == 0) {
        continue;
      }
      std::printf("    class %d level %d %6d %4.1f", c, level,
                  grid.atoms[ci][li], model.share(c, level));
      for (double error : grid.error[ci][li]) {
        std::printf(" %6.0f", error);
      }
      std::printf("\n");
    }
  }
}

int run(int argc, char** argv) {
  std::filesystem::path folder =
      std::filesystem::path(MOLVANE_BENCH_DATA) / "nmr";
  int folds = 5;
  int entries = 0;
  bool withdetail = false;
  bool detailonly = false;
  bool speedonly = false;
  std::string only;
  std::vector<std::string> referencefiles;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--folds" && i + 1 < argc) {
      folds = std::atoi(argv[++i]);
    } else if (argument == "--entries" && i + 1 < argc) {
      entries = std::atoi(argv[++i]);
    } else if (argument == "--reference" && i + 1 < argc) {
      referencefiles.emplace_back(argv[++i]);
    } else if (argument == "--nucleus" && i + 1 < argc) {
      only = argv[++i];
    } else if (argument == "--detail") {
      withdetail = true;
    } else if (argument == "--speed-only") {
      speedonly = true;
    } else if (argument == "--detail-only") {
      withdetail = true;
      detailonly = true;
    } else {
      folder = argument;
    }
  }
  if (!std::filesystem::exists(folder / "train.sdf")) {
    std::printf("no train.sdf in %s\n", folder.string().c_str());
    return 1;
  }
  for (const tnucleusrun& each : runs) {
    if (speedonly || (!only.empty() && only != each.name)) {
      continue;
    }
    std::vector<ttrainingmolecule> molecules;
    int skipped = 0;
    std::string problem =
        readtrainingfile(folder / each.file, each.nucleus, molecules, skipped);
    if (!problem.empty()) {
      std::printf("%s: %s\n", each.name, problem.c_str());
      continue;
    }
    std::vector<ttrainingmolecule> referencemolecules;
    for (const std::string& referencefile : referencefiles) {
      problem = readtrainingfile(referencefile, each.nucleus,
                                 referencemolecules, skipped);
      if (!problem.empty()) {
        break;
      }
    }
    if (!problem.empty()) {
      std::printf("%s: %s\n", each.name, problem.c_str());
      continue;
    }
    std::vector<const ttrainingmolecule*> references;
    for (const ttrainingmolecule& molecule : referencemolecules) {
      references.push_back(&molecule);
    }
    int capacity = entries > 0 ? entries : defaultcapacity(each.nucleus);
    if (detailonly) {
      detail(molecules, each.nucleus, capacity, folds);
      continue;
    }
    if (each.nucleus == 6) {
      tshifterrors plain =
          crossvalidate(molecules, each.nucleus, capacity, folds,
                        each.carbononly, true, references);
      std::printf(
          "%-4s %d-fold MAE %.3f ppm over %d atoms, %.2f %% predicted "
          "(without the carbon model)\n",
          each.name, folds, plain.mae(), plain.predicted,
          100.0 * plain.coverage());
    }
    tshifterrors errors =
        crossvalidate(molecules, each.nucleus, capacity, folds, each.carbononly,
                      false, references);
    std::printf(
        "%-4s %d-fold MAE %.3f ppm over %d atoms, %.2f %% predicted; "
        "%d molecules predicted in %.2f s (%.0f molecules/s)\n",
        each.name, folds, errors.mae(), errors.predicted,
        100.0 * errors.coverage(), errors.molecules, errors.seconds,
        errors.molecules / std::max(errors.seconds, 1e-9));
    if (withdetail) {
      detail(molecules, each.nucleus, capacity, folds);
    }
  }
  if (detailonly || (!only.empty() && only != "13C")) {
    return 0;
  }
  std::vector<std::uint8_t> bytes;
  if (!readwholefile(folder / "train.sdf", bytes, 1U << 30U).empty()) {
    return 1;
  }
  std::vector<treadresult> records =
      readexchangerecords(bytes, tfileformat::mdl);
  auto shipped = std::make_shared<tpeakdb>(6);
  std::filesystem::path file = shippeddatabasefolder() / databasefilename(6);
  if (!std::filesystem::exists(file) || !shipped->loadfrom(file.string())) {
    std::printf("no shipped database %s\n", file.string().c_str());
    return 1;
  }
  auto start = std::chrono::steady_clock::now();
  int predicted = 0;
  for (treadresult& record : records) {
    if (record.drawing != nullptr) {
      (void)predictshifts(*record.drawing, shipped);
      ++predicted;
    }
  }
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  std::printf(
      "13C of every record of train.sdf with the shipped database: %d "
      "molecules in %.2f s (%.0f molecules/s)\n",
      predicted, seconds, predicted / seconds);
  return 0;
}

}  // namespace
}  // namespace molvane

int main(int argc, char** argv) { return molvane::run(argc, argv); }
