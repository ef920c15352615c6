// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/atom_graph.h"

#include <algorithm>

namespace molvane {

void tatomgraph::build(
    std::size_t atoms,
    const std::vector<std::pair<std::int32_t, std::int32_t>>& bonds) {
  neighbours_.assign(atoms, {});
  for (const auto& [a, b] : bonds) {
    auto& around = neighbours_[static_cast<std::size_t>(a)];
    if (a != b && std::find(around.begin(), around.end(), b) == around.end()) {
      around.push_back(b);
      neighbours_[static_cast<std::size_t>(b)].push_back(a);
    }
  }
  seen_.assign(atoms, false);
  // Bridges by the lowest discovery time reachable below each atom, with
  // an explicit stack so that long chains cannot exhaust the call stack.
  parent_.assign(atoms, -1);
  bridge_.assign(atoms, false);
  std::vector<std::int32_t> discovered(atoms, -1), low(atoms, 0);
  std::vector<std::pair<std::int32_t, std::size_t>> stack;
  std::int32_t time = 0;
  for (std::size_t root = 0; root < atoms; ++root) {
    if (discovered[root] >= 0) {
      continue;
    }
    discovered[root] = low[root] = time++;
    stack.push_back({static_cast<std::int32_t>(root), 0});
    while (!stack.empty()) {
      auto& [v, next] = stack.back();
      const auto vi = static_cast<std::size_t>(v);
      if (next < neighbours_[vi].size()) {
        const std::int32_t w = neighbours_[vi][next++];
        const auto wi = static_cast<std::size_t>(w);
        if (w == parent_[vi]) {
          continue;
        }
        if (discovered[wi] < 0) {
          parent_[wi] = v;
          discovered[wi] = low[wi] = time++;
          stack.push_back({w, 0});
        } else {
          low[vi] = std::min(low[vi], discovered[wi]);
        }
        continue;
      }
      const std::int32_t child = v;
      stack.pop_back();
      const std::int32_t up = parent_[static_cast<std::size_t>(child)];
      if (up >= 0) {
        const auto ci = static_cast<std::size_t>(child);
        const auto ui = static_cast<std::size_t>(up);
        low[ui] = std::min(low[ui], low[ci]);
        bridge_[ci] = low[ci] > discovered[ui];
      }
    }
  }
}

void tatomgraph::reachable(std::int32_t from, std::int32_t barrier,
                           std::vector<std::int32_t>& into) const {
  into.assign(1, from);
  seen_[static_cast<std::size_t>(from)] = true;
  for (std::size_t next = 0; next < into.size(); ++next) {
    for (std::int32_t n : neighbours(into[next])) {
      if (!(into[next] == from && n == barrier) &&
          !seen_[static_cast<std::size_t>(n)]) {
        seen_[static_cast<std::size_t>(n)] = true;
        into.push_back(n);
      }
    }
  }
  for (std::int32_t atom : into) {
    seen_[static_cast<std::size_t>(atom)] = false;
  }
}

bool tatomgraph::isringbond(std::int32_t a, std::int32_t b) const {
  const auto ai = static_cast<std::size_t>(a);
  const auto bi = static_cast<std::size_t>(b);
  if (parent_[bi] == a) {
    return !bridge_[bi];
  }
  if (parent_[ai] == b) {
    return !bridge_[ai];
  }
  // Not a bond of the walk's tree: it closes a ring.
  return true;
}

}  // namespace molvane
