// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/bond_editor_commands.h"

#include "commands/editor_commands.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>

namespace molvane {
namespace {

class BondEditorCommands : public testing::tdrawingtest {
 protected:
  /// Two carbons 30 pixels apart along x, joined by a bond of kind.
  tbond* ethane(int kind = 2) {
    c1_ = atom(6, 100, 100);
    c2_ = atom(6, 130, 100);
    return bond(c1_, c2_, kind);
  }

  tatm* c1_ = nullptr;
  tatm* c2_ = nullptr;
};

TEST_F(BondEditorCommands, PicturesSetKindStyleAndWideEnd) {
  struct tcase {
    int tag, kind, style, wideend, hydrogens;
  };
  // The hydrogens of a half-unit valence round half to even.
  const tcase cases[] = {{2, 1, 1, 2, 4},  {4, 4, 1, 2, 2},   {5, 3, 1, 2, 2},
                         {6, 2, 2, 1, 3},  {7, 6, 4, 2, 1},   {8, 5, 4, 2, 2},
                         {10, 2, 5, 1, 3}, {14, 2, -6, 2, 3}, {15, 2, 7, 2, 3}};
  for (const tcase& entry : cases) {
    SCOPED_TRACE(entry.tag);
    tbond* link = ethane();
    EXPECT_TRUE(applybondtag(*link, entry.tag));
    EXPECT_EQ(link->kind(), entry.kind);
    EXPECT_EQ(bondstylenumber(link->style), entry.style);
    EXPECT_EQ(link->wideend, entry.wideend);
    // The ends count the new kind against their valence.
    EXPECT_EQ(c1_->implicithydrogens(), entry.hydrogens);
  }
  tbond* link = ethane(4);
  for (int tag : {0, 16, -1}) {
    EXPECT_FALSE(applybondtag(*link, tag)) << tag;
    EXPECT_EQ(link->kind(), 4);
  }
}

TEST_F(BondEditorCommands, PictureWithoutBondWarnsAndChangesNothing) {
  testing::trecordingmessages& messages = recordmessages();
  tbond* link = ethane();
  link->highlight();
  EXPECT_FALSE(runbondtag(nullptr, 4));
  EXPECT_EQ(messages.warnings, std::vector<std::string>{"No Bond Selected"});
  EXPECT_EQ(session().undodrawing()->bonds.count(), 0);

  // A picture takes an undo copy without the editor's red.
  EXPECT_TRUE(runbondtag(link, 4));
  EXPECT_EQ(link->kind(), 4);
  EXPECT_EQ(link->colour, editcolour);
  const tdrawing& undo = *session().undodrawing();
  ASSERT_EQ(undo.bonds.count(), 1);
  EXPECT_EQ(undo.bonds.first()->kind(), 2);
  EXPECT_EQ(undo.bonds.first()->colour, 0U);
  EXPECT_EQ(undo.atoms.first()->colour, 0U);
}

TEST_F(BondEditorCommands, SecondLineCyclesRightLeftCentre) {
  tbond* link = ethane(4);
  const int styles[] = {1, 4, 1};
  const int sides[] = {-1, 1, 1};
  for (int press = 0; press < 3; ++press) {
    SCOPED_TRACE(press);
    EXPECT_TRUE(shiftsecondline(*link));
    EXPECT_EQ(bondstylenumber(link->style), styles[press]);
    EXPECT_EQ(link->side, sides[press]);
  }
  // Wedges, hashed and plain lines keep their style whatever their side.
  for (tbondstyle style : {tbondstyle::hashed, tbondstyle::plain}) {
    link->style = style;
    link->side = -1;
    EXPECT_FALSE(shiftsecondline(*link));
    EXPECT_EQ(link->style, style);
  }
}

TEST_F(BondEditorCommands, DeletingDoubleBondFreesTwoHydrogensEach) {
  tbond* link = ethane(4);
  link->highlight();
  ASSERT_EQ(c1_->implicithydrogens(), 2);
  EXPECT_TRUE(deletebond(link));
  EXPECT_EQ(drawing().bonds.count(), 0);
  for (const tatm* carbon : {c1_, c2_}) {
    EXPECT_EQ(carbon->implicithydrogens(), 4);
    EXPECT_EQ(carbon->labelmode, hydrogenlabel);
    EXPECT_EQ(carbon->colour, 0U);
  }
  EXPECT_EQ(session().undodrawing()->bonds.count(), 1);
  EXPECT_EQ(session().undodrawing()->atoms.first()->colour, 0U);
  // The freed bond, or one of another drawing, is not deleted again.
  EXPECT_FALSE(deletebond(link));
  EXPECT_FALSE(deletebond(session().undodrawing()->bonds.first()));
}

TEST_F(BondEditorCommands, SliderTurnsShowUntilReleased) {
  tbond* link = ethane();
  EXPECT_EQ(nearerend(*link, 110, 90), c1_);
  EXPECT_EQ(nearerend(*link, 115, 0), c2_);  // a tie takes atom2

  // Dragged to 90 and let go at 0: the bond is where it was, exactly.
  int painted = 0;
  slidebond(*link, c1_, tbondslider::pivot, 45, [&] {
    ++painted;
    EXPECT_LT(c2_->y, 100.0);  // shown turned anticlockwise on screen
  });
  releasebond(*link, c1_, tbondslider::pivot, 0);
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(c2_->x, 130.0);
  EXPECT_EQ(c2_->y, 100.0);

  releasebond(*link, c1_, tbondslider::pivot, 90);
  EXPECT_EQ(c1_->x, 100.0);
  EXPECT_NEAR(c2_->x, 100.0, 1e-9);
  EXPECT_NEAR(c2_->y, 70.0, 1e-9);

  releasebond(*link, c1_, tbondslider::rotate, -90);
  EXPECT_NEAR(c1_->x, 85.0, 1e-9);
  EXPECT_NEAR(c2_->x, 115.0, 1e-9);
  EXPECT_NEAR(c1_->y, 85.0, 1e-9);
}

TEST_F(BondEditorCommands, ZoomScalesAboutTheMidpoint) {
  struct tcase {
    int position;
    double length;
  };
  for (const tcase& entry :
       {tcase{50, 60.0}, tcase{150, 20.0}, tcase{100, 30.0}}) {
    SCOPED_TRACE(entry.position);
    tbond* link = ethane();
    slidebond(*link, c1_, tbondslider::zoom, entry.position, [] {});
    releasebond(*link, c1_, tbondslider::zoom, entry.position);
    EXPECT_NEAR(link->length(), entry.length, 1e-9);
    EXPECT_NEAR((c1_->x + c2_->x) / 2.0, 115.0, 1e-9);
    // The zoomed bond is the reference of the next zoom.
    EXPECT_EQ(c1_->x0, c1_->x);
  }
}

TEST_F(BondEditorCommands, ZeroLengthBondStaysFinite) {
  tatm* a = atom(6, 50, 50);
  tatm* b = atom(6, 50, 50);
  tbond* link = bond(a, b, 4);
  for (tbondslider function :
       {tbondslider::pivot, tbondslider::rotate, tbondslider::zoom}) {
    slidebond(*link, a, function, 60, [] {});
    releasebond(*link, a, function, 60);
  }
  EXPECT_TRUE(applybondtag(*link, 5));
  EXPECT_EQ(bondlengthtext(*link), "0.00\xC3\x85");
  EXPECT_TRUE(std::isfinite(link->bondenergy()));
  EXPECT_TRUE(std::isfinite(a->x) && std::isfinite(b->y));
}

TEST(BondEnergyField, TakesFiniteNumbersAFloatHolds) {
  for (const char* text : {"", "abc", "1,5", "nan", "inf", "1e39"}) {
    EXPECT_FALSE(bondenergyvalue(text)) << text;
  }
  EXPECT_EQ(bondenergyvalue(" 85.5 "), 85.5F);
  EXPECT_EQ(bondenergyvalue("-3e38"), -3e38F);
}

}  // namespace
}  // namespace molvane
