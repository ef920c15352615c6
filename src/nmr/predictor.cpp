// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/predictor.h"

#include "document/messages.h"
#include "document/structure.h"
#include "nmr/carbon_correction.h"
#include "nmr/heavy_halogens.h"
#include "nmr/increment_schemes.h"
#include "nmr/learned_tables.h"
#include "nmr/nmr_graph.h"
#include "nmr/peak_database.h"
#include "nmr/shift_combination.h"

#include <algorithm>
#include <cstdlib>

namespace molvane {

namespace {

constexpr int hydrogen = 1;
constexpr int carbon = 6;

bool hasexplicithydrogen(const tatm& atom) {
  for (const tbond* bond : atom.ownerbonds()) {
    const tatm* far = bond->other(&atom);
    if (bond->chemical != 0 && far != nullptr && far->ischemical() &&
        far->element == hydrogen) {
      return true;
    }
  }
  return false;
}

/// The graph node whose environment stands for atom i: a terminal hydrogen
/// is described by the atom that carries it.
int carriernode(const tStructure& structure, const tnmrgraph& graph, int i) {
  if (graph.atoms[static_cast<std::size_t>(i)].active) {
    return i;
  }
  const tatm* atom = structure.atoms.items(i);
  for (const tbond* bond : structure.bondsof(atom)) {
    const tatm* far = bond->other(atom);
    if (bond->chemical != 0 && far != nullptr) {
      int position = structure.positionof(far);
      if (position >= 0 &&
          graph.atoms[static_cast<std::size_t>(position)].active) {
        return position;
      }
    }
  }
  return -1;
}

/// The shift of node from the database's best match for peak, the
/// increment schemes where the match is shallow and the carbon model.
tprediction predictnode(const IPeakdb& db, tnmrgraph& graph, int node,
                        const tpeak& peak) {
  const auto* full = dynamic_cast<const tpeakdb*>(&db);
  int nucleus = db.nucleus();
  int c = shiftclass(graph, node, nucleus);
  tmatch match = db.bestmatch(peak);
  double s1 = match.entry != nullptr ? match.entry->getshift(nucleus) : 0.0;
  tprediction fallback;
  if (full != nullptr && needsfallback(c, match.level)) {
    fallback = tincrementschemes(*full, graph).byhybridization(node, c);
  }
  tprediction result = combineshifts(c, s1, match.level, fallback);
  if (full != nullptr && full->carbonmodel() != nullptr) {
    result =
        refinecarbon(*full->carbonmodel(), graph, node, match.level, result);
  }
  return result;
}

}  // namespace

bool carriesnucleus(const tatm& atom, int nucleus) {
  if (!atom.ischemical() || nucleus <= 0) {
    return false;
  }
  if (nucleus != hydrogen) {
    return atom.element == nucleus;
  }
  return atom.element == hydrogen || atom.implicithydrogens() > 0 ||
         hasexplicithydrogen(atom);
}

tpeaklist makepeaklist(tStructure& structure, std::shared_ptr<IPeakdb> db) {
  tpeaklist list;
  list.structure = &structure;
  int nucleus = db != nullptr ? db->nucleus() : 0;
  list.db = std::move(db);
  tnmrgraph graph = tnmrgraph::fromstructure(structure);
  int number = 0;
  for (int i = 0; i < structure.atoms.count(); ++i) {
    tatm* atom = structure.atoms.items(i);
    if (!atom->ischemical()) {
      continue;
    }
    atom->number = 0;
    if (!carriesnucleus(*atom, nucleus)) {
      continue;
    }
    atom->number = static_cast<std::uint16_t>(++number);
    int node = carriernode(structure, graph, i);
    tpeak peak;
    if (node >= 0) {
      peak = tpeak::fromenvironment(graph.environment(node));
    }
    peak.count = atom->number;
    peak.atomindex = i;
    list.peaks.push_back(peak);
    list.shifts.push_back(tshift{});
  }
  return list;
}

void predictpeaks(tpeaklist& list, tStructure& structure, tprogress& progress) {
  if (list.db == nullptr) {
    return;
  }
  const IPeakdb& db = *list.db;
  int nucleus = db.nucleus();
  tnmrgraph graph = tnmrgraph::fromstructure(structure);
  tnmrgraph standin;
  const bool heavy =
      (nucleus == carbon || nucleus == hydrogen) && anyheavyhalogen(graph);
  list.shifts.resize(list.peaks.size());
  for (tpeak& peak : list.peaks) {
    peak.clearshift();
  }
  progress.setrange(0, list.count());
  for (std::size_t i = 0; i < list.peaks.size(); ++i) {
    tpeak& peak = list.peaks[i];
    tshift& shown = list.shifts[i];
    shown.shown = 0;
    progress.step(1);
    // An atom whose environment equals an earlier one's is its symmetry
    // partner and takes its shift.
    tpeak* partner = nullptr;
    for (std::size_t j = 0; j < i; ++j) {
      if (identical(list.peaks[j], peak)) {
        partner = &list.peaks[j];
        break;
      }
    }
    if (partner != nullptr && partner->hasshift()) {
      peak.shift = partner->shift;
      peak.level = partner->level;
      if (std::abs(partner->level) != spherecount) {
        partner->level = static_cast<std::int8_t>(-std::abs(partner->level));
        peak.level = partner->level;
      }
      continue;
    }
    int node = carriernode(structure, graph, peak.atomindex);
    if (node < 0) {
      continue;
    }
    tprediction result = predictnode(db, graph, node, peak);
    // Short of an exact entry, a carbon or proton near a bromine or iodine
    // is better served by the far more common chlorine in the halogen's
    // place and the heavier halogen's known difference.
    if (heavy && result.level != spherecount && nearheavyhalogen(graph, node)) {
      if (standin.size() == 0) {
        standin = chlorinestandin(graph);
      }
      tprediction stood = predictnode(
          db, standin, node, tpeak::fromenvironment(standin.environment(node)));
      if (stood.has()) {
        // The stand-in's entry is never this atom's own, so the level
        // stops short of an exact match.
        result = {stood.shift + heavyhalogenshift(graph, node, nucleus),
                  std::min(stood.level, spherecount - 1)};
      }
    }
    if (result.level != 0) {
      peak.setshift(result.shift, nucleus);
      peak.level = static_cast<std::int8_t>(peak.hasshift() ? result.level : 0);
    }
    shown.shown = 1;
  }
  progress.reset();
  for (const tpeak& peak : list.peaks) {
    tatm* atom = structure.atoms.items(peak.atomindex);
    if (atom != nullptr) {
      atom->nmrvalue = peak.getshift(nucleus);
      atom->number = peak.count;
    }
  }
}

std::vector<tatomshift> predictshifts(tStructure& structure,
                                      std::shared_ptr<IPeakdb> db) {
  int nucleus = db != nullptr ? db->nucleus() : 0;
  tpeaklist list = makepeaklist(structure, std::move(db));
  tsilentprogress progress;
  predictpeaks(list, structure, progress);
  std::vector<tatomshift> shifts;
  shifts.reserve(list.peaks.size());
  for (const tpeak& peak : list.peaks) {
    shifts.push_back({peak.atomindex, peak.getshift(nucleus), peak.level});
  }
  return shifts;
}

}  // namespace molvane
