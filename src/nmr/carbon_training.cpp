// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_training.h"

#include "document/structure.h"
#include "nmr/carbon_features.h"
#include "nmr/database_builder.h"
#include "nmr/environment_keys.h"
#include "nmr/nmr_graph.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"

#include <cmath>
#include <unordered_map>

namespace molvane {

namespace {

constexpr int carbon = 6;
/// Every this many-th molecule is set aside to choose the shares.
constexpr std::size_t setaside = 5;
/// A class and level with fewer carbons set aside keeps the share of the
/// level above it, or less.
constexpr int fewestcarbons = 40;

}  // namespace

tsharegrid sharegrid(const std::shared_ptr<tpeakdb>& db,
                     const tcarbonmodel& model,
                     const std::vector<const ttrainingmolecule*>& molecules) {
  tsharegrid grid;
  for (const ttrainingmolecule* molecule : molecules) {
    tStructure& structure = *molecule->structure;
    tpeaklist list = makepeaklist(structure, db);
    std::vector<tatomshift> shifts = predictshifts(structure, db);
    tnmrgraph graph = tnmrgraph::fromstructure(structure);
    std::unordered_map<int, std::size_t> byatom;
    for (std::size_t i = 0; i < shifts.size(); ++i) {
      byatom.emplace(shifts[i].atomindex, i);
    }
    for (const tassignedshift& assigned : molecule->shifts) {
      auto found = byatom.find(assigned.atomindex);
      if (found == byatom.end() || found->second >= list.peaks.size()) {
        continue;
      }
      const tatomshift& shift = shifts[found->second];
      tcarbonfeatures features = carbonfeatures(graph, assigned.atomindex);
      if (shift.level == 0 || shift.shift <= -999.0 || !model.knows(features)) {
        continue;
      }
      int level = db->bestmatch(list.peaks[found->second]).level;
      int c = atomclass(graph, assigned.atomindex);
      if (c < 1 || c > shareclasses || level >= sharelevels) {
        continue;
      }
      auto ci = static_cast<std::size_t>(c - 1);
      auto li = static_cast<std::size_t>(level);
      double learned = model.predict(features);
      ++grid.atoms[ci][li];
      for (int k = 0; k < sharesteps; ++k) {
        double share = k / static_cast<double>(sharesteps - 1);
        grid.error[ci][li][static_cast<std::size_t>(k)] += std::abs(
            share * learned + (1.0 - share) * shift.shift - assigned.shift);
      }
    }
  }
  return grid;
}

tcarbonmodel traincarbonmodel(
    const std::vector<const ttrainingmolecule*>& molecules, int capacity) {
  std::vector<const ttrainingmolecule*> fitting;
  std::vector<const ttrainingmolecule*> choosing;
  for (std::size_t i = 0; i < molecules.size(); ++i) {
    (i % setaside == setaside - 1 ? choosing : fitting).push_back(molecules[i]);
  }
  std::shared_ptr<tpeakdb> db = builddatabase(fitting, carbon, capacity);
  tcarbonmodel trial = tcarbonmodel::fit(carbonsamples(fitting));
  tsharegrid grid = sharegrid(db, trial, choosing);
  tcarbonmodel model = tcarbonmodel::fit(carbonsamples(molecules));
  for (int c = 1; c <= shareclasses; ++c) {
    auto ci = static_cast<std::size_t>(c - 1);
    double above = 1.0;
    for (int level = 0; level < sharelevels; ++level) {
      auto li = static_cast<std::size_t>(level);
      const auto& errors = grid.error[ci][li];
      double share = model.share(c, level);
      if (grid.atoms[ci][li] >= fewestcarbons) {
        std::size_t best = 0;
        for (std::size_t k = 1; k < errors.size(); ++k) {
          if (errors[k] < errors[best]) {
            best = k;
          }
        }
        share = static_cast<double>(best) / (sharesteps - 1);
      } else {
        share = std::min(share, above);
      }
      model.setshare(c, level, share);
      above = share;
    }
  }
  return model;
}

}  // namespace molvane
