// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/nmr_graph.h"

#include "document/structure.h"
#include "model/atom.h"
#include "model/bond.h"

#include <algorithm>
#include <unordered_map>

namespace molvane {

namespace {

constexpr int hydrogen = 1;

bool ischemicalbond(const tbond& bond) {
  return bond.chemical != 0 && bond.atom1 != nullptr && bond.atom2 != nullptr &&
         bond.atom1 != bond.atom2 && bond.atom1->ischemical() &&
         bond.atom2->ischemical();
}

/// A terminal hydrogen: one plain single bond to an atom that is not one.
bool isfoldable(const tatm& atom, const std::vector<tbond*>& bonds) {
  if (atom.element != hydrogen) {
    return false;
  }
  int count = 0;
  const tbond* only = nullptr;
  for (const tbond* each : bonds) {
    if (ischemicalbond(*each)) {
      ++count;
      only = each;
    }
  }
  return count == 1 && only->kind() == 2 && !only->isdelocalised() &&
         only->other(&atom)->element != hydrogen;
}

tgraphatom nodeof(const tatm& atom) {
  tgraphatom node;
  node.element = atom.element;
  node.charge = atom.fcharge;
  node.valence2 = atom.valence2;
  node.active = atom.ischemical();
  return node;
}

/// Builds a graph over atoms (positions are node numbers) whose bonds come
/// from bondsof; keep marks hydrogens that stay nodes.
template <class Bondsof>
tnmrgraph buildgraph(const std::vector<const tatm*>& atoms,
                     const std::unordered_map<const tatm*, int>& index,
                     const std::vector<bool>& keep, Bondsof bondsof) {
  tnmrgraph graph;
  graph.atoms.reserve(atoms.size());
  graph.atombonds.resize(atoms.size());
  for (const tatm* atom : atoms) {
    graph.atoms.push_back(nodeof(*atom));
  }
  std::vector<bool> folded(atoms.size(), false);
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    const tatm& atom = *atoms[i];
    bool kept = i < keep.size() && keep[i];
    if (atom.ischemical() && !kept && isfoldable(atom, bondsof(atom))) {
      folded[i] = true;
      graph.atoms[i].active = false;
    }
  }
  std::vector<const tbond*> seen;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    if (!graph.atoms[i].active && !folded[i]) {
      continue;
    }
    for (const tbond* bond : bondsof(*atoms[i])) {
      if (!ischemicalbond(*bond) || bond->atom1 != atoms[i]) {
        continue;
      }
      auto a = index.find(bond->atom1);
      auto b = index.find(bond->atom2);
      if (a == index.end() || b == index.end()) {
        continue;
      }
      auto ia = static_cast<std::size_t>(a->second);
      auto ib = static_cast<std::size_t>(b->second);
      if (folded[ia] || folded[ib]) {
        std::size_t heavy = folded[ia] ? ib : ia;
        graph.atoms[heavy].foldedh += 1;
        continue;
      }
      tgraphbond added;
      added.a = a->second;
      added.b = b->second;
      added.kind = bond->kind();
      added.delocalised = bond->isdelocalised();
      int number = static_cast<int>(graph.bonds.size());
      graph.bonds.push_back(added);
      graph.atombonds[ia].push_back(number);
      graph.atombonds[ib].push_back(number);
    }
  }
  graph.perceivearomaticrings();
  return graph;
}

/// Every six-membered ring through atom (as sorted bond lists).
void ringsthrough(const tnmrgraph& graph, int start,
                  std::vector<std::vector<int>>& rings) {
  std::vector<int> atoms{start};
  std::vector<int> bonds;
  auto extend = [&](auto& self, int at) -> void {
    for (int bond : graph.atombonds[static_cast<std::size_t>(at)]) {
      int next = graph.other(bond, at);
      if (next == start && bonds.size() == 5) {
        std::vector<int> ring = bonds;
        ring.push_back(bond);
        std::sort(ring.begin(), ring.end());
        if (std::find(rings.begin(), rings.end(), ring) == rings.end()) {
          rings.push_back(ring);
        }
        continue;
      }
      if (bonds.size() >= 5 ||
          std::find(atoms.begin(), atoms.end(), next) != atoms.end()) {
        continue;
      }
      const tgraphatom& node = graph.atoms[static_cast<std::size_t>(next)];
      if (node.element != 6 && node.element != 7) {
        continue;
      }
      atoms.push_back(next);
      bonds.push_back(bond);
      self(self, next);
      atoms.pop_back();
      bonds.pop_back();
    }
  };
  extend(extend, start);
}

}  // namespace

void tnmrgraph::perceivearomaticrings() {
  std::vector<std::vector<int>> rings;
  for (int i = 0; i < size(); ++i) {
    const tgraphatom& node = atoms[static_cast<std::size_t>(i)];
    if (node.active && (node.element == 6 || node.element == 7) &&
        countbonds(i, 4) == 1) {
      ringsthrough(*this, i, rings);
    }
  }
  std::vector<bool> aromaticatom(atoms.size(), false);
  std::vector<bool> aromaticbond(bonds.size(), false);
  bool changed = true;
  while (changed) {
    changed = false;
    for (std::vector<int>& ring : rings) {
      if (ring.empty()) {
        continue;
      }
      // Every ring atom has its double bond in this ring, or already
      // belongs to an aromatic ring.
      bool aromatic = true;
      for (int bond : ring) {
        for (int end : {bonds[static_cast<std::size_t>(bond)].a,
                        bonds[static_cast<std::size_t>(bond)].b}) {
          bool doubleinring = false;
          for (int other : ring) {
            const tgraphbond& b = bonds[static_cast<std::size_t>(other)];
            doubleinring =
                doubleinring || ((b.a == end || b.b == end) && b.kind == 4);
          }
          aromatic =
              aromatic && countbonds(end, 4) == 1 &&
              (doubleinring || aromaticatom[static_cast<std::size_t>(end)]);
        }
      }
      if (!aromatic) {
        continue;
      }
      for (int bond : ring) {
        tgraphbond& b = bonds[static_cast<std::size_t>(bond)];
        aromaticatom[static_cast<std::size_t>(b.a)] = true;
        aromaticatom[static_cast<std::size_t>(b.b)] = true;
        aromaticbond[static_cast<std::size_t>(bond)] = true;
      }
      ring.clear();
      changed = true;
    }
  }
  for (std::size_t i = 0; i < bonds.size(); ++i) {
    if (aromaticbond[i]) {
      bonds[i].kind = 3;
      bonds[i].delocalised = true;
    }
  }
}

int tgraphbond::ffkind() const {
  if (!delocalised) {
    return kind;
  }
  if (kind == 0) {
    return 1;
  }
  if (kind == 1) {
    return 2;
  }
  return kind <= 4 ? 3 : 5;
}

tnmrgraph tnmrgraph::fromstructure(const tStructure& structure,
                                   const std::vector<bool>& keep) {
  std::vector<const tatm*> atoms(structure.atoms.begin(),
                                 structure.atoms.end());
  std::unordered_map<const tatm*, int> index;
  index.reserve(atoms.size());
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    index.emplace(atoms[i], static_cast<int>(i));
  }
  // Bonds are taken once, from the structure's own list, at their first end.
  std::unordered_map<const tatm*, std::vector<tbond*>> bondsof;
  for (tbond* bond : structure.bonds) {
    if (bond->atom1 != nullptr) {
      bondsof[bond->atom1].push_back(bond);
    }
    if (bond->atom2 != nullptr) {
      bondsof[bond->atom2].push_back(bond);
    }
  }
  static const std::vector<tbond*> none;
  return buildgraph(atoms, index, keep,
                    [&](const tatm& atom) -> const std::vector<tbond*>& {
                      auto found = bondsof.find(&atom);
                      return found == bondsof.end() ? none : found->second;
                    });
}

tnmrgraph tnmrgraph::around(const tatm& atom, int& root) {
  std::vector<const tatm*> atoms{&atom};
  std::unordered_map<const tatm*, int> index{{&atom, 0}};
  for (std::size_t next = 0; next < atoms.size(); ++next) {
    for (const tbond* bond : atoms[next]->ownerbonds()) {
      if (!ischemicalbond(*bond)) {
        continue;
      }
      const tatm* far = bond->other(atoms[next]);
      if (far != nullptr && index.emplace(far, atoms.size()).second) {
        atoms.push_back(far);
      }
    }
  }
  root = 0;
  std::vector<bool> keep{true};
  return buildgraph(atoms, index, keep,
                    [](const tatm& each) -> const std::vector<tbond*>& {
                      return each.ownerbonds();
                    });
}

int tnmrgraph::other(int bond, int atom) const {
  const tgraphbond& b = bonds[static_cast<std::size_t>(bond)];
  return b.a == atom ? b.b : b.a;
}

std::vector<int> tnmrgraph::presentbonds(int atom) const {
  std::vector<int> result;
  for (int bond : atombonds[static_cast<std::size_t>(atom)]) {
    if (bonds[static_cast<std::size_t>(bond)].present) {
      result.push_back(bond);
    }
  }
  return result;
}

std::vector<int> tnmrgraph::neighbours(int atom) const {
  std::vector<int> result;
  for (int bond : atombonds[static_cast<std::size_t>(atom)]) {
    if (bonds[static_cast<std::size_t>(bond)].present) {
      result.push_back(other(bond, atom));
    }
  }
  return result;
}

int tnmrgraph::degree(int atom) const {
  int count = 0;
  for (int bond : atombonds[static_cast<std::size_t>(atom)]) {
    count += bonds[static_cast<std::size_t>(bond)].present ? 1 : 0;
  }
  return count;
}

int tnmrgraph::hybridization(int atom) const {
  const tgraphatom& node = atoms[static_cast<std::size_t>(atom)];
  if (issblockmetal(node.element)) {
    return 0;
  }
  // Folded hydrogens were single bonds of the drawn atom.
  int pattern = node.foldedh;
  for (int bond : atombonds[static_cast<std::size_t>(atom)]) {
    const tgraphbond& b = bonds[static_cast<std::size_t>(bond)];
    if (!b.present) {
      continue;
    }
    if (b.delocalised) {
      return 4;
    }
    if (b.kind == 1 || b.kind == 2) {
      pattern += 1;
    } else if (b.kind == 3 || b.kind == 4) {
      pattern += 10;
    } else if (b.kind == 5 || b.kind == 6) {
      pattern += 100;
    }
  }
  if (pattern <= 4) {
    return 3;
  }
  if (pattern == 5 || pattern == 6) {
    return pattern;
  }
  if ((pattern >= 10 && pattern <= 12) || pattern == 30) {
    return 2;
  }
  if (pattern == 20 || (pattern >= 100 && pattern <= 102)) {
    return 1;
  }
  return 0;
}

int tnmrgraph::implicithydrogens(int atom) const {
  const tgraphatom& node = atoms[static_cast<std::size_t>(atom)];
  return implicithydrogensof(node.element, node.valence2);
}

int tnmrgraph::hydrogens(int atom) const {
  return atoms[static_cast<std::size_t>(atom)].foldedh +
         implicithydrogens(atom);
}

bool tnmrgraph::hasdelocalisedbond(int atom) const {
  return std::any_of(
      atombonds[static_cast<std::size_t>(atom)].begin(),
      atombonds[static_cast<std::size_t>(atom)].end(), [this](int bond) {
        const tgraphbond& b = bonds[static_cast<std::size_t>(bond)];
        return b.present && b.delocalised;
      });
}

int tnmrgraph::countbonds(int atom, int kind) const {
  int count = 0;
  for (int bond : atombonds[static_cast<std::size_t>(atom)]) {
    const tgraphbond& b = bonds[static_cast<std::size_t>(bond)];
    count += b.present && !b.delocalised && b.kind == kind ? 1 : 0;
  }
  return count;
}

void tnmrgraph::cutbond(int bond) {
  tgraphbond& b = bonds[static_cast<std::size_t>(bond)];
  if (!b.present) {
    return;
  }
  b.present = false;
  atoms[static_cast<std::size_t>(b.a)].valence2 += b.kind;
  atoms[static_cast<std::size_t>(b.b)].valence2 += b.kind;
}

void tnmrgraph::restorebond(int bond) {
  tgraphbond& b = bonds[static_cast<std::size_t>(bond)];
  if (b.present) {
    return;
  }
  b.present = true;
  atoms[static_cast<std::size_t>(b.a)].valence2 -= b.kind;
  atoms[static_cast<std::size_t>(b.b)].valence2 -= b.kind;
}

}  // namespace molvane
