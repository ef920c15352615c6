// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/atom_pairs.h"

#include "model/atom.h"

#include <cstdint>

namespace molvane {

namespace {

// 1-based position in the owner's atom list; 0 when absent.
std::int64_t drawingposition(const tatm* atom) {
  return atom != nullptr ? atom->ownerposition() + 1 : 0;
}

}  // namespace

tabpair::tabpair(tatm* a, tatm* b) {
  const std::int64_t i = drawingposition(a);
  const std::int64_t j = drawingposition(b);
  if (i <= j) {
    atom1 = a;
    atom2 = b;
  } else {
    atom1 = b;
    atom2 = a;
  }
  // Both atoms absent leaves the sum 0; such a pair sorts first.
  const std::int64_t sum = i + j;
  key = sum == 0
            ? 0.0L
            : static_cast<long double>(i * j) / static_cast<long double>(sum);
}

bool tabpair::equals(const tabpair& pair) const {
  return atom1 == pair.atom1 && atom2 == pair.atom2;
}

bool tabpair::matches(const tatm* a, const tatm* b) const {
  return (atom1 == a && atom2 == b) || (atom1 == b && atom2 == a);
}

void tabpairs::addpair(tabpair* pair) {
  add(pair);
  sortpairs();
}

tabpair* tabpairs::findequal(const tabpair& pair) const {
  return items(findequalindex(pair));
}

int tabpairs::findequalindex(const tabpair& pair) const {
  for (int i = 0; i < count(); ++i) {
    if (items(i)->equals(pair)) {
      return i;
    }
  }
  return -1;
}

tpairfound tabpairs::findpair(const tatm* a, const tatm* b) const {
  for (int i = 0; i < count(); ++i) {
    if (items(i)->matches(a, b)) {
      return {items(i), i};
    }
  }
  return {};
}

void tabpairs::insertpair(tabpair* pair) {
  const int equal = findequalindex(*pair);
  if (equal >= 0) {
    insert(equal, pair);
  } else {
    addpair(pair);
  }
}

void tabpairs::sortpairs() {
  sort([](const tabpair* a, const tabpair* b) { return a->key < b->key; });
}

}  // namespace molvane
