// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/conjugation.h"

#include "document/drawing.h"

#include <algorithm>
#include <span>
#include <vector>

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

/// The π electrons ring atom at brings to a ring whose bonds are
/// ringbonds: one for its share of a ring double bond, none beside a double
/// bond outside the ring, two for a lone pair; -1 when it brings none of
/// these (a tetrahedral carbon breaks the ring's conjugation).
int pielectrons(const tbondgraph& graph, std::int32_t at,
                std::span<const std::int32_t> ringbonds) {
  int ringdoubles = 0;
  int otherdoubles = 0;
  for (std::int32_t b : graph.atombonds[static_cast<std::size_t>(at)]) {
    if (plaincode(*graph.bonds[static_cast<std::size_t>(b)].first) !=
        doublecode) {
      continue;
    }
    const bool inring =
        std::find(ringbonds.begin(), ringbonds.end(), b) != ringbonds.end();
    (inring ? ringdoubles : otherdoubles) += 1;
  }
  if (ringdoubles + otherdoubles > 1) {
    return -1;
  }
  if (ringdoubles == 1) {
    return 1;
  }
  if (otherdoubles == 1) {
    return 0;
  }
  return givespair(graph, at) ? 2 : -1;
}

/// Walks simple six-rings from start through atoms after it in the list
/// (so each ring is found from its first atom) and hands each ring's bonds
/// to found.
template <typename Found>
void sixrings(const tbondgraph& graph, std::int32_t start, std::int32_t at,
              std::vector<std::int32_t>& atoms,
              std::vector<std::int32_t>& bonds, const Found& found) {
  for (std::int32_t b : graph.atombonds[static_cast<std::size_t>(at)]) {
    const std::int32_t next = otherend(graph, b, at);
    if (next == start && bonds.size() == 5) {
      bonds.push_back(b);
      found(atoms, bonds);
      bonds.pop_back();
      continue;
    }
    if (next <= start || bonds.size() >= 5 ||
        std::find(atoms.begin(), atoms.end(), next) != atoms.end()) {
      continue;
    }
    atoms.push_back(next);
    bonds.push_back(b);
    sixrings(graph, start, next, atoms, bonds, found);
    atoms.pop_back();
    bonds.pop_back();
  }
}

}  // namespace

std::vector<bool> donorringsinglebonds(const tbondgraph& graph) {
  std::vector<bool> marked(graph.bonds.size(), false);
  for (std::size_t a = 0; a < graph.atoms.size(); ++a) {
    const auto start = static_cast<std::int32_t>(a);
    std::vector<std::int32_t> atoms{start};
    std::vector<std::int32_t> bonds;
    sixrings(
        graph, start, start, atoms, bonds,
        [&](const std::vector<std::int32_t>& ring,
            const std::vector<std::int32_t>& ringbonds) {
          int electrons = 0;
          bool donor = false;
          for (std::int32_t at : ring) {
            const int brings = pielectrons(graph, at, ringbonds);
            if (brings < 0) {
              return;
            }
            electrons += brings;
            donor = donor || brings == 2;
          }
          if (electrons != 6 || !donor) {
            return;
          }
          for (std::int32_t b : ringbonds) {
            const auto& [bond, ends] = graph.bonds[static_cast<std::size_t>(b)];
            if (plaincode(*bond) == singlecode &&
                graph.atoms[static_cast<std::size_t>(ends[0])]->element == 6 &&
                graph.atoms[static_cast<std::size_t>(ends[1])]->element == 6) {
              marked[static_cast<std::size_t>(b)] = true;
            }
          }
        });
  }
  return marked;
}

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
