// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/environment_keys.h"

#include "nmr/nmr_graph.h"

#include <algorithm>

namespace molvane {

namespace {

constexpr std::uint64_t fnvprime = 1099511628211ULL;
constexpr int hydrogencap = 3;
constexpr int delocalisedkind = 7;

}  // namespace

std::uint64_t mixkey(std::uint64_t key, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) {
    key ^= (value >> (8 * i)) & 0xFFU;
    key *= fnvprime;
  }
  return key;
}

std::uint64_t makekey(std::initializer_list<std::uint64_t> values) {
  std::uint64_t key = emptykey;
  for (std::uint64_t value : values) {
    key = mixkey(key, value);
  }
  return key;
}

std::uint64_t atomtoken(const tnmrgraph& graph, int atom,
                        const tgraphbond& bond) {
  const tgraphatom& node = graph.atoms[static_cast<std::size_t>(atom)];
  int kind = bond.delocalised ? delocalisedkind : bond.kind;
  auto value = static_cast<std::uint64_t>(node.element);
  value = value * 8 + static_cast<std::uint64_t>(atomclass(graph, atom));
  value = value * 4 + static_cast<std::uint64_t>(
                          std::min(graph.hydrogens(atom), hydrogencap));
  value = value * 16 +
          static_cast<std::uint64_t>(std::clamp(node.charge, -7, 8) + 7);
  return value * 8 + static_cast<std::uint64_t>(kind);
}

int atomclass(const tnmrgraph& graph, int atom) {
  return graph.hasdelocalisedbond(atom) ? 4 : graph.hybridization(atom);
}

double medianof(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

const double* findkey(
    const std::vector<std::pair<std::uint64_t, double>>& table,
    std::uint64_t key) {
  auto found = std::lower_bound(table.begin(), table.end(), key,
                                [](const std::pair<std::uint64_t, double>& e,
                                   std::uint64_t k) { return e.first < k; });
  return found != table.end() && found->first == key ? &found->second : nullptr;
}

}  // namespace molvane
