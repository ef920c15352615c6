// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/increment_fit.h"

#include "nmr/environment_keys.h"
#include "nmr/linear_solve.h"
#include "nmr/nmr_graph.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace molvane {

namespace {

/// Ridge weight of the least-squares fit, in samples: enough to keep rare
/// terms near zero, far too little to pull common ones.
constexpr double ridge = 1.0;
constexpr std::uint64_t plainalpha = 101;
constexpr std::uint64_t detailedalpha = 102;
constexpr std::uint64_t betaterm = 103;
constexpr int delocalisedkind = 7;

}  // namespace

void addsubstituentterms(const tnmrgraph& graph, int centre, int excluded,
                         tincrementterms& terms) {
  for (int bond : graph.presentbonds(centre)) {
    int near = graph.other(bond, centre);
    if (near == excluded ||
        !graph.atoms[static_cast<std::size_t>(near)].active) {
      continue;
    }
    std::vector<std::uint64_t> carried;
    for (int next : graph.presentbonds(near)) {
      int far = graph.other(next, near);
      if (far == centre || !graph.atoms[static_cast<std::size_t>(far)].active) {
        continue;
      }
      const tgraphbond& b = graph.bonds[static_cast<std::size_t>(next)];
      carried.push_back(atomtoken(graph, far, b));
      terms.fixed.push_back(
          makekey({betaterm,
                   static_cast<std::uint64_t>(
                       graph.atoms[static_cast<std::size_t>(far)].element),
                   static_cast<std::uint64_t>(atomclass(graph, far)),
                   static_cast<std::uint64_t>(b.delocalised ? delocalisedkind
                                                            : b.kind)}));
    }
    std::sort(carried.begin(), carried.end());
    std::uint64_t detailed = makekey(
        {detailedalpha,
         atomtoken(graph, near, graph.bonds[static_cast<std::size_t>(bond)])});
    for (std::uint64_t t : carried) {
      detailed = mixkey(detailed, t);
    }
    terms.alpha.emplace_back(
        detailed,
        makekey({plainalpha,
                 static_cast<std::uint64_t>(
                     graph.atoms[static_cast<std::size_t>(near)].element),
                 static_cast<std::uint64_t>(atomclass(graph, near))}));
  }
}

tincrementtable::tincrementtable(
    std::vector<std::pair<std::uint64_t, double>> increments)
    : increments_(std::move(increments)) {
  std::sort(increments_.begin(), increments_.end());
}

tincrementtable tincrementtable::fit(
    const std::vector<tincrementsample>& samples, int mincount) {
  std::unordered_map<std::uint64_t, int> detailedcount;
  for (const tincrementsample& sample : samples) {
    for (const auto& alpha : sample.terms.alpha) {
      ++detailedcount[alpha.first];
    }
  }
  std::map<std::uint64_t, std::size_t> column;
  std::vector<std::vector<std::size_t>> rows;
  rows.reserve(samples.size());
  auto columnof = [&column](std::uint64_t key) {
    return column.emplace(key, column.size()).first->second;
  };
  for (const tincrementsample& sample : samples) {
    std::vector<std::size_t> row;
    for (const auto& [detailed, plain] : sample.terms.alpha) {
      row.push_back(
          columnof(detailedcount[detailed] >= mincount ? detailed : plain));
    }
    for (std::uint64_t key : sample.terms.fixed) {
      row.push_back(columnof(key));
    }
    rows.push_back(std::move(row));
  }
  std::size_t n = column.size();
  std::vector<double> a(n * n, 0.0);
  std::vector<double> b(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    a[i * n + i] = ridge;
  }
  for (std::size_t s = 0; s < samples.size(); ++s) {
    for (std::size_t p : rows[s]) {
      b[p] += samples[s].shift;
      for (std::size_t q : rows[s]) {
        a[p * n + q] += 1.0;
      }
    }
  }
  std::vector<double> x = solvepositivedefinite(std::move(a), std::move(b), n);
  std::vector<std::pair<std::uint64_t, double>> increments;
  for (const auto& [key, at] : column) {
    increments.emplace_back(key, x[at]);
  }
  return tincrementtable(std::move(increments));
}

tprediction tincrementtable::predict(const tincrementterms& terms) const {
  if (terms.fixed.empty()) {
    return {};
  }
  const double* base = findkey(increments_, terms.fixed.front());
  if (base == nullptr) {
    return {};
  }
  double shift = *base;
  for (const auto& [detailed, plain] : terms.alpha) {
    const double* value = findkey(increments_, detailed);
    if (value == nullptr) {
      value = findkey(increments_, plain);
    }
    if (value == nullptr) {
      return {};
    }
    shift += *value;
  }
  for (std::size_t i = 1; i < terms.fixed.size(); ++i) {
    const double* value = findkey(increments_, terms.fixed[i]);
    shift += value != nullptr ? *value : 0.0;
  }
  return {shift, -1};
}

}  // namespace molvane
