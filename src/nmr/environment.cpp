// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/environment.h"

#include "model/atom.h"
#include "nmr/nmr_graph.h"

#include <algorithm>
#include <vector>

namespace molvane {

namespace {

/// The term one bond adds to its atom's reciprocal value.
double bondterm(const tgraphbond& bond, int hybridization,
                const tgraphatom& far) {
  int h = hybridization > 4 ? 0 : hybridization;
  return bond.ffkind() + h * 0.1 + foldedelement(far.element) * 0.001 +
         far.charge * 0.00001;
}

/// Sums the walk-value products of every simple path from the current end.
class tpathwalker {
 public:
  tpathwalker(const tnmrgraph& graph, const std::vector<double>& walk)
      : graph_(graph), walk_(walk), onpath_(graph.atoms.size(), false) {}

  void walkfrom(int atom, int depth, double product) {
    onpath_[static_cast<std::size_t>(atom)] = true;
    for (int bond : graph_.atombonds[static_cast<std::size_t>(atom)]) {
      if (!graph_.bonds[static_cast<std::size_t>(bond)].present) {
        continue;
      }
      int next = graph_.other(bond, atom);
      if (onpath_[static_cast<std::size_t>(next)]) {
        continue;
      }
      double value = product * walk_[static_cast<std::size_t>(next)];
      sums[static_cast<std::size_t>(depth + 1)] += value;
      if (depth + 1 < spherecount - 1) {
        walkfrom(next, depth + 1, value);
      }
    }
    onpath_[static_cast<std::size_t>(atom)] = false;
  }

  std::array<double, spherecount> sums{};

 private:
  const tnmrgraph& graph_;
  const std::vector<double>& walk_;
  std::vector<bool> onpath_;
};

}  // namespace

double tenvironment::key() const { return peaktype * 10.0 + spheres[0]; }

int foldedelement(int element) { return representativeelement(element); }

tenvironment tnmrgraph::environment(int root) const {
  const std::size_t n = atoms.size();
  std::vector<int> h(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    h[i] = atoms[i].active ? hybridization(static_cast<int>(i)) : 0;
  }
  // The reciprocal sums of each atom's bond terms give its walk value.
  std::vector<double> reciprocal(n, 0.0);
  for (const tgraphbond& bond : bonds) {
    if (!bond.present) {
      continue;
    }
    auto a = static_cast<std::size_t>(bond.a);
    auto b = static_cast<std::size_t>(bond.b);
    double ta = bondterm(bond, h[b], atoms[b]);
    double tb = bondterm(bond, h[a], atoms[a]);
    if (ta > 0.0) {
      reciprocal[a] += 1.0 / ta;
    }
    if (tb > 0.0) {
      reciprocal[b] += 1.0 / tb;
    }
  }
  std::vector<double> walk(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    walk[i] = reciprocal[i] > 0.0 ? 1.0 / reciprocal[i] : 0.0;
  }
  auto r = static_cast<std::size_t>(root);
  const tgraphatom& node = atoms[r];
  double own = node.element * 0.001 + h[r] + node.charge * 0.00001;
  double total = own + reciprocal[r];
  tpathwalker walker(*this, walk);
  walker.sums[0] = total != 0.0 ? 1.0 / total : 0.0;
  walker.walkfrom(root, 0, 1.0);

  tenvironment env;
  env.peaktype = static_cast<std::uint8_t>(
      std::clamp(h[r] * 10 + hydrogens(root), 0, 255));
  for (std::size_t k = 0; k < spherecount; ++k) {
    env.spheres[k] = static_cast<float>(walker.sums[k]);
  }
  return env;
}

tenvironment atomenvironment(const tatm& atom) {
  int root = 0;
  tnmrgraph graph = tnmrgraph::around(atom, root);
  return graph.environment(root);
}

}  // namespace molvane
