// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/conjugation.h"

#include "document/drawing.h"

#include <algorithm>

namespace molvane {

namespace {

constexpr int singlecode = 2;
constexpr int doublecode = 4;
constexpr int ringsize = 6;
constexpr int trigonal = 2;
constexpr int aromatichybrid = 4;

int plaincode(const tbond& bond) {
  return bond.isdelocalised() ? 0 : bond.kind();
}

std::int32_t otherend(const tbondgraph& graph, std::int32_t bond,
                      std::int32_t atom) {
  const auto& ends = graph.bonds[static_cast<std::size_t>(bond)].second;
  return ends[0] == atom ? ends[1] : ends[0];
}

/// Depth-first walk from start along bonds whose codes alternate, looking
/// for the way back to start after exactly six bonds.
bool closesring(const tbondgraph& graph, std::int32_t start, std::int32_t at,
                int wanted, std::vector<std::int32_t>& path) {
  if (static_cast<int>(path.size()) == ringsize) {
    return at == start;
  }
  for (std::int32_t b : graph.atombonds[static_cast<std::size_t>(at)]) {
    if (plaincode(*graph.bonds[static_cast<std::size_t>(b)].first) != wanted ||
        std::find(path.begin(), path.end(), b) != path.end()) {
      continue;
    }
    const std::int32_t next = otherend(graph, b, at);
    const bool closing = static_cast<int>(path.size()) == ringsize - 1;
    if (next == start && !closing) {
      continue;
    }
    path.push_back(b);
    if (closesring(graph, start, next,
                   wanted == singlecode ? doublecode : singlecode, path)) {
      return true;
    }
    path.pop_back();
  }
  return false;
}

}  // namespace

std::vector<bool> alternatingringbonds(const tbondgraph& graph) {
  std::vector<bool> marked(graph.bonds.size(), false);
  for (std::size_t b = 0; b < graph.bonds.size(); ++b) {
    if (marked[b] || plaincode(*graph.bonds[b].first) != doublecode) {
      continue;
    }
    const std::int32_t start = graph.bonds[b].second[0];
    std::vector<std::int32_t> path{static_cast<std::int32_t>(b)};
    if (closesring(graph, start, graph.bonds[b].second[1], singlecode, path)) {
      for (std::int32_t inring : path) {
        marked[static_cast<std::size_t>(inring)] = true;
      }
    }
  }
  return marked;
}

void flattenconjugatednitrogens(const tbondgraph& graph,
                                std::vector<int>& hybrids) {
  for (std::size_t a = 0; a < graph.atoms.size(); ++a) {
    const tatm* atom = graph.atoms[a];
    const auto& bonds = graph.atombonds[a];
    if (atom->element != 7 || atom->fcharge != 0 ||
        static_cast<int>(bonds.size()) + atom->implicithydrogens() != 3 ||
        hybrids[a] != 3) {
      continue;
    }
    bool allsingle = true;
    bool conjugated = false;
    for (std::int32_t b : bonds) {
      allsingle = allsingle &&
                  plaincode(*graph.bonds[static_cast<std::size_t>(b)].first) ==
                      singlecode;
      const int h = hybrids[static_cast<std::size_t>(
          otherend(graph, b, static_cast<std::int32_t>(a)))];
      conjugated = conjugated || h == trigonal || h == aromatichybrid;
    }
    if (allsingle && conjugated) {
      hybrids[a] = trigonal;
    }
  }
}

}  // namespace molvane
