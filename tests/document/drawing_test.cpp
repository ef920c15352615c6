// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"

#include "testing/sample_drawing.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <typeinfo>

namespace molvane {
namespace {

using DrawingTest = testing::tdrawingtest;

// Atoms ask the drawing that holds them, never the current one: an undo
// copy, a preview or a file of a batch run answers for itself.
TEST_F(DrawingTest, AtomsAnswerThroughTheirOwnDrawing) {
  testing::buildsampledrawing(drawing());
  std::unique_ptr<tdrawing> clone = drawing().clonedrawing();
  tatm* c2 = clone->atoms.items(1);
  ASSERT_EQ(c2->owner(), clone.get());
  // The current drawing can be emptied without the copy noticing.
  session().newdrawing();
  EXPECT_EQ(c2->findneighbours(), 2);
  EXPECT_EQ(tabpair(clone->atoms.items(2), c2).atom1, c2);

  // Settings come with the drawing: a copy keeps its own until a session
  // takes it in, and new bonds take its pen and spacing.
  clone->setgeometry(
      {.bondlength = 60, .linewidthcode = 3, .doublebondspacing = 9});
  const tbond* first = clone->bonds.items(0);
  EXPECT_NEAR(first->angstromlength(), first->length() * 1.53 / 60.0, 1e-9);
  auto bond = std::make_unique<tbond>(
      clone->atoms.items(0), 0, tbondstyle::normal, 2, clone->atoms.items(2));
  EXPECT_EQ(std::pair(bond->width, bond->spacing), std::pair(3, 9));
  session().settings.doublebondspacing = 4;
  session().setdrawing(std::move(clone));
  EXPECT_EQ(session().drawing()->atoms.items(1)->geometry().doublebondspacing,
            4);

  // A structure handed to a drawing hands its atoms over too.
  auto ring = std::make_unique<tRing>();
  tatm* lone = ring->addatom(std::make_unique<tatm>(6, 0, 0.0, 0.0));
  EXPECT_EQ(lone->owner(), ring.get());
  session().drawing()->mergestructure(std::move(ring));
  EXPECT_EQ(lone->owner(), session().drawing());
}

TEST_F(DrawingTest, CloneIsCompleteAndIndependent) {
  testing::buildsampledrawing(drawing());
  drawing().filename = "/tmp/x.mlv";
  drawing().drawmode = 12;
  std::unique_ptr<tdrawing> clone = drawing().clonedrawing();
  EXPECT_EQ(clone->filename, "/tmp/x.mlv");
  EXPECT_EQ(clone->drawmode, 12);

  ASSERT_EQ(clone->atoms.count(), drawing().atoms.count());
  ASSERT_EQ(clone->bonds.count(), drawing().bonds.count());
  ASSERT_EQ(clone->structures.count(), 1);
  ASSERT_EQ(clone->symbols.count(), 1);
  EXPECT_EQ(clone->labelatoms.count(), 1);
  EXPECT_EQ(clone->title(), "Ethanol");
  EXPECT_EQ(clone->elementcolours[8], 0x123456U);
  EXPECT_DOUBLE_EQ(clone->temperature, 350.0);

  for (int i = 0; i < clone->atoms.count(); ++i) {
    const tatm* a = drawing().atoms.items(i);
    const tatm* b = clone->atoms.items(i);
    EXPECT_NE(a, b);
    EXPECT_EQ(std::tuple(b->kind, b->symbol, b->valence2, b->labelmode,
                         b->fontindex, b->x),
              std::tuple(a->kind, a->symbol, a->valence2, a->labelmode,
                         a->fontindex, a->x));
  }
  const auto* chain = dynamic_cast<const tChain*>(clone->structures.items(0));
  ASSERT_NE(chain, nullptr);
  EXPECT_DOUBLE_EQ(chain->bondangle, 109.5);
  EXPECT_EQ(chain->ringatoms[1], clone->atoms.items(0));
  EXPECT_TRUE(clone->atoms.contains(chain->atoms.items(2)));
  const tSymbol* arrow = clone->symbols.items(0);
  EXPECT_TRUE(typeid(*arrow) == typeid(tArrow));
  EXPECT_EQ(arrow->headstyle, 2);
  EXPECT_TRUE(clone->bonds.contains(arrow->bonds.items(0)));

  // Changing the clone never changes the original.
  clone->atoms.items(0)->setelement(7, 1);
  clone->bonds.items(0)->setkind(4);
  clone->fonts.items(1)->setrecord(fontrecord::standard());
  clone->structures.items(0)->name = "changed";
  clone->removeatom(clone->atoms.items(2));
  EXPECT_EQ(drawing().atoms.items(0)->element, 6);
  EXPECT_EQ(drawing().atoms.items(1)->valence2, 4);
  EXPECT_EQ(drawing().fonts.items(1)->getrecord().facenametext(), "Courier");
  EXPECT_EQ(drawing().structures.items(0)->name, "ethanol");
  EXPECT_EQ(drawing().atoms.count(), 6);
}

TEST_F(DrawingTest, MergingTwiceAddsNothingMoreAndPlacingMoves) {
  auto ring = std::make_unique<tRing>();
  tatm* a = ring->addatom(std::make_unique<tatm>(6, 0, 0.0, 0.0));
  tatm* b = ring->addatom(std::make_unique<tatm>(6, 0, 30.0, 0.0));
  ring->addbond(std::make_unique<tbond>(a, 0, tbondstyle::normal, 2, b));
  tStructure* merged = drawing().mergestructure(std::move(ring));
  drawing().mergestructure(merged);
  EXPECT_EQ(drawing().atoms.count(), 2);
  EXPECT_EQ(drawing().structures.count(), 1);
  EXPECT_TRUE(drawing().owns(a));
  EXPECT_EQ(drawing().structurenumber(merged), 1);
  // Placing a structure built round the origin moves it.
  auto placed = std::make_unique<tStructure>();
  tatm* moved = placed->addatom(std::make_unique<tatm>(6, 0, -15.0, 0.0));
  drawing().placestructure(std::move(placed), 100, 50);
  EXPECT_EQ(moved->sy, 50);
  EXPECT_DOUBLE_EQ(moved->x0, 85.0);
}

TEST_F(DrawingTest, RemovingAnAtomForgetsItEverywhere) {
  testing::buildsampledrawing(drawing());
  tStructure* chain = drawing().structures.items(0);
  tatm* c1 = drawing().atoms.items(0);
  drawing().removeatom(drawing().atoms.items(1));
  EXPECT_EQ(drawing().bonds.count(), 1);  // only the arrow's link is left
  EXPECT_EQ(chain->atoms.count(), 2);
  EXPECT_TRUE(chain->bonds.empty());
  EXPECT_EQ(c1->implicithydrogens(), 4);
  drawing().removeatom(drawing().labelatoms.items(0));
  EXPECT_TRUE(drawing().labelatoms.empty());

  drawing().removeatom(c1);
  EXPECT_EQ(chain->ringatoms[1], nullptr);
}

TEST_F(DrawingTest, MirrorTwiceRestoresAndSelectingAllSkipsSymbolsIn3D) {
  testing::buildsampledrawing(drawing());
  tbond* first = drawing().bonds.items(0);
  tatm* start = first->atom1;
  const double y = drawing().atoms.items(2)->y;
  drawing().mirror(1);
  EXPECT_EQ(first->atom2, start);
  drawing().mirror(1);
  EXPECT_EQ(first->atom1, start);
  EXPECT_DOUBLE_EQ(drawing().atoms.items(2)->y, y);
  // Symbols are selected only in flat modes.
  drawing().drawmode = 12;
  drawing().selectall(true);
  EXPECT_EQ(drawing().atoms.items(0)->selected, 1);
  EXPECT_EQ(drawing().symbols.items(0)->selected, 0);
  drawing().drawmode = 70;
  drawing().selectall(true);
  EXPECT_EQ(drawing().symbols.items(0)->selected, 1);
}

TEST_F(DrawingTest, FontLookupsFallBackToTheDefaultAndCommentsAreCut) {
  EXPECT_EQ(drawing().getfontrecord(99).facenametext(), "MS Sans Serif");
  fontrecord courier = fontrecord::standard();
  courier.setfacename("Courier");
  tatm* c = atom(6, 0, 0, 0, 1);
  tatm* n = atom(7, 30, 0, 0, 1);
  c->setfont(courier);
  n->setfont(courier);
  EXPECT_EQ(c->fontindex, 1);
  c->scalefont(2.0);
  EXPECT_EQ(drawing().getfontrecord(n->fontindex).height, -22);
  // Comments keep 95 characters.
  drawing().setnotes(std::string(200, 'n'));
  EXPECT_EQ(drawing().notes().size(), 95U);
}

// Thousands of atoms on a line: neighbour queries must not rescan the whole
// bond list for each atom.
TEST_F(DrawingTest, NeighbourIndexKeepsUpWithAppendsAndRemovals) {
  std::vector<tatm*> chain;
  for (int i = 0; i < 20000; ++i) {
    chain.push_back(atom(6, i * 30.0, 0));
    if (i > 0) {
      bond(chain[static_cast<std::size_t>(i - 1)], chain.back());
    }
    EXPECT_EQ(chain.back()->findneighbours(), i > 0 ? 1 : 0);
  }
  drawing().removebond(drawing().bonds.items(0));
  EXPECT_EQ(chain[1]->findneighbours(), 1);
  EXPECT_EQ(drawing().positionof(chain.back()), 19999);
}

}  // namespace
}  // namespace molvane
