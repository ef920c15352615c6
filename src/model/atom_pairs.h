// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/base_object.h"

namespace molvane {

class tatm;

/// An unordered pair of atoms of one drawing, normalised so that atom1 is
/// the one earlier in the drawing's atom list.
class tabpair {
 public:
  tabpair(tatm* a, tatm* b);
  /// Same atom1 and atom2 (identity).
  bool equals(const tabpair& pair) const;
  /// {a, b} is the pair in either order.
  bool matches(const tatm* a, const tatm* b) const;

  /// i*j/(i+j) of the 1-based list positions; not unique.
  long double key = 0;
  tatm* atom1 = nullptr;
  tatm* atom2 = nullptr;
};

/// Result of a pair search.
struct tpairfound {
  tabpair* pair = nullptr;
  int index = -1;
};

/// Pairs in ascending key order; the list does not own them.
class tabpairs : public tBaseList<tabpair> {
 public:
  /// Appends pair and sorts.
  void addpair(tabpair* pair);
  tabpair* findequal(const tabpair& pair) const;
  int findequalindex(const tabpair& pair) const;
  tpairfound findpair(const tatm* a, const tatm* b) const;
  /// Inserts before the first equal pair so that equal pairs stay adjacent;
  /// otherwise appends and sorts.
  void insertpair(tabpair* pair);
  void sortpairs();
  /// Removes every reference without freeing the pairs.
  void removeall() { clear(); }
};

}  // namespace molvane
