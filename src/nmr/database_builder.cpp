// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/database_builder.h"

#include "document/structure.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <unordered_map>

namespace molvane {

namespace {

/// Room left in a shipped database for what users teach it.
constexpr int teachingroom = 200;

struct tbefore {
  bool operator()(const tpeak& a, const tpeak& b) const {
    return comparepeaks(a, b) < 0;
  }
};

/// One environment class: the atoms whose codes begin with its spheres.
struct tcandidate {
  tpeak peak;
  std::vector<double> shifts;
  int parent = -1;
  double gain = 0.0;
  double median = 0.0;
};

double medianof(std::vector<double> values) {
  if (values.empty()) {
    return 0.0;
  }
  auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  double upper = *middle;
  if (values.size() % 2 == 1) {
    return upper;
  }
  double lower = *std::max_element(values.begin(), middle);
  return (lower + upper) / 2.0;
}

double deviation(const std::vector<double>& values, double centre) {
  double sum = 0.0;
  for (double v : values) {
    sum += std::abs(v - centre);
  }
  return sum;
}

/// The measured atoms of every molecule as peaks carrying their shifts.
std::vector<tpeak> samplesof(
    const std::vector<const ttrainingmolecule*>& molecules, int nucleus,
    std::vector<double>& shifts) {
  std::vector<tpeak> samples;
  auto db = std::make_shared<tpeakdb>(nucleus);
  for (const ttrainingmolecule* molecule : molecules) {
    tpeaklist list = makepeaklist(*molecule->structure, db);
    std::unordered_map<int, const tpeak*> byatom;
    for (const tpeak& peak : list.peaks) {
      byatom.emplace(peak.atomindex, &peak);
    }
    for (const tassignedshift& assigned : molecule->shifts) {
      auto found = byatom.find(assigned.atomindex);
      if (found != byatom.end()) {
        samples.push_back(*found->second);
        shifts.push_back(assigned.shift);
      }
    }
  }
  return samples;
}

/// The class of peak's first depth spheres: later spheres are 0, which
/// sorts the class entry before every real environment that shares them.
tpeak prefixof(const tpeak& peak, int depth) {
  tpeak prefix;
  prefix.peaktype = peak.peaktype;
  for (int k = 0; k < depth; ++k) {
    prefix.spheres[static_cast<std::size_t>(k)] =
        peak.spheres[static_cast<std::size_t>(k)];
  }
  return prefix;
}

void filllists(tpeakdb& db, const std::vector<tpeak>& entries) {
  std::array<std::vector<tpeak>, peaklistcount> lists;
  for (const tpeak& entry : entries) {
    lists[static_cast<std::size_t>(listnumber(entry.peaktype))].push_back(
        entry);
  }
  for (int i = 0; i < peaklistcount; ++i) {
    db.setlist(i, std::move(lists[static_cast<std::size_t>(i)]));
  }
}

}  // namespace

void tshifterrors::add(const tshifterrors& other) {
  abserror += other.abserror;
  atoms += other.atoms;
  predicted += other.predicted;
  seconds += other.seconds;
  molecules += other.molecules;
}

int defaultcapacity(int nucleus) {
  return databaselimit(nucleus) - 1 - teachingroom;
}

std::unique_ptr<tpeakdb> builddatabase(
    const std::vector<const ttrainingmolecule*>& molecules, int nucleus,
    int capacity) {
  capacity = std::clamp(capacity, 0, databaselimit(nucleus) - 1);
  std::vector<double> shifts;
  std::vector<tpeak> samples = samplesof(molecules, nucleus, shifts);

  std::map<tpeak, int, tbefore> index;
  std::vector<tcandidate> candidates;
  for (std::size_t s = 0; s < samples.size(); ++s) {
    int parent = -1;
    for (int depth = 1; depth <= spherecount; ++depth) {
      tpeak prefix = prefixof(samples[s], depth);
      auto [found, added] =
          index.emplace(prefix, static_cast<int>(candidates.size()));
      if (added) {
        candidates.push_back({prefix, {}, parent, 0.0, 0.0});
      }
      int id = found->second;
      if (id != parent) {
        candidates[static_cast<std::size_t>(id)].shifts.push_back(shifts[s]);
      }
      parent = id;
    }
  }
  for (tcandidate& candidate : candidates) {
    candidate.median = medianof(candidate.shifts);
  }
  // A class is worth what it saves over its parent class; the classes of
  // the first sphere come first, so that every kind of atom gets a shift.
  for (tcandidate& candidate : candidates) {
    double own = deviation(candidate.shifts, candidate.median);
    if (candidate.parent < 0) {
      candidate.gain = 1e12 + static_cast<double>(candidate.shifts.size());
    } else {
      double inherited = deviation(
          candidate.shifts,
          candidates[static_cast<std::size_t>(candidate.parent)].median);
      candidate.gain = inherited - own;
    }
  }
  std::vector<int> order(candidates.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    order[i] = static_cast<int>(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return candidates[static_cast<std::size_t>(a)].gain >
           candidates[static_cast<std::size_t>(b)].gain;
  });
  std::vector<tpeak> entries;
  for (int id : order) {
    if (static_cast<int>(entries.size()) >= capacity) {
      break;
    }
    const tcandidate& candidate = candidates[static_cast<std::size_t>(id)];
    if (candidate.gain <= 0.0) {
      continue;
    }
    tpeak entry = candidate.peak;
    entry.setshift(candidate.median, nucleus);
    entries.push_back(entry);
  }
  auto db = std::make_unique<tpeakdb>(nucleus);
  filllists(*db, entries);

  // Each entry then carries the median of the atoms it actually predicts.
  std::map<const tpeak*, std::vector<double>> predicts;
  for (std::size_t s = 0; s < samples.size(); ++s) {
    tmatch match = db->bestmatch(samples[s]);
    if (match.entry != nullptr) {
      predicts[match.entry].push_back(shifts[s]);
    }
  }
  std::vector<tpeak> refitted;
  for (int i = 0; i < peaklistcount; ++i) {
    for (const tpeak& entry : db->list(i).peaks) {
      tpeak copy = entry;
      auto found = predicts.find(&entry);
      if (found != predicts.end()) {
        copy.setshift(medianof(found->second), nucleus);
      }
      refitted.push_back(copy);
    }
  }
  filllists(*db, refitted);
  return db;
}

tshifterrors evaluatedatabase(
    const std::shared_ptr<tpeakdb>& db,
    const std::vector<const ttrainingmolecule*>& molecules, bool carbononly) {
  tshifterrors errors;
  auto start = std::chrono::steady_clock::now();
  for (const ttrainingmolecule* molecule : molecules) {
    std::vector<tatomshift> predicted = predictshifts(*molecule->structure, db);
    ++errors.molecules;
    std::unordered_map<int, const tatomshift*> byatom;
    for (const tatomshift& shift : predicted) {
      byatom.emplace(shift.atomindex, &shift);
    }
    for (const tassignedshift& assigned : molecule->shifts) {
      const tatm* atom = molecule->structure->atoms.items(assigned.atomindex);
      if (carbononly && (atom == nullptr || atom->element != 6)) {
        continue;
      }
      ++errors.atoms;
      auto found = byatom.find(assigned.atomindex);
      if (found != byatom.end() && found->second->level != 0 &&
          found->second->shift > -999.0) {
        ++errors.predicted;
        errors.abserror += std::abs(found->second->shift - assigned.shift);
      }
    }
  }
  errors.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  return errors;
}

tshifterrors crossvalidate(const std::vector<ttrainingmolecule>& molecules,
                           int nucleus, int capacity, int folds,
                           bool carbononly) {
  tshifterrors total;
  folds = std::max(folds, 2);
  for (int fold = 0; fold < folds; ++fold) {
    std::vector<const ttrainingmolecule*> training;
    std::vector<const ttrainingmolecule*> testing;
    for (std::size_t i = 0; i < molecules.size(); ++i) {
      (static_cast<int>(i % static_cast<std::size_t>(folds)) == fold ? testing
                                                                     : training)
          .push_back(&molecules[i]);
    }
    std::shared_ptr<tpeakdb> db = builddatabase(training, nucleus, capacity);
    total.add(evaluatedatabase(db, testing, carbononly));
  }
  return total;
}

}  // namespace molvane
