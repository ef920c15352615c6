// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/increment_schemes.h"

#include "model/element_data.h"
#include "nmr/learned_tables.h"
#include "nmr/nmr_graph.h"
#include "nmr/shift_increments.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace molvane {

namespace {

constexpr int hydrogen = 1;
constexpr int carbon = 6;
constexpr int nitrogen = 7;
constexpr int singlekind = 2;
constexpr int doublekind = 4;
constexpr int triplekind = 6;

const tprediction failed{};

/// Puts the graph back as it was when the guard was made, whatever the
/// scheme cut or changed in between.
class tgraphguard {
 public:
  explicit tgraphguard(tnmrgraph& graph) : graph_(graph), atoms_(graph.atoms) {
    present_.reserve(graph.bonds.size());
    for (const tgraphbond& bond : graph.bonds) {
      present_.push_back(bond.present);
    }
  }
  ~tgraphguard() {
    graph_.atoms = atoms_;
    for (std::size_t i = 0; i < present_.size(); ++i) {
      graph_.bonds[i].present = present_[i];
    }
  }
  tgraphguard(const tgraphguard&) = delete;
  tgraphguard& operator=(const tgraphguard&) = delete;

 private:
  tnmrgraph& graph_;
  std::vector<tgraphatom> atoms_;
  std::vector<bool> present_;
};

/// Plain (not delocalised) present bonds of atom of one kind.
std::vector<int> bondsofkind(const tnmrgraph& graph, int atom, int kind) {
  std::vector<int> result;
  for (int bond : graph.presentbonds(atom)) {
    const tgraphbond& b = graph.bonds[static_cast<std::size_t>(bond)];
    if (!b.delocalised && b.kind == kind) {
      result.push_back(bond);
    }
  }
  return result;
}

bool iscarbon(const tnmrgraph& graph, int atom) {
  return graph.atoms[static_cast<std::size_t>(atom)].element == carbon;
}

int roundedlevel(int running, int count) {
  return static_cast<int>(std::lround(static_cast<double>(running) / count));
}

/// Halogen correction of the star scheme: the last halogen neighbour
/// decides, for atoms with three or four neighbours.
double halogencorrection(const tnmrgraph& graph,
                         const std::vector<int>& neighbours) {
  int row = static_cast<int>(neighbours.size()) - 3;
  if (row < 0 || row > 1) {
    return 0.0;
  }
  static constexpr double table[2][4] = {{-5.0, 1.0, 5.0, 10.0},
                                         {-3.75, 0.75, 3.75, 7.5}};
  double value = 0.0;
  for (int n : neighbours) {
    switch (graph.atoms[static_cast<std::size_t>(n)].element) {
      case 9:
        value = table[row][0];
        break;
      case 17:
        value = table[row][1];
        break;
      case 35:
        value = table[row][2];
        break;
      case 53:
        value = table[row][3];
        break;
      default:
        break;
    }
  }
  return value;
}

/// The running sum of the star scheme over the substituent shifts in one
/// order: heavy substitution adds a fixed step once the sum passes 130.
double starsum(const std::vector<double>& shifts, double start, double base) {
  double v = start;
  for (std::size_t k = 0; k < shifts.size(); ++k) {
    if (shifts[k] + v >= 130.0 && k > 2) {
      v += 5.0;
    } else {
      v = shifts[k] + v - base;
    }
  }
  return v;
}

}  // namespace

tprediction tincrementschemes::lookup(int atom) const {
  return db_.lookupatom(graph_, atom);
}

tprediction tincrementschemes::predictaromatic(int atom) {
  int a = atom;
  if (graph_.atoms[static_cast<std::size_t>(a)].element == hydrogen) {
    std::vector<int> bonds = graph_.presentbonds(a);
    if (bonds.size() == 1 &&
        !graph_.bonds[static_cast<std::size_t>(bonds[0])].delocalised) {
      a = graph_.other(bonds[0], a);
    }
  }
  int element = graph_.atoms[static_cast<std::size_t>(a)].element;
  if ((element < carbon || element > 9) && element != 15) {
    return failed;
  }
  if (graph_.hybridization(a) != 4) {
    return failed;
  }
  // The ring system: atoms reached over delocalised bonds, five bonds out.
  std::vector<int> depth(graph_.atoms.size(), -1);
  std::vector<int> ring{a};
  depth[static_cast<std::size_t>(a)] = 0;
  for (std::size_t next = 0; next < ring.size(); ++next) {
    int at = ring[next];
    if (depth[static_cast<std::size_t>(at)] >= 5) {
      continue;
    }
    for (int bond : graph_.presentbonds(at)) {
      if (!graph_.bonds[static_cast<std::size_t>(bond)].delocalised) {
        continue;
      }
      int far = graph_.other(bond, at);
      if (depth[static_cast<std::size_t>(far)] < 0) {
        depth[static_cast<std::size_t>(far)] =
            depth[static_cast<std::size_t>(at)] + 1;
        ring.push_back(far);
      }
    }
  }
  if (ring.size() < 2) {
    return failed;
  }
  tgraphguard guard(graph_);
  std::vector<int> substituent(ring.size(), -1);
  for (std::size_t i = 0; i < ring.size(); ++i) {
    std::vector<int> plain;
    for (int bond : graph_.presentbonds(ring[i])) {
      if (!graph_.bonds[static_cast<std::size_t>(bond)].delocalised) {
        plain.push_back(bond);
      }
    }
    if (plain.size() == 1) {
      substituent[i] = plain[0];
    }
  }
  for (int bond : substituent) {
    if (bond >= 0) {
      graph_.cutbond(bond);
    }
  }
  // The all-carbon ring; each heteroatom is put back in turn below.
  std::vector<tgraphatom> remembered(ring.size());
  auto tocarbon = [this](int at) {
    tgraphatom& node = graph_.atoms[static_cast<std::size_t>(at)];
    node.valence2 += valenceof(carbon) - valenceof(node.element);
    node.element = carbon;
    node.charge = 0;
  };
  for (std::size_t i = 0; i < ring.size(); ++i) {
    remembered[i] = graph_.atoms[static_cast<std::size_t>(ring[i])];
    int h = graph_.hybridization(ring[i]);
    if (h == 3 || h == 4) {
      tocarbon(ring[i]);
    }
  }
  tprediction base = lookup(a);
  if (base.level == 0) {
    return failed;
  }
  double r = base.shift;
  bool failure = false;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    if (remembered[i].element == carbon ||
        graph_.atoms[static_cast<std::size_t>(ring[i])].element != carbon) {
      continue;
    }
    graph_.atoms[static_cast<std::size_t>(ring[i])] = remembered[i];
    tprediction t = lookup(a);
    r += t.shift - base.shift;
    failure = failure || t.level == 0;
    tocarbon(ring[i]);
  }
  for (int bond : substituent) {
    if (bond >= 0) {
      graph_.restorebond(bond);
    }
  }
  double corrected = r - 0.0075 * (r - base.shift) * (r - base.shift);
  // One substituent at a time on the all-carbon ring; a position without
  // one looks like the bare ring and adds nothing.
  int smallest = base.level;
  double increments = 0.0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    if (substituent[i] < 0) {
      continue;
    }
    for (std::size_t j = 0; j < ring.size(); ++j) {
      if (j != i && substituent[j] >= 0) {
        graph_.cutbond(substituent[j]);
      }
    }
    tprediction t = lookup(a);
    for (std::size_t j = 0; j < ring.size(); ++j) {
      if (j != i && substituent[j] >= 0) {
        graph_.restorebond(substituent[j]);
      }
    }
    smallest = std::min(smallest, t.level);
    increments += t.shift - base.shift;
  }
  if (failure || smallest <= 0) {
    return failed;
  }
  return {corrected + increments, -smallest};
}

tprediction tincrementschemes::predictsp2(int atom) {
  int nucleus = db_.nucleus();
  if (!iscarbon(graph_, atom) || (nucleus != hydrogen && nucleus != carbon)) {
    return failed;
  }
  std::vector<int> doubles = bondsofkind(graph_, atom, doublekind);
  if (doubles.size() != 1) {
    return failed;
  }
  int partner = graph_.other(doubles[0], atom);
  std::vector<int> positions;
  double base = 0.0;
  bool useincrements = false;
  if (iscarbon(graph_, partner) && graph_.hybridization(atom) == 2 &&
      graph_.hybridization(partner) == 2) {
    positions = bondsofkind(graph_, atom, singlekind);
    for (int bond : bondsofkind(graph_, partner, singlekind)) {
      positions.push_back(bond);
    }
    base = nucleus == hydrogen ? 5.58 : 122.0;
    useincrements = nucleus == carbon;
  } else {
    // The end of an allene: its partner has a second double bond to carbon.
    std::vector<int> centre = bondsofkind(graph_, partner, doublekind);
    if (nucleus != carbon || !iscarbon(graph_, partner) || centre.size() != 2) {
      return failed;
    }
    int far =
        graph_.other(centre[0] == doubles[0] ? centre[1] : centre[0], partner);
    if (!iscarbon(graph_, far)) {
      return failed;
    }
    positions = bondsofkind(graph_, atom, singlekind);
    for (int bond : bondsofkind(graph_, far, singlekind)) {
      positions.push_back(bond);
    }
    base = 72.5;
  }
  tgraphguard guard(graph_);
  for (int bond : positions) {
    graph_.cutbond(bond);
  }
  double result = base;
  int level = 7;
  for (int bond : positions) {
    graph_.restorebond(bond);
    tprediction t = lookup(atom);
    double increment = t.shift - base;
    int found = t.level;
    if (found == 0 && useincrements) {
      tprediction rule = TLANMR::sp2shift(graph_, atom);
      increment = rule.shift - base;
      found = -rule.level;
    }
    level = std::min(level, found);
    result += increment;
    graph_.cutbond(bond);
  }
  if (level <= 0) {
    return failed;
  }
  return {result, -level};
}

tprediction tincrementschemes::predictsp(int atom) {
  if (db_.nucleus() != carbon || !iscarbon(graph_, atom)) {
    return failed;
  }
  std::vector<int> doubles = bondsofkind(graph_, atom, doublekind);
  std::vector<int> triples = bondsofkind(graph_, atom, triplekind);
  std::vector<int> ends;
  if (doubles.size() == 2 && graph_.degree(atom) == 2) {
    ends = {graph_.other(doubles[0], atom), graph_.other(doubles[1], atom)};
    for (int end : ends) {
      if (!iscarbon(graph_, end) || graph_.hybridization(end) != 2) {
        return failed;
      }
    }
  } else if (triples.size() == 1 &&
             iscarbon(graph_, graph_.other(triples[0], atom))) {
    ends = {atom, graph_.other(triples[0], atom)};
  } else {
    return failed;
  }
  bool allene = doubles.size() == 2;
  std::vector<int> positions;
  for (int end : ends) {
    std::vector<int> singles = bondsofkind(graph_, end, singlekind);
    if (allene || singles.size() == 1) {
      positions.insert(positions.end(), singles.begin(), singles.end());
    }
  }
  tgraphguard guard(graph_);
  for (int bond : positions) {
    graph_.cutbond(bond);
  }
  double base = 73.3;
  int bare = 7;
  if (allene) {
    tprediction centre = lookup(atom);
    if (centre.level == 0) {
      return failed;
    }
    base = centre.shift;
    bare = centre.level;
  }
  double result = base;
  int running = 0;
  int count = 0;
  for (int bond : positions) {
    graph_.restorebond(bond);
    tprediction t = lookup(atom);
    graph_.cutbond(bond);
    if (t.level == 0) {
      return failed;
    }
    result += t.shift - base;
    running -= t.level;
    ++count;
  }
  int level = count > 0 ? roundedlevel(running, count) : -bare;
  if (!allene) {
    for (int bond : positions) {
      graph_.restorebond(bond);
    }
    double increment = TLANMR::spincrement(graph_, atom, level);
    if (increment <= -9999.0) {
      return failed;
    }
    result += increment;
  }
  return {result, level};
}

tprediction tincrementschemes::predictsp3(int atom) {
  int nucleus = db_.nucleus();
  if (nucleus == carbon) {
    tprediction rule = TLANMR::sp3shift(graph_, atom);
    if (rule.level != 0) {
      return rule;
    }
    return starscheme(atom);
  }
  if (nucleus == nitrogen) {
    return starscheme(atom);
  }
  return failed;
}

tprediction tincrementschemes::starscheme(int atom) {
  int nucleus = db_.nucleus();
  std::vector<int> neighbours = graph_.neighbours(atom);
  if (neighbours.empty()) {
    return failed;
  }
  double ring = smallringcorrection(graph_, atom, nucleus);
  double halo = halogencorrection(graph_, neighbours);
  tgraphguard guard(graph_);
  std::vector<int> bonds = graph_.presentbonds(atom);
  for (int bond : bonds) {
    graph_.cutbond(bond);
  }
  tprediction base = lookup(atom);
  if (base.level == 0) {
    return failed;
  }
  double start = nucleus == carbon ? base.shift + ring + halo : base.shift;
  double nitrogensum = start;
  std::vector<double> shifts;
  for (int bond : bonds) {
    graph_.restorebond(bond);
    tprediction t = lookup(atom);
    graph_.cutbond(bond);
    if (t.level == 0) {
      return failed;
    }
    nitrogensum += t.shift - base.shift;
    shifts.push_back(t.shift);
  }
  if (nucleus != carbon) {
    return {nitrogensum, -1};
  }
  std::sort(shifts.begin(), shifts.end());
  double up = starsum(shifts, start, base.shift);
  std::reverse(shifts.begin(), shifts.end());
  double down = starsum(shifts, start, base.shift);
  return {(up + down) / 2.0, -1};
}

tprediction tincrementschemes::byhybridization(int atom, int hybridization) {
  switch (hybridization) {
    case 1:
      return predictsp(atom);
    case 2:
      return predictsp2(atom);
    case 3:
      return predictsp3(atom);
    case 4:
      return predictaromatic(atom);
    case fluorineclass:
    case protonsp3class:
      return learnedfallback(db_.learned(), graph_, atom, hybridization);
    default:
      return failed;
  }
}

}  // namespace molvane
