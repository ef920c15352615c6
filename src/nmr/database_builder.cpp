// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/database_builder.h"

#include "document/structure.h"
#include "nmr/carbon_training.h"
#include "nmr/increment_schemes.h"
#include "nmr/learned_tables.h"
#include "nmr/nmr_graph.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "nmr/shift_combination.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <unordered_map>

namespace molvane {

namespace {

constexpr int carbon = 6;
/// Room left in a shipped database for what users teach it.
constexpr int teachingroom = 200;
/// The share of entries that replace what the increment schemes give; with
/// classes ranked by their error on atoms left out of them, a tenth did best
/// in cross-validation on the carbon spectra (a fifth and 0.35 did worse).
constexpr double overrideshare = 0.1;
/// Ranks the gains of classes that only fit the atoms they were made from
/// below every class that holds up on atoms left out of it.
constexpr double leftoverscale = 1e-9;

struct tbefore {
  bool operator()(const tpeak& a, const tpeak& b) const {
    return comparepeaks(a, b) < 0;
  }
};

/// A measured atom: its peak, shift, class, the result of its increment
/// scheme, and the classes of its leading spheres (path[j] matches the atom
/// in level[j] spheres).
struct tsample {
  tpeak peak;
  double shift = 0.0;
  int c = 0;
  tprediction fallback;
  std::array<int, spherecount> path{};
  std::array<int, spherecount> level{};
  int pathlength = 0;
  /// Position on the path of the deepest chosen class; -1 for none.
  int current = -1;
  double error = 0.0;
};

/// The atoms whose codes begin with the same spheres.
struct tnode {
  tpeak peak;
  int parent = -1;
  std::vector<std::pair<int, int>> members;  // sample, position on its path
  bool chosen = false;
  double value = 0.0;
};

/// The value minimising the weighted sum of absolute differences.
double weightedmedian(std::vector<std::pair<double, double>> values) {
  if (values.empty()) {
    return 0.0;
  }
  std::sort(values.begin(), values.end());
  double total = 0.0;
  for (const auto& value : values) {
    total += value.second;
  }
  double running = 0.0;
  for (const auto& value : values) {
    running += value.second;
    if (running >= total / 2.0) {
      return value.first;
    }
  }
  return values.back().first;
}

/// The error a class's median makes on each of its atoms when that atom is
/// left out of the median: what the class is worth on atoms it has not seen.
/// Needs two values at least.
double leaveoneouterror(std::vector<double> values) {
  std::size_t n = values.size();
  std::sort(values.begin(), values.end());
  // The median of the other n - 1 values (the lower one of an even count,
  // as weightedmedian takes it).
  std::size_t k = (n - 1 + 1) / 2 - 1;
  double error = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    double others = i > k ? values[k] : values[k + 1];
    error += std::abs(values[i] - others);
  }
  return error;
}

/// Carbon, hydrogen and nitrogen have increment schemes that back up a
/// shallow match; for the other nuclei a deep match on one or two atoms
/// still beats the median of a shallow class.
bool hasincrementschemes(int nucleus) {
  return nucleus == 1 || nucleus == 6 || nucleus == 7;
}

bool desiredvalue(const tsample& sample, int level,
                  std::pair<double, double>& value) {
  // Entries carry the plain shifts of the atoms they stand for: the
  // increment schemes look them up as shifts of those environments.
  tprediction zero = combineshifts(sample.c, 0.0, level, sample.fallback);
  tprediction one = combineshifts(sample.c, 1.0, level, sample.fallback);
  if (level == 0 || std::abs(one.shift - zero.shift) < 1e-9) {
    return false;
  }
  value = {sample.shift, 1.0};
  return true;
}

/// Plain choice: every first-sphere class, then the classes whose median
/// improves most on their parent's.
void choosenodes(const std::vector<tsample>& samples, std::vector<tnode>& nodes,
                 int capacity, bool fillroom) {
  std::vector<double> median(nodes.size(), 0.0);
  std::vector<double> gain(nodes.size(), 0.0);
  for (std::size_t n = 0; n < nodes.size(); ++n) {
    std::vector<std::pair<double, double>> values;
    for (auto [s, j] : nodes[n].members) {
      values.emplace_back(samples[static_cast<std::size_t>(s)].shift, 1.0);
    }
    median[n] = weightedmedian(values);
  }
  for (std::size_t n = 0; n < nodes.size(); ++n) {
    double inherited = 0.0;
    std::vector<double> values;
    for (auto [s, j] : nodes[n].members) {
      double x = samples[static_cast<std::size_t>(s)].shift;
      values.push_back(x);
      if (nodes[n].parent >= 0) {
        inherited +=
            std::abs(x - median[static_cast<std::size_t>(nodes[n].parent)]);
      }
    }
    // The first-sphere classes come first, so every kind of atom is covered;
    // then the classes whose median holds up on atoms left out of it; the
    // rest (classes of one atom among them) only fill the room left over.
    double own = 0.0;
    for (double x : values) {
      own += std::abs(x - median[n]);
    }
    double unseen =
        values.size() >= 2 ? inherited - leaveoneouterror(values) : 0.0;
    if (nodes[n].parent < 0) {
      gain[n] = 1e12 + static_cast<double>(values.size());
    } else if (unseen > 0.0) {
      gain[n] = unseen;
    } else {
      gain[n] = fillroom ? (inherited - own) * leftoverscale : 0.0;
    }
  }
  std::vector<int> order(nodes.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    order[i] = static_cast<int>(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return gain[static_cast<std::size_t>(a)] >
           gain[static_cast<std::size_t>(b)];
  });
  int count = 0;
  for (int id : order) {
    auto n = static_cast<std::size_t>(id);
    if (count >= capacity || gain[n] <= 0.0) {
      break;
    }
    nodes[n].chosen = true;
    nodes[n].value = median[n];
    ++count;
  }
}

/// Adds up to extra classes where a deeper match would replace what the
/// whole predictor now gives (an increment scheme, or a blend with one)
/// by the class's median, best saving first. Classes of one atom are left
/// out: they would only learn the training set by heart.
void chooseoverrides(const std::vector<tsample>& samples,
                     std::vector<tnode>& nodes, const tpeakdb& db, int nucleus,
                     int extra) {
  std::vector<double> current(samples.size(), 0.0);
  for (std::size_t s = 0; s < samples.size(); ++s) {
    const tsample& sample = samples[s];
    tmatch match = db.bestmatch(sample.peak);
    double s1 = match.entry != nullptr ? match.entry->getshift(nucleus) : 0.0;
    tprediction p = combineshifts(sample.c, s1, match.level, sample.fallback);
    current[s] = p.has() ? std::abs(p.shift - sample.shift) : 1e3;
  }
  std::vector<std::pair<double, int>> gains;
  for (std::size_t n = 0; n < nodes.size(); ++n) {
    if (nodes[n].chosen || nodes[n].members.size() < 2) {
      continue;
    }
    std::vector<std::pair<double, double>> values;
    for (auto [s, j] : nodes[n].members) {
      values.emplace_back(samples[static_cast<std::size_t>(s)].shift, 1.0);
    }
    double m = weightedmedian(values);
    double gain = 0.0;
    for (auto [s, j] : nodes[n].members) {
      const tsample& sample = samples[static_cast<std::size_t>(s)];
      tprediction p =
          combineshifts(sample.c, m, sample.level[static_cast<std::size_t>(j)],
                        sample.fallback);
      if (p.has()) {
        gain += current[static_cast<std::size_t>(s)] -
                std::abs(p.shift - sample.shift);
      }
    }
    if (gain > 0.0) {
      gains.emplace_back(gain, static_cast<int>(n));
      nodes[n].value = m;
    }
  }
  std::sort(gains.begin(), gains.end(), std::greater<>());
  for (std::size_t i = 0; i < gains.size() && static_cast<int>(i) < extra;
       ++i) {
    nodes[static_cast<std::size_t>(gains[i].second)].chosen = true;
  }
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

int agreeing(const tpeak& a, const tpeak& b) {
  int level = 0;
  while (level < spherecount &&
         a.spheres[static_cast<std::size_t>(level)] ==
             b.spheres[static_cast<std::size_t>(level)]) {
    ++level;
  }
  return level;
}

/// The measured atoms of every molecule, with the results of their
/// increment schemes over db (none without db).
std::vector<tsample> samplesof(
    const std::vector<const ttrainingmolecule*>& molecules, int nucleus,
    const tpeakdb* db) {
  std::vector<tsample> samples;
  auto empty = std::make_shared<tpeakdb>(nucleus);
  for (const ttrainingmolecule* molecule : molecules) {
    tpeaklist list = makepeaklist(*molecule->structure, empty);
    tnmrgraph graph = tnmrgraph::fromstructure(*molecule->structure);
    std::unordered_map<int, const tpeak*> byatom;
    for (const tpeak& peak : list.peaks) {
      byatom.emplace(peak.atomindex, &peak);
    }
    for (const tassignedshift& assigned : molecule->shifts) {
      auto found = byatom.find(assigned.atomindex);
      if (found == byatom.end() || assigned.atomindex >= graph.size() ||
          !graph.atoms[static_cast<std::size_t>(assigned.atomindex)].active) {
        continue;
      }
      tsample sample;
      sample.peak = *found->second;
      sample.shift = assigned.shift;
      int node = assigned.atomindex;
      sample.c = shiftclass(graph, node, nucleus);
      if (db != nullptr) {
        sample.fallback =
            tincrementschemes(*db, graph).byhybridization(node, sample.c);
      }
      samples.push_back(sample);
    }
  }
  return samples;
}

std::vector<tnode> classesof(std::vector<tsample>& samples) {
  std::map<tpeak, int, tbefore> index;
  std::vector<tnode> nodes;
  for (std::size_t s = 0; s < samples.size(); ++s) {
    tsample& sample = samples[s];
    int parent = -1;
    sample.pathlength = 0;
    for (int depth = 1; depth <= spherecount; ++depth) {
      tpeak prefix = prefixof(sample.peak, depth);
      auto [found, added] =
          index.emplace(prefix, static_cast<int>(nodes.size()));
      if (added) {
        nodes.push_back({prefix, parent, {}, false, 0.0});
      }
      int id = found->second;
      if (id == parent) {
        continue;
      }
      auto j = static_cast<std::size_t>(sample.pathlength++);
      sample.path[j] = id;
      sample.level[j] = agreeing(sample.peak, prefix);
      nodes[static_cast<std::size_t>(id)].members.emplace_back(
          static_cast<int>(s), static_cast<int>(j));
      parent = id;
    }
  }
  return nodes;
}

/// The exact environments of the references' measured atoms, each with
/// the mean shift of the atoms that share it, in database order.
std::vector<tpeak> referenceentries(
    const std::vector<const ttrainingmolecule*>& references, int nucleus) {
  std::map<tpeak, std::pair<double, int>, tbefore> sums;
  for (const tsample& sample : samplesof(references, nucleus, nullptr)) {
    tpeak environment;
    environment.peaktype = sample.peak.peaktype;
    environment.spheres = sample.peak.spheres;
    auto& sum = sums[environment];
    sum.first += sample.shift;
    sum.second += 1;
  }
  std::vector<tpeak> entries;
  for (const auto& [environment, sum] : sums) {
    tpeak entry = environment;
    entry.setshift(sum.first / sum.second, nucleus);
    entries.push_back(entry);
  }
  return entries;
}

bool ispinned(const std::vector<tpeak>& pinned, const tpeak& entry) {
  auto found = std::lower_bound(pinned.begin(), pinned.end(), entry, tbefore());
  return found != pinned.end() && identical(*found, entry);
}

/// The chosen classes and the pinned entries, which win over a class with
/// the same environment.
std::unique_ptr<tpeakdb> databaseof(const std::vector<tnode>& nodes,
                                    const std::vector<tpeak>& pinned,
                                    int nucleus) {
  std::array<std::vector<tpeak>, peaklistcount> lists;
  for (const tnode& node : nodes) {
    if (node.chosen) {
      tpeak entry = node.peak;
      entry.setshift(node.value, nucleus);
      lists[static_cast<std::size_t>(listnumber(entry.peaktype))].push_back(
          entry);
    }
  }
  for (const tpeak& entry : pinned) {
    lists[static_cast<std::size_t>(listnumber(entry.peaktype))].push_back(
        entry);
  }
  auto db = std::make_unique<tpeakdb>(nucleus);
  for (int i = 0; i < peaklistcount; ++i) {
    db->setlist(i, std::move(lists[static_cast<std::size_t>(i)]));
  }
  return db;
}

/// Each entry takes the value that best fits the atoms it actually
/// predicts through the whole predictor.
void refit(tpeakdb& db, const std::vector<tsample>& samples,
           const std::vector<tpeak>& pinned, int nucleus) {
  std::map<const tpeak*, std::vector<std::pair<double, double>>> wanted;
  for (const tsample& sample : samples) {
    tmatch match = db.bestmatch(sample.peak);
    std::pair<double, double> value;
    if (match.entry != nullptr && desiredvalue(sample, match.level, value)) {
      wanted[match.entry].push_back(value);
    }
  }
  std::array<std::vector<tpeak>, peaklistcount> lists;
  for (int i = 0; i < peaklistcount; ++i) {
    for (const tpeak& entry : db.list(i).peaks) {
      tpeak copy = entry;
      auto found = wanted.find(&entry);
      if (found != wanted.end() && !ispinned(pinned, entry)) {
        copy.setshift(weightedmedian(found->second), nucleus);
      }
      lists[static_cast<std::size_t>(i)].push_back(copy);
    }
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
    int capacity, const std::vector<const ttrainingmolecule*>& references) {
  capacity = std::clamp(capacity, 0, databaselimit(nucleus) - 1);
  std::vector<tpeak> pinned = referenceentries(references, nucleus);
  if (static_cast<int>(pinned.size()) > capacity) {
    pinned.resize(static_cast<std::size_t>(capacity));
  }
  capacity -= static_cast<int>(pinned.size());
  int overrides = static_cast<int>(capacity * overrideshare);
  std::shared_ptr<const tlearnedtables> tables =
      fitlearnedtables(molecules, nucleus);
  std::vector<tsample> samples = samplesof(molecules, nucleus, nullptr);
  std::vector<tnode> nodes = classesof(samples);
  choosenodes(samples, nodes, capacity - overrides,
              !hasincrementschemes(nucleus));
  std::unique_ptr<tpeakdb> db = databaseof(nodes, pinned, nucleus);
  db->setlearned(tables);
  // The increment schemes look entries up themselves; only with the
  // entries chosen is it known what the whole predictor gives.
  std::vector<tsample> known = samplesof(molecules, nucleus, db.get());
  for (std::size_t s = 0; s < samples.size(); ++s) {
    samples[s].fallback = known[s].fallback;
  }
  chooseoverrides(samples, nodes, *db, nucleus, overrides);
  db = databaseof(nodes, pinned, nucleus);
  db->setlearned(tables);
  samples = samplesof(molecules, nucleus, db.get());
  refit(*db, samples, pinned, nucleus);
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

tshifterrors crossvalidate(
    const std::vector<ttrainingmolecule>& molecules, int nucleus, int capacity,
    int folds, bool carbononly, bool withoutmodel,
    const std::vector<const ttrainingmolecule*>& references) {
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
    std::shared_ptr<tpeakdb> db =
        builddatabase(training, nucleus, capacity, references);
    if (nucleus == carbon && !withoutmodel) {
      db->setcarbonmodel(
          std::make_shared<tcarbonmodel>(traincarbonmodel(training, capacity)));
    }
    total.add(evaluatedatabase(db, testing, carbononly));
  }
  return total;
}

}  // namespace molvane
