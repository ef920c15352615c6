// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/predictor.h"

#include "nmr/environment.h"
#include "nmr/learned_tables.h"
#include "nmr/peak_database.h"
#include "nmr/shift_combination.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>

namespace molvane {
namespace {

class ShiftPrediction : public testing::tdrawingtest {
 protected:
  /// Files the environment of atom with shift in db.
  static void teach(tpeakdb& db, const tatm& atom, double shift) {
    tpeak peak = tpeak::fromenvironment(atomenvironment(atom));
    peak.setshift(shift, db.nucleus());
    db.addpeak(peak);
  }
  /// A separate small molecule: a carbon of charge q bonded to the given
  /// elements, each a bare atom.
  tatm* star(int charge, std::initializer_list<int> elements, double x) {
    tatm* centre = atom(6, x, 300);
    centre->setcharge(charge);
    double y = 330;
    for (int element : elements) {
      bond(centre, atom(element, x, y));
      y += 30;
    }
    return centre;
  }
};

TEST_F(ShiftPrediction, EnvironmentOfEthaneByHand) {
  tatm* a = atom(6, 0, 0);
  bond(a, atom(6, 30, 0));
  tenvironment env = atomenvironment(*a);
  // One single bond to an sp3 carbon: t = 2 + 3 x 0.1 + 6 x 0.001.
  const double t = 2.306;
  EXPECT_EQ(env.peaktype, 33);
  EXPECT_FLOAT_EQ(env.spheres[0], static_cast<float>(1.0 / (3.006 + 1.0 / t)));
  EXPECT_FLOAT_EQ(env.spheres[1], static_cast<float>(t));
  for (int k = 2; k < spherecount; ++k) {
    EXPECT_EQ(env.spheres[static_cast<std::size_t>(k)], 0.0F);
  }
}

TEST_F(ShiftPrediction, EnvironmentIgnoresHowHydrogensAndRingsAreDrawn) {
  // Toluene drawn with alternating bonds and explicit methyl hydrogens,
  // and again with aromatic bonds and implicit hydrogens.
  std::vector<tatm*> kekule = benzene(0, 0, false);
  tatm* methyl = atom(6, 60, 0);
  bond(kekule[0], methyl);
  for (int i = 0; i < 3; ++i) {
    bond(methyl, atom(1, 80, 10.0 * i));
  }
  std::vector<tatm*> aromatic = benzene(200, 0, true);
  tatm* plain = atom(6, 260, 0);
  bond(aromatic[0], plain);
  EXPECT_EQ(atomenvironment(*methyl).spheres, atomenvironment(*plain).spheres);
  EXPECT_EQ(atomenvironment(*methyl).peaktype, 33);
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    tenvironment k = atomenvironment(*kekule[i]);
    tenvironment d = atomenvironment(*aromatic[i]);
    EXPECT_EQ(k.peaktype, d.peaktype);
    EXPECT_EQ(k.spheres, d.spheres);
  }
  // Mirror-image ring positions have the same code.
  EXPECT_EQ(atomenvironment(*kekule[1]).spheres,
            atomenvironment(*kekule[5]).spheres);
  EXPECT_NE(atomenvironment(*kekule[1]).spheres,
            atomenvironment(*kekule[2]).spheres);
}

TEST_F(ShiftPrediction, CombinesDatabaseAndIncrementsByClass) {
  const tprediction failed{};
  const struct {
    int c;
    int level;
    tprediction fallback;
    double shift;
    int result;
  } cases[] = {
      {2, 7, {100.0, -3}, 130.0, 7},  // exact sp2 match
      {4, 7, {100.0, -3}, 130.0, 7},  // exact aromatic match
      // Aromatic: from four spheres the match wins, below that each
      // sphere weighs one against the ring increments' level.
      {4, 4, {100.0, -3}, 130.0, 4},
      {4, 2, {100.0, -3}, (130.0 * 2 + 300.0) / 5, 2},
      {4, 3, {100.0, -3}, (130.0 * 3 + 300.0) / 6, 3},
      {2, 1, failed, 130.0, 1},  // no scheme
      {3, 4, {100.0, -7}, 130.0, 4},
      {1, 3, {100.0, -2}, 130.0, 3},
      {0, 0, {100.0, -2}, noshift, 0},
      {3, 0, {100.0, -2}, 100.0, -2},
      // Shallow carbon matches correct the tables instead of losing to them:
      // each agreeing sphere weighs eight for sp3 (from three on the match
      // wins) and two for a double-bond carbon.
      {3, 3, {100.0, -7}, 130.0, 3},
      {3, 2, {100.0, -4}, (130.0 * 16 + 400.0) / 20, 2},
      {3, 1, {100.0, -7}, (130.0 * 8 + 700.0) / 15, 1},
      {2, 1, {100.0, -3}, (130.0 * 2 + 300.0) / 5, 1},
      {3, 1, failed, 130.0, 1},
      // Fluorine: a learned value as deep as the match wins, one sphere
      // shallower is averaged in by depth, shallower still is ignored.
      {fluorineclass, 2, {100.0, -2}, 100.0, -2},
      {fluorineclass, 3, {100.0, -2}, (130.0 * 3 + 200.0) / 5, 3},
      {fluorineclass, 4, {100.0, -2}, 130.0, 4},
      {fluorineclass, 3, failed, 130.0, 3},
      {fluorineclass, 0, {100.0, -1}, 100.0, -1},
      // sp3 C-H protons: each agreeing sphere weighs once against the
      // increments' level; from three spheres on the match alone counts.
      {protonsp3class, 1, {100.0, -2}, (130.0 + 200.0) / 3, 1},
      {protonsp3class, 3, {100.0, -2}, 130.0, 3},
      {protonsp3class, 0, failed, noshift, 0},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.c * 10 + each.level);
    tprediction p = combineshifts(each.c, 130.0, each.level, each.fallback);
    EXPECT_DOUBLE_EQ(p.shift, each.shift);
    EXPECT_EQ(p.level, each.result);
  }
  // Three spheres of an sp3 carbon need no table, four of an aromatic one.
  EXPECT_FALSE(needsfallback(3, 3));
  EXPECT_TRUE(needsfallback(3, 2));
  EXPECT_FALSE(needsfallback(4, 4));
  EXPECT_TRUE(needsfallback(4, 3));
}

TEST_F(ShiftPrediction, SymmetryPartnersShareTheFirstShift) {
  tatm* first = atom(6, 0, 0);
  tatm* middle = atom(6, 30, 0);
  tatm* last = atom(6, 60, 0);
  bond(first, middle);
  bond(middle, last);
  auto db = std::make_shared<tpeakdb>(6);
  teach(*db, *first, 15.8);
  tpeak shallow = tpeak::fromenvironment(atomenvironment(*middle));
  shallow.spheres[4] = 9.0F;  // agrees in four spheres
  shallow.setshift(16.3, 6);
  db->addpeak(shallow);
  tpeaklist list = makepeaklist(drawing(), db);
  tsilentprogress progress;
  predictpeaks(list, drawing(), progress);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.peaks[0].level, 7);
  EXPECT_EQ(list.peaks[2].level, 7);
  EXPECT_EQ(list.peaks[2].shift, list.peaks[0].shift);
  EXPECT_EQ(list.peaks[1].level, 4);
  EXPECT_EQ(list.shifts[0].shown, 1);
  EXPECT_EQ(list.shifts[2].shown, 0);
  EXPECT_DOUBLE_EQ(last->nmrvalue, 15.8);
  EXPECT_EQ(last->number, 3);
  EXPECT_DOUBLE_EQ(last->eqcharge, 0.0);  // the partial charge is untouched
}

TEST_F(ShiftPrediction, BareAromaticRingGetsItsBaseShift) {
  std::vector<tatm*> ring = benzene(0, 0, true);
  auto db = std::make_shared<tpeakdb>(6);
  teach(*db, *ring[0], 128.4);
  tprediction p = db->predictaromatic(*ring[3]);
  EXPECT_DOUBLE_EQ(p.shift, 128.4);
  EXPECT_EQ(p.level, -7);
}

TEST_F(ShiftPrediction, ChargedCarbonFallsBackToTheStarSchemeWithHalogen) {
  tatm* cation = star(1, {6, 6, 35}, 0);
  auto db = std::make_shared<tpeakdb>(6);
  teach(*db, *star(1, {}, 100), 10.0);
  teach(*db, *star(1, {6}, 200), 20.0);
  teach(*db, *star(1, {35}, 300), 40.0);
  // Base 10 + Br correction 5, then 10 + 10 + 30 from the substituents.
  tprediction p = db->predictsp3(*cation);
  EXPECT_DOUBLE_EQ(p.shift, 65.0);
  EXPECT_EQ(p.level, -1);
  EXPECT_DOUBLE_EQ(db->predict(*cation).shift, 65.0);
}

TEST_F(ShiftPrediction, DrawingIsRestoredBondForBond) {
  // Every scheme runs: an aromatic ring with substituents, a double bond,
  // a triple bond, a charged carbon and plain sp3 carbons.
  std::vector<tatm*> ring = benzene(0, 0, true);
  tatm* vinyl = atom(6, 60, 0);
  tatm* end = atom(6, 90, 0);
  bond(ring[0], vinyl);
  bond(vinyl, end, 4);
  tatm* alkyne = atom(6, 0, 60);
  tatm* tip = atom(6, 0, 90);
  bond(ring[2], alkyne);
  bond(alkyne, tip, 6);
  tatm* cation = atom(6, -60, 0);
  cation->setcharge(1);
  bond(ring[3], cation);
  bond(cation, atom(35, -90, 0));
  bond(ring[4], atom(7, -40, -40));
  tbond* styled = drawing().bonds.items(3);
  styled->style = tbondstyle::wedge;
  styled->colour = 0x123456;

  auto snapshot = [this] {
    std::vector<std::vector<int>> state;
    for (const tatm* a : drawing().atoms) {
      state.push_back(
          {a->element, a->fcharge, a->valence2, a->hfree, a->hybridization});
    }
    for (tbond* b : drawing().bonds) {
      const auto bytes = b->writerecord().tobytes();
      state.emplace_back(bytes.begin(), bytes.end());
    }
    return state;
  };
  const std::vector<tbond*> bonds(drawing().bonds.begin(),
                                  drawing().bonds.end());
  const auto before = snapshot();
  for (int nucleus : {6, 1, 7}) {
    auto db = std::make_shared<tpeakdb>(nucleus);
    for (tatm* each : drawing().atoms) {
      teach(*db, *each, 50.0);
    }
    db->deletepeak(*db->findatomentry(*vinyl));
    for (tatm* each : drawing().atoms) {
      (void)db->predictaromatic(*each);
      (void)db->predictsp2(*each);
      (void)db->predictsp(*each);
      (void)db->predictsp3(*each);
    }
    tpeaklist list = makepeaklist(drawing(), db);
    tsilentprogress progress;
    predictpeaks(list, drawing(), progress);
  }
  EXPECT_EQ(std::vector<tbond*>(drawing().bonds.begin(), drawing().bonds.end()),
            bonds);
  EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace molvane
