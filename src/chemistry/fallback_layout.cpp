// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/fallback_layout.h"

#include <algorithm>
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
/// order around the ring; an atom joins at most one ring. A ring fused to
/// an earlier one by a single bond keeps that bond's atoms first, and
/// `fused` marks it; the shared atoms stay with the earlier ring.
std::vector<int> ringmembership(const tneighbours& neighbours,
                                std::vector<std::vector<int>>& rings,
                                std::vector<bool>& fused) {
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
  // Shortest way round from each closing bond, searched near its ends
  // only: a bounded search keeps the whole linear in the size.
  std::vector<int> from(count, -1);
  std::vector<int> touched;
  for (auto [a, b] : closures) {
    std::vector<int> left;
    std::deque<std::pair<int, std::size_t>> search{{a, 1}};
    from[static_cast<std::size_t>(a)] = a;
    touched.assign(1, a);
    while (!search.empty() && left.empty() && touched.size() < 4096) {
      auto [atom, length] = search.front();
      search.pop_front();
      if (length >= longestring) {
        continue;
      }
      for (int next : neighbours[static_cast<std::size_t>(atom)]) {
        auto n = static_cast<std::size_t>(next);
        if (from[n] >= 0 || (atom == a && next == b)) {
          continue;
        }
        from[n] = atom;
        touched.push_back(next);
        if (next == b) {
          for (int at = b; at != a; at = from[static_cast<std::size_t>(at)]) {
            left.push_back(at);
          }
          left.push_back(a);
          break;
        }
        search.emplace_back(next, length + 1);
      }
    }
    for (int atom : touched) {
      from[static_cast<std::size_t>(atom)] = -1;
    }
    if (left.empty()) {
      continue;
    }
    std::vector<std::size_t> claimed;
    for (std::size_t k = 0; k < left.size(); ++k) {
      if (ringof[static_cast<std::size_t>(left[k])] >= 0) {
        claimed.push_back(k);
      }
    }
    const std::size_t size = left.size();
    if (claimed.size() == 2 && claimed[1] - claimed[0] == size - 1) {
      // The shared bond closes the list: bring it to the front.
      std::rotate(left.begin(), left.end() - 1, left.end());
      claimed = {0, 1};
    } else if (claimed.size() == 2 && claimed[1] - claimed[0] == 1) {
      std::rotate(left.begin(),
                  left.begin() + static_cast<std::ptrdiff_t>(claimed[0]),
                  left.end());
      claimed = {0, 1};
    } else if (!claimed.empty()) {
      continue;
    }
    for (std::size_t k = claimed.size(); k < size; ++k) {
      ringof[static_cast<std::size_t>(left[k])] =
          static_cast<int>(rings.size());
    }
    fused.push_back(!claimed.empty());
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
  std::vector<bool> fused;
  const std::vector<int> ringof = ringmembership(neighbours, rings, fused);
  std::vector<bool> ringplaced(rings.size(), false);
  std::vector<tplaced> placed(count);
  std::deque<int> queue;

  // Places the ring of an atom just placed as a regular polygon beside
  // the way in, turned as a chain would turn; whatever else the atom
  // carries goes on at the other turn.
  auto placering = [&](int atom, bool root) {
    int ring = ringof[static_cast<std::size_t>(atom)];
    if (ring < 0 || ringplaced[static_cast<std::size_t>(ring)] ||
        fused[static_cast<std::size_t>(ring)]) {
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

  // Places a fused ring as a regular polygon on the far side of the bond
  // it shares with the ring placed before it.
  auto placefused = [&](int ring) {
    const std::vector<int>& members = rings[static_cast<std::size_t>(ring)];
    const tplaced& p = placed[static_cast<std::size_t>(members[0])];
    const tplaced& q = placed[static_cast<std::size_t>(members[1])];
    ringplaced[static_cast<std::size_t>(ring)] = true;
    // Away from the other neighbours of the shared atoms.
    double awayx = 0.0, awayy = 0.0;
    for (int end : {members[0], members[1]}) {
      for (int next : neighbours[static_cast<std::size_t>(end)]) {
        const tplaced& n = placed[static_cast<std::size_t>(next)];
        if (n.done && next != members[0] && next != members[1]) {
          awayx += (p.x + q.x) / 2 - n.x;
          awayy += (p.y + q.y) / 2 - n.y;
        }
      }
    }
    const double ex = q.x - p.x, ey = q.y - p.y;
    const double edge = std::max(std::hypot(ex, ey), 1e-9);
    double nx = -ey / edge, ny = ex / edge;
    if (nx * awayx + ny * awayy < 0) {
      nx = -nx;
      ny = -ny;
    }
    const double size = static_cast<double>(members.size());
    const double step = 2.0 * std::numbers::pi / size;
    const double apothem = edge / (2.0 * std::tan(std::numbers::pi / size));
    const double radius = edge / (2.0 * std::sin(std::numbers::pi / size));
    const double cx = (p.x + q.x) / 2 + nx * apothem;
    const double cy = (p.y + q.y) / 2 + ny * apothem;
    const double from = std::atan2(p.y - cy, p.x - cx);
    const double to = std::atan2(q.y - cy, q.x - cx);
    const double sense =
        std::remainder(to - from, 2.0 * std::numbers::pi) > 0 ? 1.0 : -1.0;
    for (std::size_t k = 2; k < members.size(); ++k) {
      tplaced& at = placed[static_cast<std::size_t>(members[k])];
      if (at.done) {
        continue;
      }
      double angle = to + sense * step * static_cast<double>(k - 1);
      at.x = cx + radius * std::cos(angle);
      at.y = cy + radius * std::sin(angle);
      at.angle = angle;
      at.done = true;
      queue.push_back(members[k]);
    }
  };

  placed[0].done = true;
  placering(0, true);
  queue.push_front(0);
  while (!queue.empty()) {
    int atom = queue.front();
    queue.pop_front();
    for (int next : neighbours[static_cast<std::size_t>(atom)]) {
      int ring = ringof[static_cast<std::size_t>(next)];
      if (ring >= 0 && fused[static_cast<std::size_t>(ring)] &&
          !ringplaced[static_cast<std::size_t>(ring)] &&
          !placed[static_cast<std::size_t>(next)].done) {
        const std::vector<int>& members = rings[static_cast<std::size_t>(ring)];
        if (placed[static_cast<std::size_t>(members[0])].done &&
            placed[static_cast<std::size_t>(members[1])].done) {
          placefused(ring);
        }
      }
    }
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
