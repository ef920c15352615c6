// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/bond.h"

#include "model/atom.h"
#include "model/element_data.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace molvane {
namespace {

using BondTest = testing::tdrawingtest;

TEST_F(
    BondTest,
    DoubleBondOffsetsArePerpendicularNarrowerForTriplesAndKeptForCoincidentEnds) {
  // A turn in the screen plane keeps the length and turns the offsets.
  tbond* turned = bond(atom(6, 0, 0), atom(6, 30, 0), 4);
  turned->rotate2d(0, 0, 90);
  EXPECT_NEAR(turned->atom2->y, -30.0, 1e-9);
  EXPECT_EQ(turned->atom2->sy, -30);
  EXPECT_EQ(turned->offx, 6);
  session().settings.doublebondspacing = 4;
  tbond* dbl = bond(atom(6, 0, 0), atom(6, 10, 0), 4);
  EXPECT_EQ(dbl->offy, 4);
  tbond* triple = bond(atom(6, 0, 50), atom(6, 10, 50), 6);
  triple->calcoffsets();
  EXPECT_EQ(triple->offy, 3);  // round(4 * 0.67)
  tbond* vertical = bond(atom(6, 0, 100), atom(6, 0, 110), 4);
  vertical->calcoffsets();
  EXPECT_EQ(vertical->offx, -4);
  // Coincident ends give no direction: the offsets stay.
  tbond* b = bond(atom(6, 5, 5), atom(6, 5, 5), 4);
  b->offy = -7;
  b->calcoffsets();
  EXPECT_EQ(b->offy, -7);
  EXPECT_EQ(b->relativelength(), 0.0);
}

TEST_F(BondTest, CreatingAndChangingKindsKeepsValencesBalanced) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  tbond* ab = bond(a, b, 4);
  EXPECT_EQ(a->valence2, 4);
  ab->setkind(6);
  EXPECT_EQ(b->implicithydrogens(), 1);
  EXPECT_EQ(ab->style, tbondstyle::centred);
  ab->setkind(2);
  EXPECT_EQ(a->implicithydrogens(), 3);
  EXPECT_EQ(ab->style, tbondstyle::normal);
  drawing().removebond(ab);
  EXPECT_EQ(b->implicithydrogens(), 4);
}

TEST_F(BondTest, DelocalisationSurvivesAKindChange) {
  tbond* b = bond(atom(6, 0, 0), atom(6, 30, 0));
  b->setdelocalised(true);
  EXPECT_EQ(b->atom1->hybridization, 4);
  b->setkind(4);
  EXPECT_EQ(b->order, 104);
  b->setdelocalised(false);
  EXPECT_EQ(b->order, 4);
  // The modelling order of delocalised bonds.
  for (auto [order, expected] :
       {std::pair{100, 1}, {101, 2}, {104, 3}, {105, 5}, {4, 4}}) {
    b->order = order;
    EXPECT_EQ(b->ffkind(), expected) << order;
  }
}

TEST_F(BondTest, IdealLengthOfACarbonSingleBondIsOneStandardLength) {
  tbond* cc = bond(atom(6, 0, 0), atom(6, 30, 0));
  EXPECT_NEAR(cc->ideallength(), 30.0, 1e-6);
  EXPECT_NEAR(cc->bondenergy(), 0.0, 1e-9);
  // Stretched by half: 84200 (exp(-2.236067978 / 2) - 1)^2 cal.
  cc->atom2->setxyz(45, 0, 0);
  EXPECT_NEAR(cc->bondenergy(), 38145.474, 1e-2);
  tbond* ch = bond(atom(6, 0, 100), atom(1, 30, 100));
  ch->bondenergy();
  EXPECT_DOUBLE_EQ(ch->kdiss, 2 * 0.5 * 99000.0);
  tbond* dummy = bond(atom(0, 0, 200), atom(6, 30, 200));
  EXPECT_EQ(dummy->bondenergy(), 0.0);
}

TEST_F(BondTest, OnlyAcyclicSingleBondsBetweenBranchedAtomsRotate) {
  // Butane: the middle bond rotates, the terminal ones do not.
  tatm* c2 = atom(6, 26, 15);
  tatm* c3 = atom(6, 52, 0);
  tbond* b12 = bond(atom(6, 0, 0), c2);
  tbond* b23 = bond(c2, c3);
  bond(c3, atom(6, 78, 15));
  EXPECT_TRUE(b23->isrotatable());
  EXPECT_FALSE(b12->isrotatable());
  b23->setkind(4);
  EXPECT_FALSE(b23->isrotatable());

  // Cyclohexane: no ring bond rotates.
  session().newdrawing();
  std::vector<tatm*> ring;
  for (int i = 0; i < 6; ++i) {
    ring.push_back(atom(6, 30 * std::cos(i * std::numbers::pi / 3),
                        30 * std::sin(i * std::numbers::pi / 3)));
  }
  for (int i = 0; i < 6; ++i) {
    tbond* b = bond(ring[static_cast<std::size_t>(i)],
                    ring[static_cast<std::size_t>((i + 1) % 6)]);
    EXPECT_FALSE(b->isrotatable());
    tbondsides sides = b->splitsides();
    EXPECT_TRUE(i < 5 || sides.side1.intersects(sides.side2));
  }
}

TEST_F(BondTest, SecondLineOfACisDoubleBondGoesBetweenItsNeighbours) {
  // p and q above the bond (cis): the second line goes up (negative y).
  tatm* p = atom(6, 0, -26);
  tatm* a = atom(6, 15, 0);
  tatm* b = atom(6, 45, 0);
  tatm* q = atom(6, 60, -26);
  tbond* ab = bond(a, b, 4);
  bond(p, a);
  bond(b, q);
  ab->choosesides();
  // offy is +spacing (downwards), so the neighbours point against it.
  EXPECT_EQ(ab->side, -1);
  EXPECT_EQ(ab->ref1, drawing().positionof(p));
  EXPECT_EQ(ab->ref2, drawing().positionof(q));

  // Trans neighbours decide nothing.
  q->setxyz(60, 26, 0);
  ab->side = 1;
  ab->ref1 = ab->ref2 = -1;
  ab->choosesides();
  EXPECT_EQ(ab->side, 1);
  // Branched: the best hybridised pair that is not hydrogen decides.
  session().newdrawing();
  a = atom(6, 15, 0);
  b = atom(6, 45, 0);
  ab = bond(a, b, 4);
  p = atom(6, 0, -26);
  bond(a, atom(1, 0, 26));
  bond(a, p);
  bond(b, atom(6, 60, -26));
  bond(b, atom(6, 60, 26));
  ab->choosesides();
  EXPECT_EQ(ab->ref1, drawing().positionof(p));
}

TEST_F(BondTest, RecordHasTheDocumentLayoutAndEndsPastTheAtomListStayEmpty) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(8, 30, 0);
  tbond* ab = bond(a, b, 4);
  ab->setdelocalised(true);
  ab->colour = 0x00112233;
  ab->style = tbondstyle::hashed;
  ab->side = -1;
  ab->offx = -5;
  ab->offy = 300;
  ab->wideend = 1;
  ab->width = 2;
  auto bytes = ab->writerecord().tobytes();
  const std::array<std::uint8_t, 23> expected = {
      2,    104,  0x33, 0x22, 0x11, 0, 0, 0, 0, 0, 3, 0xFF,
      0xFB, 0xFF, 0x2C, 0x01, 1,    2, 0, 0, 1, 0, 1};
  EXPECT_EQ(bytes, expected);

  tbond copy(bondrecord::frombytes(bytes), drawing().atoms);
  EXPECT_EQ(copy.atom1, a);
  EXPECT_EQ(copy.atom2, b);
  EXPECT_EQ(copy.order, 104);
  EXPECT_EQ(a->valence2, 4);  // reading a record never touches valences
  // An end past the atom list stays empty, and nothing uses it.
  bondrecord record;
  record.order = 2;
  record.atom1 = 0;
  record.atom2 = 60000;
  tbond loose(record, drawing().atoms);
  EXPECT_EQ(loose.atom2, nullptr);
  loose.refresh();
  loose.choosesides();
  EXPECT_EQ(loose.length(), 0.0);
}

TEST_F(BondTest, RecordKeepsNegativeAndUnnamedStyles) {
  // The record holds a style in one byte; -6 must not come back as 250,
  // which would draw nothing.
  tbond* ab = bond(atom(6, 0, 0), atom(6, 30, 0));
  for (int style : {-7, -6, 0, 1, 7, 35, 127}) {
    SCOPED_TRACE(style);
    ab->style = bondstylefromnumber(style);
    tbond copy(bondrecord::frombytes(ab->writerecord().tobytes()),
               drawing().atoms);
    EXPECT_EQ(bondstylenumber(copy.style), style);
  }
}

TEST_F(BondTest, LengthAdjustsOnlyWhileBuildingIn3D) {
  tatm* c = atom(6, 0, 0);
  tatm* o = atom(8, 60, 0);
  tbond* co = bond(c, o, 4);
  bond(c, atom(6, -30, 0));
  co->adjustlength(0);
  EXPECT_EQ(o->x, 60);
  session().settings.build3d = true;
  co->adjustlength(0);
  EXPECT_NEAR(co->length(), co->ideallength(), 1e-9);
  EXPECT_EQ(c->x, 0);  // the terminal oxygen moved, not the carbon
}

TEST_F(BondTest, BondListTextNamesAtomPositions) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  tatm* c = atom(8, 60, 0);
  bond(a, b);
  tbond* bc = bond(b, c, 4);
  bc->setdelocalised(true);
  drawing().bonds.items(0)->chemical = 1;
  EXPECT_EQ(drawing().bonds.writetext(), "0 1 2 0\n1 2 4 1\n");
  EXPECT_NEAR(drawing().bonds.averagelength(), 30.0, 1e-12);
}

}  // namespace
}  // namespace molvane
