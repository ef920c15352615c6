// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/ring_sides.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"

#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

namespace molvane {

namespace {

/// Rings longer than this are not searched: the breadth-first walk then
/// stays cheap on large drawings, and a macrocycle's centre says little
/// about where a line looks right.
constexpr int longestring = 40;

struct tgraph {
  std::vector<const tatm*> atoms;
  /// (neighbour, bond) pairs of each atom.
  std::vector<std::vector<std::pair<int, tbond*>>> next;
};

tgraph graphof(tdrawing& drawing) {
  tgraph graph;
  std::unordered_map<const tatm*, int> index;
  for (const tatm* atom : drawing.atoms) {
    index.emplace(atom, static_cast<int>(graph.atoms.size()));
    graph.atoms.push_back(atom);
  }
  graph.next.resize(graph.atoms.size());
  for (tbond* bond : drawing.bonds) {
    if (bond->chemical == 0 || bond->atom1 == nullptr ||
        bond->atom2 == nullptr) {
      continue;
    }
    const auto first = index.find(bond->atom1);
    const auto second = index.find(bond->atom2);
    if (first == index.end() || second == index.end() ||
        first->second == second->second) {
      continue;
    }
    graph.next[static_cast<std::size_t>(first->second)].emplace_back(
        second->second, bond);
    graph.next[static_cast<std::size_t>(second->second)].emplace_back(
        first->second, bond);
  }
  return graph;
}

/// The atoms of the shortest path from `from` to `to` that does not use
/// `skipped`, both ends included; empty when there is none within
/// longestring atoms.
std::vector<int> shortestpath(const tgraph& graph, int from, int to,
                              const tbond* skipped, std::vector<int>& before) {
  std::vector<int> reached{from};
  before[static_cast<std::size_t>(from)] = from;
  std::vector<int> path;
  std::size_t head = 0;
  std::vector<int> depth{0};
  while (head < reached.size() && path.empty()) {
    const int atom = reached[head];
    const int steps = depth[head];
    ++head;
    if (steps + 1 >= longestring) {
      break;
    }
    for (const auto& [other, bond] :
         graph.next[static_cast<std::size_t>(atom)]) {
      if (bond == skipped || before[static_cast<std::size_t>(other)] >= 0) {
        continue;
      }
      before[static_cast<std::size_t>(other)] = atom;
      reached.push_back(other);
      depth.push_back(steps + 1);
      if (other == to) {
        for (int at = to; at != from;
             at = before[static_cast<std::size_t>(at)]) {
          path.push_back(at);
        }
        path.push_back(from);
        break;
      }
    }
  }
  // Only the atoms reached were marked; clearing them keeps each search
  // proportional to what it visited.
  for (int atom : reached) {
    before[static_cast<std::size_t>(atom)] = -1;
  }
  return path;
}

}  // namespace

void placeringsecondlines(tdrawing& drawing) {
  const tgraph graph = graphof(drawing);
  std::vector<int> before(graph.atoms.size(), -1);
  for (std::size_t a = 0; a < graph.atoms.size(); ++a) {
    for (const auto& [b, bond] : graph.next[a]) {
      const auto first = static_cast<int>(a);
      const int kind = bond->kind();
      // Each bond once, from its lower end.
      if (b < first || (kind != 3 && kind != 4)) {
        continue;
      }
      const std::vector<int> ring = shortestpath(graph, first, b, bond, before);
      if (ring.size() < 3) {
        continue;
      }
      double cx = 0.0;
      double cy = 0.0;
      for (int atom : ring) {
        cx += graph.atoms[static_cast<std::size_t>(atom)]->x;
        cy += graph.atoms[static_cast<std::size_t>(atom)]->y;
      }
      cx /= static_cast<double>(ring.size());
      cy /= static_cast<double>(ring.size());
      const tatm& one = *bond->atom1;
      const tatm& two = *bond->atom2;
      // The second line lies along side * (offx, offy); the offsets are
      // rounded to pixels, and those are what gets painted.
      bond->calcoffsets();
      const double towards = bond->offx * (cx - (one.x + two.x) / 2.0) +
                             bond->offy * (cy - (one.y + two.y) / 2.0);
      if (towards != 0.0) {
        bond->side = towards > 0.0 ? 1 : -1;
      }
    }
  }
}

}  // namespace molvane
