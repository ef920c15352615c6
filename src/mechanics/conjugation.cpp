// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/conjugation.h"

#include "document/drawing.h"

#include <algorithm>
#include <span>

namespace molvane {

namespace {

constexpr int singlecode = 2;
constexpr int doublecode = 4;
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

/// Bond codes around a ring, starting at one of its double bonds: benzene's
/// alternation, and the five-ring whose last atom gives the π system its
/// lone pair (pyrrole, furan, thiophene, imidazole).
constexpr std::array<int, 6> sixring = {doublecode, singlecode, doublecode,
                                        singlecode, doublecode, singlecode};
constexpr std::array<int, 5> fivering = {doublecode, singlecode, doublecode,
                                         singlecode, singlecode};

/// An atom whose lone pair completes a five-ring's six π electrons.
bool givespair(const tbondgraph& graph, std::int32_t atom) {
  const tatm& a = *graph.atoms[static_cast<std::size_t>(atom)];
  if (a.fcharge != 0) {
    return false;
  }
  for (std::int32_t b : graph.atombonds[static_cast<std::size_t>(atom)]) {
    if (plaincode(*graph.bonds[static_cast<std::size_t>(b)].first) !=
        singlecode) {
      return false;
    }
  }
  return a.element == 7 || a.element == 8 || a.element == 16 || a.element == 34;
}

/// Depth-first walk from start along bonds with the codes of the pattern,
/// looking for the way back to start after the whole pattern.
bool closesring(const tbondgraph& graph, std::int32_t start, std::int32_t at,
                std::span<const int> pattern, std::vector<std::int32_t>& path) {
  const std::size_t done = path.size();
  if (done == pattern.size()) {
    return at == start;
  }
  if (pattern.size() == fivering.size() && done == pattern.size() - 1 &&
      !givespair(graph, at)) {
    return false;
  }
  for (std::int32_t b : graph.atombonds[static_cast<std::size_t>(at)]) {
    if (plaincode(*graph.bonds[static_cast<std::size_t>(b)].first) !=
            pattern[done] ||
        std::find(path.begin(), path.end(), b) != path.end()) {
      continue;
    }
    const std::int32_t next = otherend(graph, b, at);
    if (next == start && done + 1 != pattern.size()) {
      continue;
    }
    path.push_back(b);
    if (closesring(graph, start, next, pattern, path)) {
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
    if (plaincode(*graph.bonds[b].first) != doublecode) {
      continue;
    }
    for (const std::span<const int> pattern :
         {std::span<const int>(sixring), std::span<const int>(fivering)}) {
      // A five-ring is walked both ways: its lone pair sits after the
      // second double bond in one direction only.
      for (int way = 0; way < 2; ++way) {
        const auto& ends = graph.bonds[b].second;
        const std::int32_t start = ends[way];
        std::vector<std::int32_t> path{static_cast<std::int32_t>(b)};
        if (closesring(graph, start, ends[1 - way], pattern, path)) {
          for (std::int32_t inring : path) {
            marked[static_cast<std::size_t>(inring)] = true;
          }
        }
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
