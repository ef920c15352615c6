// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/fluorine_types.h"

#include "nmr/environment_keys.h"
#include "nmr/nmr_graph.h"

#include <algorithm>
#include <map>

namespace molvane {

namespace {

constexpr int fluorineelement = 9;
constexpr std::uint64_t baseterm = 201;

}  // namespace

tfluorinekeys fluorinekeys(const tnmrgraph& graph, int fluorine) {
  tfluorinekeys keys{};
  std::vector<int> depth(graph.atoms.size(), -1);
  depth[static_cast<std::size_t>(fluorine)] = 0;
  std::vector<int> layer{fluorine};
  std::uint64_t hash = emptykey;
  std::uint64_t coarse = emptykey;
  for (int d = 1; d <= fluorinedepth; ++d) {
    std::vector<int> next;
    std::vector<std::uint64_t> tokens;
    std::vector<std::uint64_t> plain;
    for (int at : layer) {
      for (int bond : graph.presentbonds(at)) {
        int far = graph.other(bond, at);
        auto f = static_cast<std::size_t>(far);
        if (!graph.atoms[f].active || depth[f] >= 0) {
          continue;
        }
        depth[f] = d;
        next.push_back(far);
        tokens.push_back(
            atomtoken(graph, far, graph.bonds[static_cast<std::size_t>(bond)]));
        plain.push_back(static_cast<std::uint64_t>(graph.atoms[f].element * 8 +
                                                   atomclass(graph, far)));
      }
    }
    std::sort(tokens.begin(), tokens.end());
    std::sort(plain.begin(), plain.end());
    hash = mixkey(hash, 0xFFFFFFFFULL + static_cast<std::uint64_t>(d));
    coarse = mixkey(coarse, 0xFFFFFFFEULL + static_cast<std::uint64_t>(d));
    for (std::uint64_t t : tokens) {
      hash = mixkey(hash, t);
    }
    for (std::uint64_t t : plain) {
      coarse = mixkey(coarse, t);
    }
    keys[static_cast<std::size_t>(2 * (d - 1))] = hash;
    keys[static_cast<std::size_t>(2 * (d - 1) + 1)] = coarse;
    layer = std::move(next);
  }
  return keys;
}

bool fluorineterms(const tnmrgraph& graph, int atom, tincrementterms& terms) {
  std::vector<int> bonds = graph.presentbonds(atom);
  if (graph.atoms[static_cast<std::size_t>(atom)].element != fluorineelement ||
      bonds.size() != 1) {
    return false;
  }
  int centre = graph.other(bonds[0], atom);
  int fluorines = 0;
  for (int n : graph.neighbours(centre)) {
    fluorines +=
        graph.atoms[static_cast<std::size_t>(n)].element == fluorineelement;
  }
  terms = {};
  terms.fixed.push_back(
      makekey({baseterm,
               atomtoken(graph, centre,
                         graph.bonds[static_cast<std::size_t>(bonds[0])]),
               static_cast<std::uint64_t>(fluorines)}));
  addsubstituentterms(graph, centre, atom, terms);
  return true;
}

tfluorinetable::tfluorinetable(
    std::vector<std::pair<std::uint64_t, double>> entries)
    : entries_(std::move(entries)) {
  std::sort(entries_.begin(), entries_.end());
}

tfluorinetable tfluorinetable::fit(const std::vector<tfluorinesample>& samples,
                                   int minsupport) {
  std::map<std::uint64_t, std::vector<double>> groups;
  for (const tfluorinesample& sample : samples) {
    for (std::uint64_t key : sample.keys) {
      groups[key].push_back(sample.shift);
    }
  }
  std::vector<std::pair<std::uint64_t, double>> entries;
  for (const auto& [key, values] : groups) {
    if (static_cast<int>(values.size()) >= minsupport) {
      entries.emplace_back(key, medianof(values));
    }
  }
  return tfluorinetable(std::move(entries));
}

tprediction tfluorinetable::predict(const tnmrgraph& graph,
                                    int fluorine) const {
  tfluorinekeys keys = fluorinekeys(graph, fluorine);
  for (int plain = 0; plain <= 1; ++plain) {
    for (int d = fluorinedepth; d >= 1; --d) {
      const double* shift = findkey(
          entries_, keys[static_cast<std::size_t>(2 * (d - 1) + plain)]);
      if (shift != nullptr) {
        return {*shift, plain != 0 ? -1 : -d};
      }
    }
  }
  return {};
}

}  // namespace molvane
