// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_features.h"

#include "nmr/nmr_graph.h"

#include <algorithm>
#include <deque>

namespace molvane {

namespace {

constexpr int carbon = 6;
/// Rings larger than this count as no ring.
constexpr int largestring = 8;
/// Atoms up to this many bonds away count.
constexpr int farthest = 4;

enum tkeykind : std::uint32_t {
  firstsphere = 1,
  secondsphere = 2,
  thirdsphere = 3,
  farsphere = 5,
  ringsize = 4,
};

/// The elements that shift carbons differently each have a group of their
/// own; the rest share one.
std::uint32_t elementgroup(int element) {
  static constexpr int groups[] = {1,  5,  6,  7,  8,  9,  14,
                                   15, 16, 17, 34, 35, 50, 53};
  const int* found = std::find(std::begin(groups), std::end(groups), element);
  return found == std::end(groups)
             ? 0U
             : static_cast<std::uint32_t>(found - std::begin(groups) + 1);
}

std::uint32_t bondcode(const tgraphbond& bond) {
  if (bond.delocalised || bond.kind == 3) {
    return 4;
  }
  return static_cast<std::uint32_t>(std::clamp(bond.kind / 2, 0, 3));
}

std::uint32_t chargecode(int charge) {
  return charge > 0 ? 1U : (charge < 0 ? 2U : 0U);
}

std::uint32_t classof(const tnmrgraph& graph, int atom) {
  return static_cast<std::uint32_t>(std::clamp(shiftclass(graph, atom), 0, 7));
}

std::uint32_t hydrogensof(const tnmrgraph& graph, int atom) {
  return static_cast<std::uint32_t>(std::clamp(graph.hydrogens(atom), 0, 3));
}

std::uint32_t key(tkeykind kind, std::uint32_t a, std::uint32_t b = 0,
                  std::uint32_t c = 0, std::uint32_t d = 0,
                  std::uint32_t e = 0) {
  return (static_cast<std::uint32_t>(kind) << 28U) | (a << 20U) | (b << 12U) |
         (c << 8U) | (d << 4U) | e;
}

/// The length of the shortest cycle through atom, 0 when there is none of
/// at most largestring atoms.
int smallestring(const tnmrgraph& graph, int atom) {
  int best = 0;
  std::vector<int> distance(static_cast<std::size_t>(graph.size()), -1);
  for (int first : graph.presentbonds(atom)) {
    int start = graph.other(first, atom);
    std::fill(distance.begin(), distance.end(), -1);
    distance[static_cast<std::size_t>(start)] = 0;
    std::deque<int> queue{start};
    while (!queue.empty()) {
      int node = queue.front();
      queue.pop_front();
      int d = distance[static_cast<std::size_t>(node)];
      if (d + 2 > largestring) {
        break;
      }
      for (int bond : graph.presentbonds(node)) {
        if (bond == first) {
          continue;
        }
        int next = graph.other(bond, node);
        if (next == atom) {
          if (best == 0 || d + 2 < best) {
            best = d + 2;
          }
          queue.clear();
          break;
        }
        if (distance[static_cast<std::size_t>(next)] < 0) {
          distance[static_cast<std::size_t>(next)] = d + 1;
          queue.push_back(next);
        }
      }
    }
  }
  return best;
}

/// What sets a carbon's kind apart beyond its class: for double and triple
/// bonds the element at the other end (C=O, C=N, C=C are different kinds),
/// for aromatic carbons the size of their ring.
std::uint32_t partnerof(const tnmrgraph& graph, int atom, std::uint32_t c,
                        int ring) {
  if (c == 4) {
    return static_cast<std::uint32_t>(ring);
  }
  int multiple = c == 1 ? 6 : 4;
  std::uint32_t partner = 0;
  for (int bond : graph.presentbonds(atom)) {
    const tgraphbond& each = graph.bonds[static_cast<std::size_t>(bond)];
    if (!each.delocalised && each.kind == multiple) {
      partner = std::max(
          partner,
          elementgroup(
              graph.atoms[static_cast<std::size_t>(graph.other(bond, atom))]
                  .element));
    }
  }
  return partner;
}

}  // namespace

int shiftclass(const tnmrgraph& graph, int atom) {
  return graph.hasdelocalisedbond(atom) ? 4 : graph.hybridization(atom);
}

tcarbonfeatures carbonfeatures(const tnmrgraph& graph, int atom) {
  tcarbonfeatures features;
  if (atom < 0 || atom >= graph.size()) {
    return features;
  }
  const tgraphatom& centre = graph.atoms[static_cast<std::size_t>(atom)];
  std::uint32_t c = classof(graph, atom);
  if (centre.element != carbon || c < 1 || c > 4) {
    return features;
  }
  int ring = smallestring(graph, atom);
  features.centre = (partnerof(graph, atom, c, ring) << 12U) | (c << 8U) |
                    (hydrogensof(graph, atom) << 4U) |
                    chargecode(centre.charge);
  features.keys.push_back(key(ringsize, static_cast<std::uint32_t>(ring)));
  for (int b1 : graph.presentbonds(atom)) {
    int n1 = graph.other(b1, atom);
    const tgraphatom& a1 = graph.atoms[static_cast<std::size_t>(n1)];
    std::uint32_t via = bondcode(graph.bonds[static_cast<std::size_t>(b1)]);
    features.keys.push_back(key(firstsphere, via, elementgroup(a1.element),
                                classof(graph, n1), hydrogensof(graph, n1),
                                chargecode(a1.charge)));
    for (int b2 : graph.presentbonds(n1)) {
      int n2 = graph.other(b2, n1);
      if (n2 == atom) {
        continue;
      }
      const tgraphatom& a2 = graph.atoms[static_cast<std::size_t>(n2)];
      features.keys.push_back(key(secondsphere, via, elementgroup(a2.element),
                                  classof(graph, n2)));
      for (int n3 : graph.neighbours(n2)) {
        if (n3 != n1 && n3 != atom) {
          const tgraphatom& a3 = graph.atoms[static_cast<std::size_t>(n3)];
          features.keys.push_back(
              key(thirdsphere, elementgroup(a3.element), classof(graph, n3)));
        }
      }
    }
  }
  // Atoms farther away count once each, at their shortest distance.
  std::vector<int> distance(static_cast<std::size_t>(graph.size()), -1);
  distance[static_cast<std::size_t>(atom)] = 0;
  std::deque<int> queue{atom};
  while (!queue.empty()) {
    int node = queue.front();
    queue.pop_front();
    int d = distance[static_cast<std::size_t>(node)];
    if (d == farthest) {
      const tgraphatom& far = graph.atoms[static_cast<std::size_t>(node)];
      features.keys.push_back(key(farsphere, static_cast<std::uint32_t>(d),
                                  elementgroup(far.element),
                                  classof(graph, node)));
      continue;
    }
    for (int next : graph.neighbours(node)) {
      if (distance[static_cast<std::size_t>(next)] < 0) {
        distance[static_cast<std::size_t>(next)] = d + 1;
        queue.push_back(next);
      }
    }
  }
  return features;
}

}  // namespace molvane
