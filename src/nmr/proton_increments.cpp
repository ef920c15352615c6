// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/proton_increments.h"

#include "nmr/environment_keys.h"
#include "nmr/nmr_graph.h"

#include <algorithm>

namespace molvane {

namespace {

constexpr int carbon = 6;
constexpr std::uint64_t baseterm = 1;
constexpr std::uint64_t ringterm = 2;

/// 3 when two neighbours of atom are bonded, 4 when they share another
/// neighbour, else 0.
int smallring(const tnmrgraph& graph, int atom) {
  std::vector<int> around = graph.neighbours(atom);
  int smallest = 0;
  for (std::size_t i = 0; i < around.size(); ++i) {
    std::vector<int> firsts = graph.neighbours(around[i]);
    for (std::size_t j = i + 1; j < around.size(); ++j) {
      if (std::find(firsts.begin(), firsts.end(), around[j]) != firsts.end()) {
        return 3;
      }
      std::vector<int> seconds = graph.neighbours(around[j]);
      for (int x : firsts) {
        if (x != atom &&
            std::find(seconds.begin(), seconds.end(), x) != seconds.end()) {
          smallest = 4;
        }
      }
    }
  }
  return smallest;
}

}  // namespace

bool carriessp3protons(const tnmrgraph& graph, int atom) {
  const tgraphatom& node = graph.atoms[static_cast<std::size_t>(atom)];
  return node.element == carbon && node.charge == 0 &&
         graph.hydrogens(atom) > 0 && atomclass(graph, atom) == 3;
}

bool protonterms(const tnmrgraph& graph, int atom, tincrementterms& terms) {
  if (!carriessp3protons(graph, atom)) {
    return false;
  }
  int hydrogens = graph.hydrogens(atom);
  terms = {};
  terms.fixed.push_back(
      makekey({baseterm, static_cast<std::uint64_t>(hydrogens)}));
  addsubstituentterms(graph, atom, -1, terms);
  int ring = smallring(graph, atom);
  if (ring != 0) {
    terms.fixed.push_back(
        makekey({ringterm, static_cast<std::uint64_t>(ring)}));
  }
  return true;
}

}  // namespace molvane
