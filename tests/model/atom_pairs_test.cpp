// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/atom_pairs.h"

#include "document/drawing.h"
#include "model/atom.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

// A drawing of twenty carbons; atom(i) is the one at 1-based position i.
class AtomPairs : public ::testing::Test {
 protected:
  AtomPairs() {
    for (int i = 1; i <= 20; ++i) {
      atoms_.push_back(
          drawing_.addatom(std::make_unique<tatm>(6, 1, 10.0 * i, 0.0)));
    }
  }
  tatm* atom(int position) const {
    return atoms_[static_cast<std::size_t>(position - 1)];
  }
  // The list only refers to pairs; the test keeps them.
  tabpair* keep(int i, int j) {
    pairs_.push_back(std::make_unique<tabpair>(atom(i), atom(j)));
    return pairs_.back().get();
  }

  tdrawing drawing_;
  std::vector<tatm*> atoms_;
  std::vector<std::unique_ptr<tabpair>> pairs_;
};

TEST_F(AtomPairs,
       PairIsNormalisedByDrawingPositionAndOutsideAtomsGiveAKeyOfZero) {
  const tabpair forward(atom(3), atom(7));
  const tabpair backward(atom(7), atom(3));
  EXPECT_EQ(backward.atom1, atom(3));
  EXPECT_TRUE(backward.equals(forward));
  EXPECT_TRUE(backward.matches(atom(7), atom(3)));
  EXPECT_FALSE(backward.matches(atom(3), atom(3)));
  // An atom outside the drawing has position 0; with two of them the key
  // must still be a number.
  tatm outside(6, 1, 0.0, 0.0);
  tatm alsooutside(8, 1, 0.0, 0.0);
  EXPECT_EQ(tabpair(atom(5), &outside).atom1, &outside);
  EXPECT_EQ(tabpair(&outside, &alsooutside).key, 0.0L);
}

// Keys are not unique: (3, 6) and (4, 4) both give 2, (6, 12) and (5, 20)
// both give 4. Lookups must compare atoms.
TEST_F(AtomPairs, FindPairComparesAtomsNotKeys) {
  tabpairs pairs;
  for (tabpair* pair : {keep(6, 12), keep(3, 6), keep(5, 20), keep(4, 4)}) {
    pairs.addpair(pair);
  }
  const tpairfound forward = pairs.findpair(atom(5), atom(20));
  const tpairfound backward = pairs.findpair(atom(20), atom(5));
  ASSERT_NE(forward.pair, nullptr);
  EXPECT_TRUE(forward.pair->matches(atom(5), atom(20)));
  EXPECT_EQ(backward.pair, forward.pair);
  EXPECT_EQ(pairs.items(forward.index), forward.pair);
  EXPECT_EQ(pairs.findpair(atom(3), atom(4)).index, -1);
  const tabpair* equal = pairs.findequal(tabpair(atom(12), atom(6)));
  ASSERT_NE(equal, nullptr);
  EXPECT_TRUE(equal->matches(atom(6), atom(12)));
  EXPECT_EQ(pairs.findequal(tabpair(atom(1), atom(2))), nullptr);
}

TEST_F(AtomPairs, InsertPairKeepsEqualPairsAdjacentAndKeysAscending) {
  tabpairs pairs;
  for (tabpair* pair : {keep(2, 3), keep(1, 3), keep(1, 2)}) {
    pairs.addpair(pair);
  }
  tabpair* again = keep(3, 1);
  pairs.insertpair(again);
  EXPECT_EQ(pairs.items(1), again);
  EXPECT_TRUE(pairs.items(2)->equals(*again));

  pairs.insertpair(keep(19, 20));
  pairs.insertpair(keep(1, 4));
  for (int i = 1; i < pairs.count(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_LE(pairs.items(i - 1)->key, pairs.items(i)->key);
  }
  EXPECT_EQ(pairs.findequalindex(*again) + 1, pairs.indexof(pairs_[1].get()));

  pairs.removeall();
  EXPECT_EQ(again->atom1, atom(1));
}

}  // namespace
}  // namespace molvane
