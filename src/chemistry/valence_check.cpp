// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/valence_check.h"

#include "chemistry/valence.h"
#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"

#include <cstddef>
#include <optional>
#include <unordered_map>

namespace molvane {

namespace {

/// Problems named one by one before the rest are counted.
constexpr std::size_t mostnamed = 4;

struct tbondcount {
  /// Bond orders in half units.
  int halves = 0;
  bool onehalf = false;
};

}  // namespace

std::vector<tvalenceproblem> valenceproblems(const tdrawing& drawing) {
  std::unordered_map<const tatm*, tbondcount> counts;
  for (const tbond* bond : drawing.bonds) {
    if (bond->chemical == 0 || bond->atom1 == nullptr ||
        bond->atom2 == nullptr || !bond->atom1->ischemical() ||
        !bond->atom2->ischemical()) {
      continue;
    }
    const int kind = bond->kind();
    // A dotted half bond (a contact, a partial bond) uses no valence.
    if (kind < 2) {
      continue;
    }
    for (const tatm* end : {bond->atom1, bond->atom2}) {
      tbondcount& count = counts[end];
      count.halves += kind;
      count.onehalf = count.onehalf || kind == 3;
    }
  }
  std::vector<tvalenceproblem> problems;
  int position = 0;
  for (const tatm* atom : drawing.atoms) {
    ++position;
    const auto found = counts.find(atom);
    if (!atom->ischemical() || found == counts.end()) {
      continue;
    }
    const std::optional<int> allowed =
        largestvalence(atom->element, atom->fcharge);
    if (!allowed) {
      continue;
    }
    // Benzene drawn with one-and-a-half bonds gives each carbon 4.5 with
    // its hydrogen; the half is its share of the ring's double bonds.
    const tbondcount& count = found->second;
    const int bonds = (count.halves - (count.onehalf ? 1 : 0)) / 2;
    if (bonds > *allowed) {
      problems.push_back({atom, position, bonds, *allowed});
    }
  }
  return problems;
}

std::string valencetext(const std::vector<tvalenceproblem>& problems) {
  if (problems.empty()) {
    return {};
  }
  std::string text = "Valence: ";
  for (std::size_t i = 0; i < problems.size() && i < mostnamed; ++i) {
    const tvalenceproblem& problem = problems[i];
    if (i > 0) {
      text += ", ";
    }
    text += std::string(symbolof(problem.atom->element)) +
            std::to_string(problem.position) + " has " +
            std::to_string(problem.bonds) + " bonds";
  }
  if (problems.size() > mostnamed) {
    text += " and " + std::to_string(problems.size() - mostnamed) + " more";
  }
  return text;
}

}  // namespace molvane
