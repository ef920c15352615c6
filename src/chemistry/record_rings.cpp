// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/record_rings.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace molvane {

std::vector<bool> ringbonds(const tmoleculerecord& record) {
  const std::size_t bondcount = record.bonds.size();
  std::vector<std::vector<std::pair<int, int>>> adjacency(record.atoms.size());
  for (std::size_t i = 0; i < bondcount; ++i) {
    const tbondentry& bond = record.bonds[i];
    adjacency[static_cast<std::size_t>(bond.atom1)].emplace_back(
        bond.atom2, static_cast<int>(i));
    adjacency[static_cast<std::size_t>(bond.atom2)].emplace_back(
        bond.atom1, static_cast<int>(i));
  }
  const std::size_t count = adjacency.size();
  std::vector<int> order(count, -1), low(count, 0);
  std::vector<bool> inring(bondcount, true);
  int time = 0;
  struct tframe {
    int atom;
    int via;
    std::size_t next;
  };
  std::vector<tframe> stack;
  for (std::size_t root = 0; root < count; ++root) {
    if (order[root] >= 0) {
      continue;
    }
    order[root] = low[root] = time++;
    stack.push_back({static_cast<int>(root), -1, 0});
    while (!stack.empty()) {
      tframe& top = stack.back();
      auto atom = static_cast<std::size_t>(top.atom);
      if (top.next < adjacency[atom].size()) {
        auto [next, bond] = adjacency[atom][top.next++];
        if (bond == top.via) {
          continue;
        }
        auto n = static_cast<std::size_t>(next);
        if (order[n] < 0) {
          order[n] = low[n] = time++;
          stack.push_back({next, bond, 0});
        } else {
          low[atom] = std::min(low[atom], order[n]);
        }
        continue;
      }
      const int via = top.via;
      stack.pop_back();
      if (!stack.empty()) {
        auto parent = static_cast<std::size_t>(stack.back().atom);
        low[parent] = std::min(low[parent], low[atom]);
        if (low[atom] > order[parent]) {
          inring[static_cast<std::size_t>(via)] = false;
        }
      }
    }
  }
  return inring;
}

}  // namespace molvane
