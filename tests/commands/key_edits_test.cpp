// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/key_edits.h"

#include "commands/click_target.h"
#include "commands/undo_item.h"
#include "document/structure.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace molvane {
namespace {

class KeyEdits : public testing::tdrawingtest {};

TEST_F(KeyEdits, LettersSetTheNearestPlainAtom) {
  struct tcase {
    char key;
    int element, labelmode;
  };
  const tcase cases[] = {{'O', 8, 2},  {'H', 1, 1},  {'C', 6, 0},
                         {'X', 17, 2}, {'Q', 14, 2}, {'R', -1, -1}};
  tatm* near = atom(6, 10, 10);
  tatm* far = atom(6, 100, 10);
  for (const tcase& entry : cases) {
    SCOPED_TRACE(entry.key);
    EXPECT_TRUE(runkeyedit(entry.key, 12, 12));
    EXPECT_EQ(near->element, entry.element);
    if (entry.labelmode >= 0) {
      EXPECT_EQ(near->labelmode, entry.labelmode);
    }
    EXPECT_EQ(far->element, 6);
  }
  // Keys outside the table leave the undo copy alone.
  const tdrawing* undo = session().undodrawing();
  EXPECT_FALSE(runkeyedit('V', 10, 10));
  EXPECT_FALSE(runkeyedit('\t', 10, 10));
  EXPECT_EQ(session().undodrawing(), undo);
}

// Element keys ignored the bonds an atom already had, so "N" on a
// ring carbon gave NH3 and "X" on a bonded hydrogen HCl.
TEST_F(KeyEdits, ElementKeysCountTheBondsTheAtomAlreadyHas) {
  struct tcase {
    char key;
    int from, bonds, kind, hydrogens;
  };
  for (const tcase& c : {tcase{'N', 6, 2, 2, 1}, tcase{'X', 1, 1, 2, 0},
                         tcase{'S', 6, 1, 4, 0}, tcase{'B', 6, 3, 2, 0}}) {
    session().newdrawing();
    tatm* target = atom(c.from, 0, 0);
    for (int i = 0; i < c.bonds; ++i) {
      const double angle = 2.0 * std::numbers::pi * i / 3.0;
      bond(target, atom(6, 30 * std::cos(angle), 30 * std::sin(angle)), c.kind);
    }
    runkeyedit(c.key, 0, 0);
    EXPECT_EQ(target->implicithydrogens(), c.hydrogens) << c.key;
  }
}

TEST_F(KeyEdits, DigitsSetBondKindsAToggleAromaticAndSignsTheCharge) {
  tatm* a = atom(6, 0, 0);
  tbond* link = bond(a, atom(6, 40, 0));
  const std::pair<char, int> kinds[] = {{'2', 4}, {'3', 6}, {'4', 3},
                                        {'5', 1}, {'1', 2}, {'T', 1}};
  for (const auto& [key, kind] : kinds) {
    runkeyedit(key, 20, 5);
    EXPECT_EQ(link->kind(), kind) << key;
  }
  runkeyedit('A', 20, 0);
  EXPECT_TRUE(link->isdelocalised());
  runkeyedit('A', 20, 0);
  EXPECT_FALSE(link->isdelocalised());
  for (char key : {'+', '-', '-'}) {
    runkeyedit(key, 1, 1);
  }
  EXPECT_EQ(a->fcharge, -1);
}

TEST_F(KeyEdits, DeleteAndKRemoveTheNearestObjects) {
  tatm* b = atom(6, 40, 0);
  tatm* c = atom(6, 80, 0);
  bond(atom(6, 0, 0), b);
  bond(b, c);
  runkeyedit('K', 62, 0);
  // A carbon left without bonds shows itself as CH4 instead of vanishing.
  EXPECT_EQ(c->labelmode, hydrogenlabel);
  EXPECT_EQ(b->labelmode, 0);
  runkeyedit(deletekey, 1, 1);
  EXPECT_EQ(drawing().atoms.count(), 2);
  EXPECT_EQ(b->labelmode, hydrogenlabel);
}

TEST_F(KeyEdits, LLinksTheClosestUnbondedAtomWithinReach) {
  tatm* partner = atom(6, 0, 100);
  atom(6, 0, 180);  // farther, and 180² is past the reach
  bond(atom(6, 0, 0), atom(6, 10, 0));
  runkeyedit('L', 0, 0);
  ASSERT_EQ(drawing().bonds.count(), 2);
  EXPECT_TRUE(drawing().bonds.items(1)->hasatom(partner));
  // Now every atom in reach is bonded: nothing more is linked.
  runkeyedit('L', 0, 0);
  EXPECT_EQ(drawing().bonds.count(), 2);
}

TEST_F(KeyEdits, MCyclesTheLabelAndUAndDAdjustHydrogens) {
  tatm* a = atom(7, 0, 0);
  runkeyedit('M', 0, 0);
  EXPECT_EQ(a->labelmode, 2);
  runkeyedit('M', 0, 0);
  EXPECT_EQ(a->labelmode, 0);
  for (char key : {'U', 'U', 'D'}) {
    runkeyedit(key, 0, 0);
  }
  EXPECT_EQ(a->implicithydrogens(), 4);
}

// A key edit right after Open could not be undone.
TEST_F(KeyEdits, EveryEditIsOneUndoStepAfterOpenNewOrUndo) {
  atom(6, 10, 10);
  // As after Open: nothing to undo.
  session().resetsnapshots();
  chooseundo();
  EXPECT_FALSE(undoitems().canundo);
  ASSERT_TRUE(runkeyedit('N', 10, 10));
  chooseundo();
  EXPECT_EQ(drawing().atoms.first()->element, 6);
  EXPECT_EQ(undoitems().redotext, "Redo Key N");
  // An edit after Undo is taken back next; the old redo step, which
  // predates it, must not replace it.
  ASSERT_TRUE(runkeyedit('O', 10, 10));
  chooseundo();
  chooseredo();
  EXPECT_EQ(drawing().atoms.first()->element, 8);
  EXPECT_FALSE(undoitems().canredo);
}

class ClickTarget : public testing::tdrawingtest {};

TEST_F(ClickTarget, TiesKeepTheEarlierCandidateAndFarClicksFindNothing) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 20, 0);
  tbond* link = bond(a, b);
  // (5, 0) is 5 from atom a and 5 from the bond's midpoint.
  EXPECT_EQ(pickclicktarget(drawing(), 5, 0).atom, a);
  EXPECT_EQ(pickclicktarget(drawing(), 10, 1).bond, link);
  // 1255² + 1255² is just past 3145728 from a; 1254² + 1254² just below it.
  EXPECT_EQ(pickclicktarget(drawing(), -1255, -1255).kind,
            tclicktarget::tkind::none);
  EXPECT_EQ(pickclicktarget(drawing(), -1254, -1254).kind,
            tclicktarget::tkind::atom);
}

}  // namespace
}  // namespace molvane
