// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"
#include "mechanics/force_field.h"
#include "testing/molecule_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

namespace molvane {
namespace {

using testing::alkane;
using testing::tmolecule;

TEST(PairList, SmallDrawingsSumEveryPairAndLargeOnesANearList) {
  for (const int carbons : {165, 167}) {
    SCOPED_TRACE(carbons);
    tmolecule chain = alkane(carbons);
    tforcefield field(chain.drawing);
    ASSERT_EQ(field.setupforcefield(), "");
    const std::size_t n = field.atoms().size();
    std::size_t excluded = 0;
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = i + 1; j < n; ++j) {
        excluded += field.isexcluded(static_cast<std::int32_t>(i),
                                     static_cast<std::int32_t>(j));
      }
    }
    const std::size_t all = n * (n - 1) / 2 - excluded;
    EXPECT_EQ(field.listspairs(), n > allpairslimit);
    if (n <= allpairslimit) {
      EXPECT_EQ(field.nonbonded().size(), all);
    } else {
      EXPECT_LT(field.nonbonded().size(), all / 2);
    }
    // The descent's sum is the terms' own sum.
    const double total = field.totalenergy();
    EXPECT_NEAR(field.energy(field.coordinates()), total,
                1e-9 * std::abs(total));
  }
}

TEST(PairList, ACutOffChainLosesOnlyThePairsBeyondTheCutOff) {
  // 2 000 atoms. Every pair closer than where the fade starts is listed
  // with its full energy; what the fade and the cut-off take away is no
  // more than the pairs beyond hold, and less than 0.1 % of all pairs'
  // energy: an open chain takes the long fade, since it lists few pairs.
  tmolecule chain = alkane(666);
  tforcefield listed(chain.drawing);
  ASSERT_EQ(listed.setupforcefield(), "");
  ASSERT_TRUE(listed.listspairs());
  tforcefield every(chain.drawing);
  every.setallpairslimit(chain.list.size());
  ASSERT_EQ(every.setupforcefield(), "");
  ASSERT_FALSE(every.listspairs());
  struct tsums {
    double near = 0.0, far = 0.0, all = 0.0;
    std::size_t nearcount = 0;
  };
  auto sums = [&chain](tforcefield& field) {
    field.totalenergy();
    tsums sum;
    for (const tnbpair& pair : field.nonbonded()) {
      const double d =
          chain.list[static_cast<std::size_t>(pair.atoms[0])]->distance(
              *chain.list[static_cast<std::size_t>(pair.atoms[1])]) /
          chain.units();
      sum.all += pair.energy;
      if (d < tforcefield::fadestart - 1e-3) {
        sum.near += pair.energy;
        ++sum.nearcount;
      } else {
        sum.far += std::abs(pair.energy);
      }
    }
    return sum;
  };
  const tsums all = sums(every);
  const tsums cut = sums(listed);
  EXPECT_EQ(cut.nearcount, all.nearcount);
  EXPECT_NEAR(cut.near, all.near, 1e-9 * std::abs(all.near));
  EXPECT_LE(std::abs(cut.all - all.near), all.far);
  EXPECT_NEAR(cut.all, all.all, 1e-3 * std::abs(all.all));
  EXPECT_EQ(listed.pairfade().off, tforcefield::longfadeend);
  EXPECT_LT(listed.nonbonded().size(), every.nonbonded().size() / 10);
}

TEST(PairList, ListingAgainAfterAtomsMoveChangesNothing) {
  tmolecule chain = alkane(200);
  tforcefield field(chain.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  ASSERT_TRUE(field.listspairs());
  // Fold the chain's far end back beside its start, so pairs that were
  // far apart come within reach: most atoms move much more than the skin.
  std::vector<double> xyz = field.coordinates();
  for (std::size_t i = 0; i < xyz.size(); i += 3) {
    if (xyz[i] > 120.0 * chain.units()) {
      xyz[i] = 250.0 * chain.units() - xyz[i];
      xyz[i + 2] += 5.0 * chain.units();
    }
  }
  const long before = field.pairlistings();
  std::vector<double> grad(xyz.size()), freshgrad(xyz.size());
  const double moved = field.gradient(xyz, grad);
  EXPECT_EQ(field.pairlistings(), before + 1);
  for (std::size_t i = 0; i < xyz.size(); i += 3) {
    chain.list[i / 3]->x = xyz[i];
    chain.list[i / 3]->y = xyz[i + 1];
    chain.list[i / 3]->z = xyz[i + 2];
  }
  tforcefield fresh(chain.drawing);
  ASSERT_EQ(fresh.setupforcefield(), "");
  const double expected = fresh.gradient(xyz, freshgrad);
  EXPECT_NEAR(moved, expected, 1e-9 * std::abs(expected));
  for (std::size_t k = 0; k < grad.size(); ++k) {
    ASSERT_NEAR(grad[k], freshgrad[k], 1e-9 * (std::abs(expected) + 1.0));
  }
  // Small moves keep the list.
  xyz[0] += 0.1 * chain.units();
  field.energy(xyz);
  EXPECT_EQ(field.pairlistings(), before + 1);
}

TEST(PairList, AListingGivenUpKeepsThePairsListedBefore) {
  // A run that is stopped while its pairs are listed again must not be left
  // with half a list: the old one stays, and the next listing that is let
  // finish makes the full one.
  tmolecule chain = alkane(200);
  tforcefield field(chain.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  ASSERT_TRUE(field.listspairs());
  const std::size_t pairs = field.nonbonded().size();
  const double listedenergy = field.energy(field.coordinates());
  bool stopping = true;
  long polls = 0;
  field.setlistinghook([&polls] { ++polls; }, [&stopping] { return stopping; });
  std::vector<double> xyz = field.coordinates();
  for (std::size_t i = 0; i < xyz.size(); i += 3) {
    xyz[i] *= 1.05;
  }
  const long before = field.pairlistings();
  EXPECT_FALSE(field.updatepairs(xyz));
  EXPECT_GT(polls, 0);
  EXPECT_EQ(field.pairlistings(), before);
  ASSERT_EQ(field.nonbonded().size(), pairs);
  EXPECT_NEAR(field.energy(field.coordinates()), listedenergy,
              1e-9 * std::abs(listedenergy));
  std::size_t registered = 0;
  for (std::size_t a = 0; a < field.atoms().size(); ++a) {
    registered += field.pack(static_cast<std::int32_t>(a))
                      .lists.terms[termslot(ttermkind::nonbonded)]
                      .size();
  }
  EXPECT_EQ(registered, 2 * pairs);
  stopping = false;
  EXPECT_TRUE(field.updatepairs(xyz));
  EXPECT_EQ(field.pairlistings(), before + 1);
}

}  // namespace
}  // namespace molvane
