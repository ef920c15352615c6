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
  EXPECT_EQ(roundhalfeven(1e300), 2147483647);
  EXPECT_EQ(roundhalfeven(std::nan("")), 0);
}

// What a bond to a carbon leaves of the valence, in half bonds, gives the
// hydrogens, rounded half to even, for the elements that carry them.
TEST_F(AtomTest, ImplicitHydrogensFollowTheBondKind) {
  const struct {
    int element;
    int kind;
    int left;  ///< valence2 after the bond
    int hydrogens;
  } cases[] = {{6, 2, 6, 3},  {6, 3, 5, 2},  {6, 6, 2, 1},  {8, 5, -1, 0},
               {13, 2, 8, 4}, {32, 2, 6, 3}, {31, 2, 8, 0}, {26, 2, 18, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.element) + " kind " + std::to_string(c.kind));
    session().newdrawing();
    tatm* a = atom(c.element, 0, 0);
    bond(a, atom(6, 30, 0), c.kind);
    EXPECT_EQ(a->valence2, c.left);
    EXPECT_EQ(a->implicithydrogens(), c.hydrogens);
  }
  // Metals show no hydrogens, so their labels never offer them.
  tatm* fe = atom(26, 100, 0);
  fe->setlabelmode(hydrogenlabel);
  EXPECT_EQ(fe->labelmode, symbollabel);
  EXPECT_EQ(fe->setlabelmode(42), symbollabel);  // unknown modes are ignored
  // A manual adjustment changes the free valence.
  tatm* n = atom(7, 0, 200);
  n->sethadjust(1);
  EXPECT_EQ(n->implicithydrogens(), 4);
  n->sethadjust(-1);  // replaces the adjustment, does not add to it
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
  n->changeelement(0, hydrogenlabel);  // a refresh keeps oxygen
  EXPECT_EQ(n->element, 8);
  EXPECT_EQ(n->valence2, 0);
}

TEST_F(AtomTest, ChargesAreClampedAndDecideDonorsAndAcceptors) {
  tatm* n = atom(7, 0, 0);
  n->qpartial = 0.25F;
  EXPECT_EQ(n->chargetext(), "");
  n->setcharge(1);
  EXPECT_EQ(n->chargetext(), "+1");
  n->changecharge(20);
  EXPECT_EQ(n->fcharge, 9);
  n->changecharge(-12);
  EXPECT_EQ(n->chargetext(), "-3");
  EXPECT_FALSE(n->isacceptor());
  n->setcharge(0);
  EXPECT_TRUE(n->isacceptor());
  // Polar hydrogens sit on nitrogen, oxygen or fluorine.
  tatm* h = atom(1, 0, 100);
  EXPECT_FALSE(h->ispolarh());
  EXPECT_TRUE(bond(h, atom(8, 30, 0))->atom1->ispolarh());
  EXPECT_FALSE(bond(atom(1, 100, 0), atom(6, 130, 0))->atom1->ispolarh());
}

// Files keep no masses, so a copy takes the table mass like a read atom.
TEST_F(AtomTest, DeuteriumAndNeutronsChangeTheMassButNotACopys) {
  tatm* d = atom(6, 0, 0);
  d->setdeuterium();
  EXPECT_FLOAT_EQ(d->mass, 2.016F);
  d->fixed = 1;
  tatm copy(*d);
  EXPECT_EQ(copy.symbol, "D");
  EXPECT_FLOAT_EQ(copy.mass, massof(1));
  EXPECT_EQ(copy.fixed, 0);
  d->addneutrons(-1);
  EXPECT_NEAR(d->mass, 2.016 - 1.0087, 1e-6);
}

TEST_F(AtomTest, NumberTextLeadsWithABlankBehindALabel) {
  tatm* c = atom(6, 0, 0);
  EXPECT_EQ(c->numbertext(), "");
  c->number = 12;
  for (int mode : {nolabel, symbollabel, hydrogenlabel}) {
    c->setlabelmode(mode);
    EXPECT_EQ(c->numbertext(), mode == nolabel ? "12" : " 12");
  }
}

TEST_F(AtomTest, NeighbourQueriesFollowEveryChangeOfTheBondList) {
  tatm* c = atom(6, 0, 0);
  tatm* h = atom(1, 30, 0);
  tatm* o = atom(8, -30, 0);
  tatm* n = atom(7, 0, 30);
  bond(c, h);
  tbond* co = bond(c, o, 4);
  EXPECT_EQ(c->findneighbours(), 2);
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
  EXPECT_EQ(o->findneighbours(), 0);
  EXPECT_EQ(c->hneighbours().count(), 1);
  EXPECT_EQ(c->neighboursexcept(h).items(0), n);
  EXPECT_EQ(c->singlebonds().count(), 2);
  EXPECT_TRUE(c->doublebonds().empty());
  // Labels and symbol points are never anyone's neighbours.
  tatm* point = drawing().addatom(std::make_unique<tSXY>(0, 0));
  tatm* label = drawing().addatom(std::make_unique<tLAtm>("note", 10, 10));
  bond(point, bond(label, atom(6, 30, 0))->atom2);
  EXPECT_EQ(point->findneighbours(), 0);
  EXPECT_EQ(label->findbonds(), 0);
}

TEST_F(AtomTest, FlatnessTestSeparatesTrigonalFromPyramidal) {
  tatm* flat = atom(6, 0, 0);
  bond(flat, atom(6, 30, 0));
  bond(flat, atom(6, -15, 26));
  bond(flat, atom(6, -15, -26));
  EXPECT_TRUE(flat->isplanar());

  tatm* pyramid = atom(7, 200, 0);
  bond(pyramid, atom(6, 230, 0, 10));
  bond(pyramid, atom(6, 185, 26, 10));
  bond(pyramid, atom(6, 185, -26, 10));
  EXPECT_FALSE(pyramid->isplanar());
}

TEST_F(AtomTest, FixedAtomsIgnoreMovesAndScalingWorksFromTheReferenceCopy) {
  tatm* c = atom(6, 10, 10);
  c->fixed = 1;
  c->move(5, 5, 5);
  EXPECT_EQ(c->x, 10);
  c->setxyzraw(1, 2, 3);
  EXPECT_EQ(c->x, 1);
  EXPECT_EQ(c->sx, 10);  // screen fields wait for a commit
  tatm* s = atom(6, 10, 0);
  s->scaleabout(0, 0, 0, 2.0);
  s->scaleabout(0, 0, 0, 3.0);
  EXPECT_DOUBLE_EQ(s->x, 30.0);  // not 60: scaling never accumulates
  s->commit();
  s->scaleabout(0, 0, 0, 0.5);
  EXPECT_DOUBLE_EQ(s->x, 15.0);
}

TEST_F(AtomTest, AngstromDistanceUsesOneBondLengthFor153Picometres) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 0);
  EXPECT_NEAR(a->angstromdistance(*b), 1.53, 1e-5);
  session().settings.bondlength = 60;
  EXPECT_NEAR(b->angstromx(), 0.765, 1e-12);
}

TEST_F(AtomTest,
       ElementsOutsideTheTableAreNeverStoredAndHeavyOnesShareParameters) {
  for (auto [element, expected] :
       {std::pair{6, 6}, {21, 26}, {30, 26}, {57, 69}, {80, 69}, {81, 92}}) {
    EXPECT_EQ(tatm(element, 0, 0, 0).paramelement(), expected) << element;
  }
  tatm bad(104, 0, 0, 0);
  EXPECT_EQ(bad.element, 0);
  bad.setelement(-2, 1);
  EXPECT_EQ(bad.element, 0);
}

}  // namespace
}  // namespace molvane
