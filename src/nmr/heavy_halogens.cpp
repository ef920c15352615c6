// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/heavy_halogens.h"

#include "nmr/environment_keys.h"
#include "nmr/nmr_graph.h"

#include <algorithm>
#include <array>
#include <vector>

namespace molvane {

namespace {

constexpr int hydrogen = 1;
constexpr int carbon = 6;
constexpr int chlorine = 17;
constexpr int bromine = 35;
constexpr int iodine = 53;
constexpr int farthest = 4;

constexpr int aromatic = 4;
constexpr int sp3 = 3;

/// Each table below holds the bromine value first, then the iodine value:
/// differences to chlorine in ppm, from the substituent increments of
/// alkanes, alkenes and benzenes in the 13C and 1H tables of Pretsch,
/// Buhlmann and Badertscher, "Structure Determination of Organic
/// Compounds" (4th ed., 2009), and the halomethanes, haloethanes,
/// 1- and 2-halopropanes and tert-butyl halides of the same tables.
using tpair = std::array<double, 2>;

/// One table for each nucleus; terms that do not move a nucleus's shift
/// stay 0.
struct ttables {
  /// Bonded to an sp3 atom, by that atom's other heavy neighbours (0 for a
  /// halomethane, 3 for a tert-butyl halide).
  std::array<tpair, 4> alpha{};
  /// Half the extra shielding of each pair of heavy halogens on one atom
  /// (CH2Br2, CHBr3, CH2I2 shield more than their halogens one by one).
  tpair halfpair{};
  /// Bonded to an sp2 or aromatic atom.
  tpair alphasp2{};
  /// Two bonds away on an sp3 atom, by the heavy neighbours of the atom
  /// between other than the halogen.
  std::array<tpair, 4> beta{};
  /// Two bonds away: ortho in a ring; beyond the double bond of a vinyl
  /// halide; other sp2 atoms.
  tpair ortho{};
  tpair vinylbeta{};
  tpair otherbeta{};
  /// Three bonds away: meta in a ring, an sp3 carbon on the ortho
  /// position, an sp3 carbon along a chain.
  tpair meta{};
  tpair orthoalkyl{};
  tpair gamma{};
  /// Para in a ring.
  tpair para{};
};

constexpr ttables carbontables{
    .alpha = {{{-15.0, -45.8}, {-11.5, -38.5}, {-8.5, -32.6}, {-5.0, -23.7}}},
    .halfpair = {-4.5, -15.0},
    .alphasp2 = {-12.0, -40.3},
    .beta = {{{0.8, 1.3}, {0.8, 1.3}, {1.2, 3.9}, {1.9, 5.9}}},
    .ortho = {2.8, 8.3},
    .vinylbeta = {4.9, 13.1},
    .otherbeta = {0.3, 1.5},
    .meta = {0.3, 0.1},
    .orthoalkyl = {2.9, 8.2},
    .gamma = {1.2, 3.4},
    .para = {0.3, 0.8},
};

constexpr ttables protontables{
    .alpha = {{{-0.37, -0.89}, {-0.12, -0.34}, {0.07, 0.18}, {0.0, 0.0}}},
    .halfpair = {-0.06, -0.36},
    .alphasp2 = {0.18, 0.27},
    .beta = {{{0.15, 0.25}, {0.15, 0.25}, {0.15, 0.25}, {0.15, 0.25}}},
    .ortho = {0.15, 0.36},
    .vinylbeta = {0.45, 0.95},
    .meta = {-0.06, -0.19},
    .para = {0.05, 0.09},
};

bool isheavyhalogen(const tgraphatom& atom) {
  return atom.active && (atom.element == bromine || atom.element == iodine);
}

/// The heavy neighbours of atom other than the halogen it carries.
int otherheavyneighbours(const tnmrgraph& graph, int atom) {
  int count = 0;
  for (int far : graph.neighbours(atom)) {
    const tgraphatom& each = graph.atoms[static_cast<std::size_t>(far)];
    count += each.active && each.element != hydrogen ? 1 : 0;
  }
  return std::clamp(count - 1, 0, 3);
}

int heavyhalogensof(const tnmrgraph& graph, int atom) {
  int count = 0;
  for (int far : graph.neighbours(atom)) {
    count += isheavyhalogen(graph.atoms[static_cast<std::size_t>(far)]) ? 1 : 0;
  }
  return count;
}

/// The shortest path of at most farthest bonds from each bromine and
/// iodine to atom, halogen first and atom last.
std::vector<std::vector<int>> heavyhalogenpaths(const tnmrgraph& graph,
                                                int atom) {
  std::vector<int> from(static_cast<std::size_t>(graph.size()), -1);
  std::vector<int> distance(static_cast<std::size_t>(graph.size()), -1);
  std::vector<int> queue{atom};
  distance[static_cast<std::size_t>(atom)] = 0;
  std::vector<std::vector<int>> paths;
  for (std::size_t next = 0; next < queue.size(); ++next) {
    int node = queue[next];
    auto n = static_cast<std::size_t>(node);
    if (node != atom && isheavyhalogen(graph.atoms[n])) {
      std::vector<int>& path = paths.emplace_back();
      for (int step = node; step >= 0;
           step = from[static_cast<std::size_t>(step)]) {
        path.push_back(step);
      }
    }
    if (distance[n] == farthest) {
      continue;
    }
    for (int far : graph.neighbours(node)) {
      auto f = static_cast<std::size_t>(far);
      if (distance[f] < 0 && graph.atoms[f].active) {
        distance[f] = distance[n] + 1;
        from[f] = node;
        queue.push_back(far);
      }
    }
  }
  return paths;
}

/// One halogen's effect on the atom at the end of path (halogen first).
double effect(const ttables& t, const tnmrgraph& graph,
              const std::vector<int>& path, int which) {
  int target = path.back();
  int c = atomclass(graph, target);
  int a = atomclass(graph, path[1]);
  auto w = static_cast<std::size_t>(which);
  auto byneighbours = [&](const std::array<tpair, 4>& table, int atom) {
    return table[static_cast<std::size_t>(otherheavyneighbours(graph, atom))]
                [w];
  };
  switch (path.size() - 1) {
    case 1:
      if (c != sp3) {
        return t.alphasp2[w];
      }
      return byneighbours(t.alpha, target) +
             t.halfpair[w] * (heavyhalogensof(graph, target) - 1);
    case 2:
      if (c == sp3) {
        return byneighbours(t.beta, path[1]);
      }
      if (a == aromatic && c == aromatic) {
        return t.ortho[w];
      }
      return a != sp3 ? t.vinylbeta[w] : t.otherbeta[w];
    case 3:
      if (c == aromatic && a == aromatic) {
        return t.meta[w];
      }
      if (c == sp3) {
        return a == aromatic ? t.orthoalkyl[w] : t.gamma[w];
      }
      return 0.0;
    case 4:
      return c == aromatic && a == aromatic ? t.para[w] : 0.0;
    default:
      return 0.0;
  }
}

}  // namespace

bool anyheavyhalogen(const tnmrgraph& graph) {
  return std::any_of(graph.atoms.begin(), graph.atoms.end(), isheavyhalogen);
}

bool nearheavyhalogen(const tnmrgraph& graph, int atom) {
  return atom >= 0 && atom < graph.size() &&
         !heavyhalogenpaths(graph, atom).empty();
}

tnmrgraph chlorinestandin(const tnmrgraph& graph) {
  tnmrgraph standin = graph;
  for (tgraphatom& atom : standin.atoms) {
    if (isheavyhalogen(atom)) {
      atom.element = chlorine;
    }
  }
  return standin;
}

double heavyhalogenshift(const tnmrgraph& graph, int atom, int nucleus) {
  if ((nucleus != carbon && nucleus != hydrogen) || atom < 0 ||
      atom >= graph.size()) {
    return 0.0;
  }
  double total = 0.0;
  for (const std::vector<int>& path : heavyhalogenpaths(graph, atom)) {
    int which =
        graph.atoms[static_cast<std::size_t>(path.front())].element == bromine
            ? 0
            : 1;
    total += effect(nucleus == carbon ? carbontables : protontables, graph,
                    path, which);
  }
  return total;
}

}  // namespace molvane
