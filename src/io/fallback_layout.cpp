// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/fallback_layout.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <numbers>
#include <unordered_map>

namespace molvane {
namespace {

constexpr double bondlength = 1.5;
/// Rings longer than this are not looked for; their atoms lay out as a
/// tree.
constexpr std::size_t longestring = 24;

using tneighbours = std::vector<std::vector<int>>;

tneighbours neighboursof(const tmoleculerecord& part) {
  tneighbours neighbours(part.atoms.size());
  for (const tbondentry& bond : part.bonds) {
    neighbours[static_cast<std::size_t>(bond.atom1)].push_back(bond.atom2);
    neighbours[static_cast<std::size_t>(bond.atom2)].push_back(bond.atom1);
  }
  return neighbours;
}

/// Rings closed by the bonds a breadth-first tree leaves out, each in
/// order around the ring; an atom joins at most one ring.
std::vector<int> ringmembership(const tneighbours& neighbours,
                                std::vector<std::vector<int>>& rings) {
  const std::size_t count = neighbours.size();
  std::vector<int> parent(count, -1), depth(count, -1);
  std::deque<int> queue{0};
  depth[0] = 0;
  std::vector<std::pair<int, int>> closures;
  while (!queue.empty()) {
    int atom = queue.front();
    queue.pop_front();
    for (int next : neighbours[static_cast<std::size_t>(atom)]) {
      auto n = static_cast<std::size_t>(next);
      if (depth[n] < 0) {
        depth[n] = depth[static_cast<std::size_t>(atom)] + 1;
        parent[n] = atom;
        queue.push_back(next);
      } else if (next != parent[static_cast<std::size_t>(atom)] &&
                 atom < next) {
        closures.emplace_back(atom, next);
      }
    }
  }
  std::vector<int> ringof(count, -1);
  for (auto [a, b] : closures) {
    // Walk both ends up to their common ancestor.
    std::vector<int> left{a}, right{b};
    while (left.back() != right.back() &&
           left.size() + right.size() <= longestring + 1) {
      auto l = static_cast<std::size_t>(left.back());
      auto r = static_cast<std::size_t>(right.back());
      if (depth[l] >= depth[r]) {
        left.push_back(parent[l]);
      } else {
        right.push_back(parent[r]);
      }
    }
    if (left.back() != right.back()) {
      continue;
    }
    right.pop_back();
    left.insert(left.end(), right.rbegin(), right.rend());
    bool free = true;
    for (int atom : left) {
      free = free && ringof[static_cast<std::size_t>(atom)] < 0;
    }
    if (!free) {
      continue;
    }
    for (int atom : left) {
      ringof[static_cast<std::size_t>(atom)] = static_cast<int>(rings.size());
    }
    rings.push_back(std::move(left));
  }
  return ringof;
}

struct tplaced {
  double x = 0.0, y = 0.0;
  /// Direction the atom's own substituents grow in.
  double angle = 0.0;
  /// Which way a chain through the atom turns next.
  int turn = 1;
  bool done = false;
};

}  // namespace

std::vector<tflatpoint> quicklayout(const tmoleculerecord& part) {
  const std::size_t count = part.atoms.size();
  std::vector<tflatpoint> points(count);
  if (count == 0) {
    return points;
  }
  const tneighbours neighbours = neighboursof(part);
  std::vector<std::vector<int>> rings;
  const std::vector<int> ringof = ringmembership(neighbours, rings);
  std::vector<bool> ringplaced(rings.size(), false);
  std::vector<tplaced> placed(count);
  std::deque<int> queue;

  // Places the ring of an atom just placed as a regular polygon beside
  // the way in, turned as a chain would turn; whatever else the atom
  // carries goes on at the other turn.
  auto placering = [&](int atom, bool root) {
    int ring = ringof[static_cast<std::size_t>(atom)];
    if (ring < 0 || ringplaced[static_cast<std::size_t>(ring)]) {
      return;
    }
    ringplaced[static_cast<std::size_t>(ring)] = true;
    const std::vector<int>& members = rings[static_cast<std::size_t>(ring)];
    tplaced& start = placed[static_cast<std::size_t>(atom)];
    const double turn = root ? 0.0 : start.turn * std::numbers::pi / 3.0;
    const double onward = start.angle - turn;
    start.angle += turn;
    const double size = static_cast<double>(members.size());
    const double radius =
        bondlength / (2.0 * std::sin(std::numbers::pi / size));
    const double cx = start.x + radius * std::cos(start.angle);
    const double cy = start.y + radius * std::sin(start.angle);
    std::size_t first = 0;
    while (members[first] != atom) {
      ++first;
    }
    for (std::size_t k = 1; k < members.size(); ++k) {
      int member = members[(first + k) % members.size()];
      tplaced& at = placed[static_cast<std::size_t>(member)];
      if (at.done) {
        continue;
      }
      double angle = start.angle + std::numbers::pi +
                     2.0 * std::numbers::pi * static_cast<double>(k) / size;
      at.x = cx + radius * std::cos(angle);
      at.y = cy + radius * std::sin(angle);
      at.angle = angle;
      at.done = true;
      queue.push_back(member);
    }
    start.angle = root ? start.angle + std::numbers::pi : onward;
    // The chain then turns back, so that its course does not drift.
    start.turn = -start.turn;
  };

  placed[0].done = true;
  placering(0, true);
  queue.push_front(0);
  while (!queue.empty()) {
    int atom = queue.front();
    queue.pop_front();
    const tplaced from = placed[static_cast<std::size_t>(atom)];
    std::vector<int> children;
    for (int next : neighbours[static_cast<std::size_t>(atom)]) {
      if (!placed[static_cast<std::size_t>(next)].done) {
        children.push_back(next);
      }
    }
    const bool inring = ringof[static_cast<std::size_t>(atom)] >= 0;
    const double step =
        2.0 * std::numbers::pi / static_cast<double>(children.size() + 1);
    for (std::size_t k = 0; k < children.size(); ++k) {
      double angle =
          from.angle - std::numbers::pi + step * static_cast<double>(k + 1);
      if (children.size() == 1 && !inring) {
        angle = from.angle + from.turn * std::numbers::pi / 3.0;
      }
      tplaced& at = placed[static_cast<std::size_t>(children[k])];
      at.x = from.x + bondlength * std::cos(angle);
      at.y = from.y + bondlength * std::sin(angle);
      at.angle = angle;
      at.turn = -from.turn;
      at.done = true;
      placering(children[k], false);
      queue.push_back(children[k]);
    }
  }
  // Fused rings can bring two atoms onto one spot; the later one moves
  // aside until it stands alone.
  const double near = bondlength / 3;
  std::unordered_map<std::int64_t, std::vector<std::size_t>> cells;
  auto key = [near](double x, double y, int dx, int dy) {
    auto cx = static_cast<std::int64_t>(std::floor(x / near)) + dx;
    auto cy = static_cast<std::int64_t>(std::floor(y / near)) + dy;
    return cx * 4000037 + cy;
  };
  auto crowded = [&](double x, double y) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        auto found = cells.find(key(x, y, dx, dy));
        if (found == cells.end()) {
          continue;
        }
        for (std::size_t other : found->second) {
          if (std::hypot(points[other].x - x, points[other].y - y) < near) {
            return true;
          }
        }
      }
    }
    return false;
  };
  for (std::size_t i = 0; i < count; ++i) {
    double x = placed[i].x, y = placed[i].y;
    for (int shift = 1; crowded(x, y) && shift < 32; ++shift) {
      x = placed[i].x + 0.5 * bondlength * std::cos(shift * 2.4);
      y = placed[i].y + 0.5 * bondlength * std::sin(shift * 2.4);
    }
    points[i] = {x, y};
    cells[key(x, y, 0, 0)].push_back(i);
  }
  return points;
}

}  // namespace molvane
