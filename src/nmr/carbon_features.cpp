// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_features.h"

#include "nmr/environment_keys.h"
#include "nmr/nmr_graph.h"

#include <algorithm>
#include <initializer_list>

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
  neighbourpair = 6,
  twobondpath = 7,
  threebondpath = 8,
  fourbondpath = 9,
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

std::uint32_t key(tkeykind kind, std::uint32_t a, std::uint32_t b = 0,
                  std::uint32_t c = 0, std::uint32_t d = 0,
                  std::uint32_t e = 0) {
  return (static_cast<std::uint32_t>(kind) << 28U) | (a << 20U) | (b << 12U) |
         (c << 8U) | (d << 4U) | e;
}

/// Atom codes worked out once per atom of the graph as they are needed.
class tcodes {
 public:
  explicit tcodes(const tnmrgraph& graph)
      : graph_(graph),
        classes_(static_cast<std::size_t>(graph.size()), -1),
        hydrogens_(static_cast<std::size_t>(graph.size()), -1) {}

  std::uint32_t shiftclass(int atom) {
    int& known = classes_[static_cast<std::size_t>(atom)];
    if (known < 0) {
      known = std::clamp(atomclass(graph_, atom), 0, 7);
    }
    return static_cast<std::uint32_t>(known);
  }
  std::uint32_t hydrogens(int atom) {
    int& known = hydrogens_[static_cast<std::size_t>(atom)];
    if (known < 0) {
      known = std::clamp(graph_.hydrogens(atom), 0, 3);
    }
    return static_cast<std::uint32_t>(known);
  }
  std::uint32_t element(int atom) const {
    return elementgroup(graph_.atoms[static_cast<std::size_t>(atom)].element);
  }

 private:
  const tnmrgraph& graph_;
  std::vector<int> classes_;
  std::vector<int> hydrogens_;
};

/// Element, class and hydrogens of atom in 9 bits.
std::uint32_t typecode(tcodes& codes, int atom) {
  return (codes.element(atom) << 5U) | (codes.shiftclass(atom) << 2U) |
         codes.hydrogens(atom);
}

/// A path of atoms by the element and class of each (7 bits an atom, at
/// most four atoms).
std::uint32_t pathkey(tkeykind kind, tcodes& codes,
                      std::initializer_list<int> path) {
  std::uint32_t types = 0;
  for (int atom : path) {
    types = (types << 7U) | (typecode(codes, atom) >> 2U);
  }
  return (static_cast<std::uint32_t>(kind) << 28U) | types;
}

/// Calls each(bond, neighbour) for the present bonds of atom.
template <typename F>
void forbonds(const tnmrgraph& graph, int atom, F each) {
  for (int bond : graph.atombonds[static_cast<std::size_t>(atom)]) {
    if (graph.bonds[static_cast<std::size_t>(bond)].present) {
      each(bond, graph.other(bond, atom));
    }
  }
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
  forbonds(graph, atom, [&](int bond, int far) {
    const tgraphbond& each = graph.bonds[static_cast<std::size_t>(bond)];
    if (!each.delocalised && each.kind == multiple) {
      partner = std::max(
          partner,
          elementgroup(graph.atoms[static_cast<std::size_t>(far)].element));
    }
  });
  return partner;
}

/// One breadth-first walk from atom up to farthest bonds: the atoms at
/// farthest are counted as keys, and an edge between two branches of the
/// walk closes a ring through atom (the shortest one is returned, 0 for
/// none of at most largestring atoms).
int walkaround(const tnmrgraph& graph, int atom, tcodes& codes,
               std::vector<std::uint32_t>& keys) {
  std::vector<int> distance(static_cast<std::size_t>(graph.size()), -1);
  std::vector<int> branch(static_cast<std::size_t>(graph.size()), -1);
  distance[static_cast<std::size_t>(atom)] = 0;
  std::vector<int> queue;
  queue.reserve(static_cast<std::size_t>(graph.size()));
  forbonds(graph, atom, [&](int, int far) {
    if (distance[static_cast<std::size_t>(far)] < 0) {
      distance[static_cast<std::size_t>(far)] = 1;
      branch[static_cast<std::size_t>(far)] = far;
      queue.push_back(far);
    }
  });
  int ring = 0;
  for (std::size_t next = 0; next < queue.size(); ++next) {
    int node = queue[next];
    auto n = static_cast<std::size_t>(node);
    if (distance[n] == farthest) {
      keys.push_back(
          key(farsphere, codes.element(node), codes.shiftclass(node)));
      continue;
    }
    forbonds(graph, node, [&](int, int far) {
      auto f = static_cast<std::size_t>(far);
      if (far == atom) {
        return;
      }
      if (distance[f] < 0) {
        distance[f] = distance[n] + 1;
        branch[f] = branch[n];
        queue.push_back(far);
      } else if (branch[f] != branch[n]) {
        int size = distance[n] + distance[f] + 1;
        if (size <= largestring && (ring == 0 || size < ring)) {
          ring = size;
        }
      }
    });
  }
  return ring;
}

}  // namespace

tcarbonfeatures carbonfeatures(const tnmrgraph& graph, int atom) {
  tcarbonfeatures features;
  if (atom < 0 || atom >= graph.size()) {
    return features;
  }
  const tgraphatom& centre = graph.atoms[static_cast<std::size_t>(atom)];
  tcodes codes(graph);
  std::uint32_t c = codes.shiftclass(atom);
  if (centre.element != carbon || c < 1 || c > 4) {
    return features;
  }
  std::vector<std::uint32_t>& keys = features.keys;
  int ring = walkaround(graph, atom, codes, keys);
  features.ring = ring;
  features.centre = (partnerof(graph, atom, c, ring) << 12U) | (c << 8U) |
                    (codes.hydrogens(atom) << 4U) | chargecode(centre.charge);
  keys.push_back(key(ringsize, static_cast<std::uint32_t>(ring)));
  forbonds(graph, atom, [&](int b1, int n1) {
    std::uint32_t via = bondcode(graph.bonds[static_cast<std::size_t>(b1)]);
    keys.push_back(
        key(firstsphere, via, codes.element(n1), codes.shiftclass(n1),
            codes.hydrogens(n1),
            chargecode(graph.atoms[static_cast<std::size_t>(n1)].charge)));
    forbonds(graph, n1, [&](int, int n2) {
      if (n2 == atom) {
        return;
      }
      keys.push_back(key(secondsphere, via, codes.element(n2),
                         codes.shiftclass(n2), codes.hydrogens(n2)));
      keys.push_back((static_cast<std::uint32_t>(twobondpath) << 28U) |
                     (via << 20U) | (typecode(codes, n1) << 10U) |
                     typecode(codes, n2));
      forbonds(graph, n2, [&](int, int n3) {
        if (n3 != n1 && n3 != atom) {
          keys.push_back(
              key(thirdsphere, codes.element(n3), codes.shiftclass(n3)));
          keys.push_back(pathkey(threebondpath, codes, {n1, n2, n3}));
          forbonds(graph, n3, [&](int, int n4) {
            if (n4 != n2 && n4 != n1 && n4 != atom) {
              keys.push_back(pathkey(fourbondpath, codes, {n1, n2, n3, n4}));
            }
          });
        }
      });
    });
  });
  // Neighbours act on each other: a pair of them counts as a key.
  std::vector<std::uint32_t> firsts;
  forbonds(graph, atom,
           [&](int, int n1) { firsts.push_back(typecode(codes, n1)); });
  std::sort(firsts.begin(), firsts.end());
  for (std::size_t i = 0; i < firsts.size(); ++i) {
    for (std::size_t j = i + 1; j < firsts.size(); ++j) {
      keys.push_back((static_cast<std::uint32_t>(neighbourpair) << 28U) |
                     (firsts[i] << 14U) | firsts[j]);
    }
  }
  return features;
}

}  // namespace molvane
