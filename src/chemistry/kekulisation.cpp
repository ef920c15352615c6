// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/kekulisation.h"

#include "chemistry/valence.h"

#include <algorithm>
#include <deque>
#include <numeric>
#include <utility>

namespace molvane {

namespace {

/// A maximum matching of one connected set of atoms, by Edmonds'
/// augmenting paths with blossoms, after a greedy start.
class tmatching {
 public:
  explicit tmatching(std::vector<std::vector<int>> adjacency)
      : adjacency_(std::move(adjacency)),
        match_(adjacency_.size(), -1),
        parent_(adjacency_.size(), -1),
        base_(adjacency_.size()),
        used_(adjacency_.size(), false),
        blossom_(adjacency_.size(), false) {}

  /// True when every vertex is matched.
  bool perfect() {
    const int count = static_cast<int>(adjacency_.size());
    // Greedy: vertices with the fewest choices first.
    std::vector<int> order(adjacency_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
      return adjacency_[static_cast<std::size_t>(a)].size() <
             adjacency_[static_cast<std::size_t>(b)].size();
    });
    for (int v : order) {
      if (match_[at(v)] >= 0) {
        continue;
      }
      for (int to : adjacency_[at(v)]) {
        if (match_[at(to)] < 0) {
          match_[at(v)] = to;
          match_[at(to)] = v;
          break;
        }
      }
    }
    for (int v = 0; v < count; ++v) {
      if (match_[at(v)] >= 0) {
        continue;
      }
      int end = augmentingpath(v);
      if (end < 0) {
        return false;
      }
      while (end >= 0) {
        int previous = parent_[at(end)];
        int next = match_[at(previous)];
        match_[at(end)] = previous;
        match_[at(previous)] = end;
        end = next;
      }
    }
    return true;
  }

  int partner(int v) const { return match_[at(v)]; }

 private:
  static std::size_t at(int v) { return static_cast<std::size_t>(v); }

  int commonbase(int a, int b) {
    std::vector<bool> seen(adjacency_.size(), false);
    while (true) {
      a = base_[at(a)];
      seen[at(a)] = true;
      if (match_[at(a)] < 0) {
        break;
      }
      a = parent_[at(match_[at(a)])];
    }
    while (true) {
      b = base_[at(b)];
      if (seen[at(b)]) {
        return b;
      }
      b = parent_[at(match_[at(b)])];
    }
  }

  void markpath(int v, int b, int child) {
    while (base_[at(v)] != b) {
      blossom_[at(base_[at(v)])] = true;
      blossom_[at(base_[at(match_[at(v)])])] = true;
      parent_[at(v)] = child;
      child = match_[at(v)];
      v = parent_[at(match_[at(v)])];
    }
  }

  int augmentingpath(int root) {
    std::fill(used_.begin(), used_.end(), false);
    std::fill(parent_.begin(), parent_.end(), -1);
    std::iota(base_.begin(), base_.end(), 0);
    used_[at(root)] = true;
    std::deque<int> queue{root};
    while (!queue.empty()) {
      int v = queue.front();
      queue.pop_front();
      for (int to : adjacency_[at(v)]) {
        if (base_[at(v)] == base_[at(to)] || match_[at(v)] == to) {
          continue;
        }
        if (to == root ||
            (match_[at(to)] >= 0 && parent_[at(match_[at(to)])] >= 0)) {
          int current = commonbase(v, to);
          std::fill(blossom_.begin(), blossom_.end(), false);
          markpath(v, current, to);
          markpath(to, current, v);
          for (std::size_t i = 0; i < adjacency_.size(); ++i) {
            if (blossom_[at(base_[i])]) {
              base_[i] = current;
              if (!used_[i]) {
                used_[i] = true;
                queue.push_back(static_cast<int>(i));
              }
            }
          }
        } else if (parent_[at(to)] < 0) {
          parent_[at(to)] = v;
          if (match_[at(to)] < 0) {
            return to;
          }
          used_[at(match_[at(to)])] = true;
          queue.push_back(match_[at(to)]);
        }
      }
    }
    return -1;
  }

  std::vector<std::vector<int>> adjacency_;
  std::vector<int> match_;
  std::vector<int> parent_;
  std::vector<int> base_;
  std::vector<bool> used_;
  std::vector<bool> blossom_;
};

}  // namespace

std::string kekulise(tmoleculerecord& record,
                     const std::vector<bool>& needsdouble,
                     const std::vector<bool>& aromaticbonds) {
  const std::size_t count = record.atoms.size();
  std::vector<std::vector<int>> adjacency(count);
  for (std::size_t b = 0; b < record.bonds.size(); ++b) {
    const tbondentry& bond = record.bonds[b];
    const auto a1 = static_cast<std::size_t>(bond.atom1);
    const auto a2 = static_cast<std::size_t>(bond.atom2);
    if (aromaticbonds[b] && needsdouble[a1] && needsdouble[a2]) {
      adjacency[a1].push_back(bond.atom2);
      adjacency[a2].push_back(bond.atom1);
    }
  }
  // Each connected set of candidate atoms is matched on its own, so the
  // work stays proportional to the ring systems, not the whole record.
  std::vector<int> local(count, -1);
  std::vector<int> partner(count, -1);
  for (std::size_t start = 0; start < count; ++start) {
    if (!needsdouble[start] || local[start] >= 0) {
      continue;
    }
    std::vector<int> members{static_cast<int>(start)};
    local[start] = 0;
    for (std::size_t k = 0; k < members.size(); ++k) {
      for (int to : adjacency[static_cast<std::size_t>(members[k])]) {
        if (local[static_cast<std::size_t>(to)] < 0) {
          local[static_cast<std::size_t>(to)] =
              static_cast<int>(members.size());
          members.push_back(to);
        }
      }
    }
    std::vector<std::vector<int>> part(members.size());
    for (std::size_t k = 0; k < members.size(); ++k) {
      for (int to : adjacency[static_cast<std::size_t>(members[k])]) {
        part[k].push_back(local[static_cast<std::size_t>(to)]);
      }
    }
    tmatching matching(std::move(part));
    if (!matching.perfect()) {
      for (std::size_t k = 0; k < members.size(); ++k) {
        if (matching.partner(static_cast<int>(k)) < 0) {
          return "the aromatic ring at atom " + std::to_string(members[k] + 1) +
                 " cannot be given alternating double bonds";
        }
      }
      return "the aromatic rings cannot be given alternating double bonds";
    }
    for (std::size_t k = 0; k < members.size(); ++k) {
      partner[static_cast<std::size_t>(members[k])] =
          members[static_cast<std::size_t>(
              matching.partner(static_cast<int>(k)))];
    }
  }
  for (std::size_t b = 0; b < record.bonds.size(); ++b) {
    if (!aromaticbonds[b]) {
      continue;
    }
    tbondentry& bond = record.bonds[b];
    bool paired = partner[static_cast<std::size_t>(bond.atom1)] == bond.atom2;
    bond.kind = paired ? 4 : 2;
    bond.delocalised = false;
  }
  return "";
}

tmoleculerecord kekulerecord(const tmoleculerecord& record) {
  tmoleculerecord kekule = record;
  std::vector<bool> delocalised(record.bonds.size(), false);
  std::vector<int> bondsum(record.atoms.size(), 0);
  bool any = false;
  for (std::size_t b = 0; b < record.bonds.size(); ++b) {
    const tbondentry& bond = record.bonds[b];
    delocalised[b] = bond.kind == 3;
    any = any || delocalised[b];
    const int order = bond.kind == 3 ? 1 : (bond.kind + 1) / 2;
    bondsum[static_cast<std::size_t>(bond.atom1)] += order;
    bondsum[static_cast<std::size_t>(bond.atom2)] += order;
  }
  if (!any) {
    return kekule;
  }
  std::vector<bool> needsdouble(record.atoms.size(), false);
  for (std::size_t b = 0; b < record.bonds.size(); ++b) {
    if (!delocalised[b]) {
      continue;
    }
    for (int end : {record.bonds[b].atom1, record.bonds[b].atom2}) {
      const auto i = static_cast<std::size_t>(end);
      const tatomentry& atom = record.atoms[i];
      needsdouble[i] = bracketneedsdouble(atom.element, atom.charge, bondsum[i],
                                          std::max(0, atom.hydrogens));
    }
  }
  if (!kekulise(kekule, needsdouble, delocalised).empty()) {
    for (std::size_t b = 0; b < record.bonds.size(); ++b) {
      if (delocalised[b]) {
        kekule.bonds[b].kind = 2;
      }
    }
  }
  return kekule;
}

}  // namespace molvane
