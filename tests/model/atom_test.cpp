// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/atom.h"

#include "model/bond.h"
#include "model/element_data.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>

namespace molvane {
namespace {

using AtomTest = testing::tdrawingtest;

TEST(RoundHalfEven, RoundsTiesToTheEvenNeighbour) {
  EXPECT_EQ(roundhalfeven(2.5), 2);
  EXPECT_EQ(roundhalfeven(3.5), 4);
  EXPECT_EQ(roundhalfeven(-2.5), -2);
  EXPECT_EQ(roundhalfeven(2.51), 3);
  EXPECT_EQ(roundhalfeven(1e300), 2147483647);
  EXPECT_EQ(roundhalfeven(std::nan("")), 0);
}

TEST_F(AtomTest, NewCarbonHasFourFreeValences) {
  tatm* c = atom(6, 10.4, 20.6);
  EXPECT_EQ(c->valence2, 8);
  EXPECT_EQ(c->hfree, 4);
  EXPECT_EQ(c->implicithydrogens(), 4);
  EXPECT_EQ(c->symbol, "C");
  EXPECT_EQ(c->sx, 10);
  EXPECT_EQ(c->sy, 21);
  EXPECT_FLOAT_EQ(c->mass, 12.0112F);
  EXPECT_EQ(c->hybridization, 3);
}

// Every element that carries hydrogens, joined to a carbon by each bond
// kind, must count its hydrogens from what is left of its valence.
TEST_F(AtomTest, ImplicitHydrogensFollowEveryBondKind) {
  for (int element = 1; element <= lastelement; ++element) {
    for (int kind = 1; kind <= 6; ++kind) {
      SCOPED_TRACE("element " + std::to_string(element) + " kind " +
                   std::to_string(kind));
      tatm* a = atom(element, 0, 0);
      tatm* c = atom(6, 30, 0);
      bond(a, c, kind);
      int left = valenceof(element) - kind;
      bool counts = (element == 1) || (element >= 3 && element <= 9) ||
                    (element >= 11 && element <= 17) ||
                    (element >= 19 && element <= 20) ||
                    (element >= 32 && element <= 35) ||
                    (element >= 37 && element <= 38) ||
                    (element >= 52 && element <= 53) ||
                    (element >= 55 && element <= 56);
      int expected = counts ? std::max(0, roundhalfeven(left / 2.0)) : 0;
      EXPECT_EQ(a->valence2, left);
      EXPECT_EQ(a->implicithydrogens(), expected);
      drawing().removeatom(a);
      drawing().removeatom(c);
    }
  }
}

TEST_F(AtomTest, HalfBondsRoundToEvenAndOverbondedAtomsHaveNoHydrogens) {
  tatm* c = atom(6, 0, 0);
  bond(c, atom(6, 30, 0), 3);
  EXPECT_EQ(c->implicithydrogens(), 2);  // 5 / 2 rounds to 2

  tatm* o = atom(8, 100, 0);
  bond(o, atom(6, 130, 0));
  bond(o, atom(6, 70, 0));
  EXPECT_EQ(o->implicithydrogens(), 0);
  bond(o, atom(6, 100, 30));
  EXPECT_EQ(o->valence2, -2);
  EXPECT_EQ(o->implicithydrogens(), 0);
}

TEST_F(AtomTest, MetalsNeverShowHydrogens) {
  tatm* fe = atom(26, 0, 0);
  EXPECT_EQ(fe->implicithydrogens(), 0);
  bond(fe, atom(6, 30, 0));
  EXPECT_EQ(fe->implicithydrogens(), 0);
  fe->setlabelmode(hydrogenlabel);
  EXPECT_EQ(fe->labelmode, symbollabel);
  EXPECT_EQ(fe->setlabelmode(42), symbollabel);
  EXPECT_EQ(fe->labelmode, symbollabel);  // unknown modes are ignored
}

TEST_F(AtomTest, ManualHydrogenAdjustmentChangesTheFreeValence) {
  tatm* n = atom(7, 0, 0);
  n->sethadjust(1);
  EXPECT_EQ(n->implicithydrogens(), 4);
  n->sethadjust(-1);
  EXPECT_EQ(n->hadjust, -1);
  EXPECT_EQ(n->implicithydrogens(), 3);
  EXPECT_NEAR(n->massandh(), 14.0067 + 3 * 1.00797, 1e-4);
}

TEST_F(AtomTest, ChangingTheElementKeepsTheBondsCounted) {
  tatm* n = atom(7, 0, 0);
  bond(n, atom(6, 30, 0));
  bond(n, atom(6, -30, 0));
  n->changeelement(8, hydrogenlabel);
  EXPECT_EQ(n->symbol, "O");
  EXPECT_EQ(n->valence2, 0);
  EXPECT_EQ(n->implicithydrogens(), 0);
  n->changeelement(0, hydrogenlabel);  // a refresh keeps oxygen
  EXPECT_EQ(n->element, 8);
  EXPECT_EQ(n->valence2, 0);
}

TEST_F(AtomTest, ChargesAreClampedAndTextsSigned) {
  tatm* n = atom(7, 0, 0);
  n->qpartial = 0.25F;
  EXPECT_DOUBLE_EQ(n->getcharge(), 0.25);
  EXPECT_EQ(n->chargetext(), "");
  n->setcharge(1);
  EXPECT_EQ(n->qpartial, 0.0F);
  EXPECT_EQ(n->chargetext(), "+1");
  n->changecharge(20);
  EXPECT_EQ(n->fcharge, 9);
  n->changecharge(-12);
  EXPECT_EQ(n->chargetext(), "-3");
  EXPECT_DOUBLE_EQ(n->getcharge(), -3.0);
  EXPECT_FALSE(n->isacceptor());
  n->setcharge(0);
  EXPECT_TRUE(n->isacceptor());
}

TEST_F(AtomTest, DeuteriumAndNeutronsChangeTheMass) {
  tatm* h = atom(6, 0, 0);
  h->setdeuterium();
  EXPECT_EQ(h->symbol, "D");
  EXPECT_EQ(h->element, 1);
  EXPECT_FLOAT_EQ(h->mass, 2.016F);
  h->addneutrons(-1);
  EXPECT_NEAR(h->mass, 2.016 - 1.0087, 1e-6);
}

TEST_F(AtomTest, NumberTextLeadsWithABlankBehindALabel) {
  tatm* c = atom(6, 0, 0);
  EXPECT_EQ(c->numbertext(), "");
  c->number = 12;
  c->setlabelmode(nolabel);
  EXPECT_EQ(c->numbertext(), "12");
  for (int mode : {1, 2}) {
    c->setlabelmode(mode);
    c->direction = -1;
    c->align = 2;
    EXPECT_EQ(c->numbertext(), " 12");
  }
}

TEST_F(AtomTest, HydrogenLabelTextCountsTheFreeValence) {
  tatm* c = atom(6, 0, 0, 0, hydrogenlabel);
  EXPECT_EQ(c->hlabeltext(), "CH4");
  bond(c, atom(6, 30, 0), 4);
  bond(c, atom(6, -30, 0), 2);
  EXPECT_EQ(c->hlabeltext(), "CH");
  tatm* o = atom(8, 0, 50, 0, hydrogenlabel);
  bond(o, atom(6, 0, 80, 0), 4);
  EXPECT_EQ(o->hlabeltext(), "O");
  c->setlabelmode(symbollabel);
  EXPECT_EQ(c->hlabeltext(), "C");
}

TEST_F(AtomTest, HybridisationComesFromTheBondKinds) {
  struct tcase {
    std::vector<int> kinds;
    bool delocalised;
    int expected;
  };
  const tcase cases[] = {
      {{}, false, 3},
      {{2, 2, 2, 2}, false, 3},
      {{4, 2, 2}, false, 2},
      {{4, 4}, false, 1},
      {{6, 2}, false, 1},
      {{4, 4, 4}, false, 2},
      {{2, 2, 2, 2, 2}, false, 5},
      {{2, 2, 2, 2, 2, 2}, false, 6},
      {{6, 4}, false, 0},
      {{3, 3, 2}, true, 4},
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.kinds));
    session().newdrawing();
    tatm* centre = atom(6, 0, 0);
    double angle = 0;
    for (int kind : c.kinds) {
      tbond* b = bond(
          centre, atom(6, 30 * std::cos(angle), 30 * std::sin(angle)), kind);
      if (c.delocalised) {
        b->setdelocalised(true);
      }
      angle += 1.0;
    }
    EXPECT_EQ(centre->gethybridization(), c.expected);
  }
  tatm* sodium = atom(11, 200, 0);
  bond(sodium, atom(8, 230, 0));
  EXPECT_EQ(sodium->gethybridization(), 0);
}

TEST_F(AtomTest, NeighbourQueriesFollowEveryChangeOfTheBondList) {
  tatm* c = atom(6, 0, 0);
  tatm* h = atom(1, 30, 0);
  tatm* o = atom(8, -30, 0);
  tatm* n = atom(7, 0, 30);
  bond(c, h);
  tbond* co = bond(c, o, 4);
  EXPECT_EQ(c->findneighbours(), 2);
  EXPECT_EQ(c->neighbour(0), h);
  EXPECT_EQ(c->neighbour(1), o);
  EXPECT_EQ(c->neighbour(2), nullptr);

  // A bond inserted before the others changes the order of the answers.
  tbond* nc = bond(n, c);
  drawing().bonds.deleteitem(drawing().bonds.count() - 1);
  drawing().bonds.insert(0, nc);
  EXPECT_EQ(c->findbonds(), 3);
  EXPECT_EQ(c->neighbour(0), h);  // neighbours are from the last search
  EXPECT_EQ(c->findneighbours(), 3);
  EXPECT_EQ(c->neighbour(0), n);

  drawing().removebond(co);
  EXPECT_EQ(c->findneighbours(), 2);
  EXPECT_EQ(o->findneighbours(), 0);
  EXPECT_EQ(c->hneighbours().count(), 1);
  EXPECT_EQ(c->neighboursexcept(h).items(0), n);
  EXPECT_EQ(c->singlebonds().count(), 2);
  EXPECT_TRUE(c->doublebonds().empty());
}

TEST_F(AtomTest, LabelsAndSymbolPointsHaveNoNeighbours) {
  tatm* point = drawing().addatom(std::make_unique<tSXY>(0, 0));
  tatm* label = drawing().addatom(std::make_unique<tLAtm>("note", 10, 10));
  tatm* c = atom(6, 30, 0);
  bond(point, c);
  bond(label, c);
  EXPECT_EQ(point->findneighbours(), 0);
  EXPECT_EQ(label->findbonds(), 0);
  EXPECT_EQ(point->kind, symbolpointkind);
  EXPECT_EQ(label->kind, labelatomkind);
  EXPECT_EQ(label->labelmode, textlabel);
  EXPECT_EQ(label->symbol, "note");
  EXPECT_EQ(drawing().labelatoms.count(), 1);
}

TEST_F(AtomTest, FlatnessTestSeparatesTrigonalFromPyramidal) {
  tatm* flat = atom(6, 0, 0);
  bond(flat, atom(6, 30, 0));
  EXPECT_TRUE(flat->isplanar());  // fewer than three bonds
  bond(flat, atom(6, -15, 26));
  bond(flat, atom(6, -15, -26));
  EXPECT_TRUE(flat->isplanar());

  tatm* pyramid = atom(7, 200, 0);
  bond(pyramid, atom(6, 230, 0, 10));
  bond(pyramid, atom(6, 185, 26, 10));
  bond(pyramid, atom(6, 185, -26, 10));
  EXPECT_FALSE(pyramid->isplanar());
}

TEST_F(AtomTest, PolarHydrogenSitsOnNitrogenOxygenOrFluorine) {
  tatm* h = atom(1, 0, 0);
  EXPECT_FALSE(h->ispolarh());
  bond(h, atom(8, 30, 0));
  EXPECT_TRUE(h->ispolarh());
  tatm* ch = atom(1, 100, 0);
  bond(ch, atom(6, 130, 0));
  EXPECT_FALSE(ch->ispolarh());
}

TEST_F(AtomTest, FixedAtomsIgnoreMovesButNotRawSets) {
  tatm* c = atom(6, 10, 10);
  c->fixed = 1;
  c->setxyz(50, 50, 50);
  c->move(5, 5, 5);
  EXPECT_EQ(c->x, 10);
  c->setxyzraw(1, 2, 3);
  EXPECT_EQ(c->x, 1);
  EXPECT_EQ(c->sx, 10);  // screen fields wait for a commit
}

TEST_F(AtomTest, ScalingWorksFromTheReferenceCopy) {
  tatm* c = atom(6, 10, 0);
  c->scaleabout(0, 0, 0, 2.0);
  c->scaleabout(0, 0, 0, 3.0);
  EXPECT_DOUBLE_EQ(c->x, 30.0);  // not 60: scaling never accumulates
  EXPECT_EQ(c->sx, 30);
  c->commit();
  c->scaleabout(0, 0, 0, 0.5);
  EXPECT_DOUBLE_EQ(c->x, 15.0);
}

TEST_F(AtomTest, AngstromDistanceUsesOneBondLengthFor153Picometres) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  EXPECT_NEAR(a->angstromdistance(*b), 1.53, 1e-5);
  session().settings.bondlength = 60;
  EXPECT_NEAR(a->angstromdistance(*b), 0.765, 1e-5);
  EXPECT_NEAR(b->angstromx(), 0.765, 1e-12);
}

TEST_F(AtomTest, CopyTakesTheTableMassAndIsNeverFixed) {
  tatm* d = atom(6, 0, 0);
  d->setdeuterium();
  d->fixed = 1;
  d->number = 7;
  tatm copy(*d);
  EXPECT_EQ(copy.symbol, "D");
  EXPECT_EQ(copy.number, 7);
  EXPECT_FLOAT_EQ(copy.mass, massof(1));
  EXPECT_EQ(copy.fixed, 0);
  EXPECT_TRUE(copy.bonds.empty());
}

TEST_F(AtomTest, ParameterElementGroupsHeavyElements) {
  const std::pair<int, int> cases[] = {{6, 6},   {21, 26}, {30, 26},  {57, 69},
                                       {80, 69}, {81, 92}, {103, 92}, {-1, -1}};
  for (auto [element, expected] : cases) {
    EXPECT_EQ(tatm(element, 0, 0, 0).paramelement(), expected) << element;
  }
}

TEST_F(AtomTest, InvalidElementsAreNeverStored) {
  tatm bad(104, 0, 0, 0);
  EXPECT_EQ(bad.element, 0);
  bad.setelement(-2, 1);
  EXPECT_EQ(bad.element, 0);
}

TEST_F(AtomTest, AtomicPropertiesAreFiniteForIons) {
  tatm* fe = atom(26, 0, 0);
  fe->setcharge(2);
  EXPECT_TRUE(std::isfinite(fe->ionradius()));
  EXPECT_GT(fe->ionradius(), 0.0);
  EXPECT_LT(fe->ionradius(), radiusof(26));  // a cation is smaller
  tatm* o = atom(8, 0, 0);
  EXPECT_DOUBLE_EQ(o->ionradius(), radiusof(8));
  EXPECT_GE(o->atomelectronegativity(), 0.0);
  EXPECT_GT(o->electronegativityat(0), tatm(6, 0, 0, 0).electronegativityat(0));
}

}  // namespace
}  // namespace molvane
