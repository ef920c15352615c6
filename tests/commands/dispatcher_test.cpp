// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/dispatcher.h"

#include "commands/click_anchor.h"
#include "commands/view_commands.h"
#include "model/bond.h"
#include "model/rotation.h"
#include "render/view_turn.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

class DispatcherTest : public testing::tdrawingtest {
 protected:
  DispatcherTest() {
    session().setrepaint([this] { ++repaints; });
  }

  tcommandresult click(double x, double y, int code) {
    return runcommand(x, y, code, state);
  }

  testing::trecordingmessages& messages = recordmessages();
  tcommandstate state;
  int repaints = 0;
};

TEST_F(DispatcherTest, AnchorsAreTheNearestHoweverFarAndTheFirstOnATie) {
  EXPECT_EQ(nearestatom(drawing(), 0, 0), nullptr);
  placesymbol(drawing(), 720, 0, 0);
  // Symbol points count as atoms here, but their links are no bonds.
  EXPECT_NE(nearestatom(drawing(), 0, 0), nullptr);
  EXPECT_EQ(nearestbond(drawing(), 0, 0), nullptr);
  session().newdrawing();
  tatm* left = atom(6, -10, 0);
  tatm* far = atom(6, 40, 0);
  tbond* first = bond(atom(6, -40, 0), left);
  tbond* second = bond(atom(6, 10, 0), far);
  EXPECT_EQ(nearestatom(drawing(), 0, 0), left);
  EXPECT_EQ(nearestatom(drawing(), 5000, -3000), far);
  EXPECT_EQ(nearestbond(drawing(), 0, 0), first);
  EXPECT_EQ(nearestbond(drawing(), 0.01, 900), second);
}

TEST_F(DispatcherTest, CodesWithoutARowOnlySnapshotAndRepaint) {
  atom(6, 0, 0);
  drawing().saved = true;
  // Code 0 only repaints; the others are gaps between and after the ranges
  // of the building commands.
  for (int code : {0, 150, 162, 498, 703, 905, 65535}) {
    SCOPED_TRACE(code);
    const tdrawing* undo = session().undodrawing();
    EXPECT_EQ(click(5, 5, code).snapshot, code != 0);
    EXPECT_EQ(session().undodrawing() != undo, code != 0);
    EXPECT_EQ(drawing().saved, code == 0);
  }
  EXPECT_EQ(repaints, 7);
  EXPECT_TRUE(messages.informs.empty());
}

TEST_F(DispatcherTest, SnapshotClearsSelectionsAndUndoRestoresTheDrawing) {
  tatm* anchor = atom(6, 0, 0);
  anchor->selected = 1;
  click(30, 0, 151);
  EXPECT_EQ(anchor->selected, 0);
  session().undo();
  ASSERT_EQ(drawing().atoms.count(), 1);
  // After Undo the window resets the command: the next click builds nothing.
  resetcommand(state);
  click(30, 0, state.commandcode);
  EXPECT_EQ(drawing().atoms.count(), 1);
}

TEST_F(DispatcherTest, HiddenAndSymbolCodesBuildTheirObjects) {
  atom(6, 0, 0);
  click(30, 0, 499);
  EXPECT_EQ(drawing().atoms.items(1)->hlabeltext(), "CH3");
  click(0, 30, 904);
  EXPECT_EQ(drawing().atoms.items(2)->symbol, "D");
  for (int code : {720, 729, 730}) {
    click(100, 100, code);
  }
  ASSERT_EQ(drawing().symbols.count(), 3);
  EXPECT_EQ(drawing().symbols.items(0)->fragtype, arrowtype);
  EXPECT_EQ(drawing().symbols.items(1)->fragtype, triangletype);
  EXPECT_EQ(drawing().symbols.items(2)->fragtype, curvedarrowtype);
  EXPECT_NEAR(drawing().symbols.items(0)->centre().x, 100.0, 1.0);
}

TEST_F(DispatcherTest, TextLabelsOpenTheEditorWhereTheyAreTyped) {
  struct tcase {
    int code;
    std::string text;
    bool edited;
    int labelmode;
  };
  for (const tcase& c : {tcase{607, "Text", true, textlabel},
                         tcase{608, "Formula", true, hydrogenlabel},
                         tcase{614, "\xCE\xB4+", false, textlabel}}) {
    SCOPED_TRACE(c.code);
    tcommandresult result = click(40, 50, c.code);
    tatm* label = drawing().labelatoms.last();
    EXPECT_EQ(label->symbol, c.text);
    EXPECT_EQ(label->labelmode, c.labelmode);
    EXPECT_EQ(result.editlabel, c.edited ? label : nullptr);
  }
  // A label takes no branch.
  messages.informs.clear();
  click(40, 50, 511);
  EXPECT_EQ(drawing().atoms.count(), 3);
  EXPECT_TRUE(messages.informs.empty());
}

TEST_F(DispatcherTest, LinkAtomsTakesTwoPicks) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 100, 0);
  tStructure* both =
      drawing().placestructure(std::make_unique<tStructure>(), 0, 0);
  both->atoms.add(a);
  both->atoms.add(b);

  click(1, 1, 524);
  click(2, 2, 524);
  EXPECT_EQ(messages.informs,
            std::vector<std::string>{"Please move mouse pointer"});
  EXPECT_EQ(state.linkpicks.first, a);
  click(99, 1, 524);
  ASSERT_EQ(drawing().bonds.count(), 1);
  EXPECT_TRUE(drawing().bonds.items(0)->hasatom(b));
  EXPECT_EQ(both->bonds.count(), 1);
  EXPECT_EQ(a->implicithydrogens(), 3);

  // An existing bond is not doubled up, and a label takes no link.
  click(1, 1, 524);
  click(99, 1, 524);
  drawing().addatom(std::make_unique<tLAtm>("note", 0, 200));
  click(1, 1, 524);
  click(1, 199, 524);
  EXPECT_EQ(drawing().bonds.count(), 1);
}

TEST_F(DispatcherTest, LinkPickDoesNotOutliveItsDrawing) {
  atom(6, 0, 0);
  atom(6, 100, 0);
  session().takeundosnapshot();
  click(1, 1, 524);
  session().undo();
  // The pick referred to an atom of the replaced drawing.
  click(99, 1, 524);
  EXPECT_TRUE(drawing().bonds.empty());
  EXPECT_EQ(state.linkpicks.first, drawing().atoms.items(1));
}

TEST_F(DispatcherTest, WithoutAtomsBranchesSayNoAtomsAndTheAtomToolAdds) {
  for (int code : {511, 545, 640, 527, 512, 520, 401, 619, 524}) {
    messages.informs.clear();
    click(0, 0, code);
    EXPECT_EQ(messages.informs, std::vector<std::string>{"No Atoms"}) << code;
  }
  messages.informs.clear();
  tatomtoolresult chosen = runatomtool(0, 0, 826, tatomtoolmode::choose);
  EXPECT_FALSE(chosen.snapshot);
  EXPECT_EQ(chosen.element, 26);
  EXPECT_TRUE(runatomtool(0, 0, 808, tatomtoolmode::branch).snapshot);
  EXPECT_EQ(messages.informs, std::vector<std::string>{"No Atoms"});

  EXPECT_TRUE(runatomtool(40, 50, 807, tatomtoolmode::add).snapshot);
  EXPECT_EQ(drawing().atoms.items(0)->element, 7);
  EXPECT_EQ(drawing().atoms.items(0)->x, 40.0);
  runatomtool(80, 50, 808, tatomtoolmode::branch);
  EXPECT_EQ(drawing().atoms.items(1)->element, 8);

  EXPECT_EQ(runatomtool(0, 0, 904, tatomtoolmode::add).element, 0);
  EXPECT_EQ(runatomtool(0, 0, 800, tatomtoolmode::add).element, 0);
  EXPECT_EQ(drawing().atoms.count(), 2);
  EXPECT_EQ(runatomtool(0, 0, 903, tatomtoolmode::choose).element, 103);
}

class ClickPoint : public testing::tdrawingtest {
 protected:
  /// A bent chain A(100, 100) - B(160, 100) - C(160, 160), whose centre
  /// has x = 140; shown in a 3D mode turned half round the vertical, the
  /// atoms appear at A(180, 100), B(120, 100), C(120, 160).
  void SetUp() override {
    a = atom(6, 100, 100);
    tatm* b = atom(6, 160, 100);
    bond(a, b);
    bond(b, atom(6, 160, 160));
    drawing().drawmode = 10;
    halfturn.turnby(360.0, 0.0);
  }
  tviewpoint click(const tviewtransform& view, tviewpoint screen) const {
    return clickpoint(drawing(), view, screen);
  }

  tatm* a = nullptr;
  tviewtransform halfturn;
};

TEST_F(ClickPoint, ATurnedViewHandsTheCommandsTheObjectShownUnderThePointer) {
  // Beside A as shown, where B stands in the drawing itself.
  const tviewpoint nearA = click(halfturn, {182.0, 100.0});
  EXPECT_EQ(nearestatom(drawing(), nearA.x, nearA.y), a);
  // The middle of B-C as shown, zoomed and panned.
  tviewtransform view = halfturn;
  view.zoomabout(3.0, {0.0, 0.0});
  view.panby(-50.0, 5.0);
  const tviewpoint middle =
      click(view, {121.0 * 3.0 - 50.0, 131.0 * 3.0 + 5.0});
  EXPECT_EQ(nearestbond(drawing(), middle.x, middle.y),
            drawing().bonds.items(1));
  // Far from everything: turned back on the plane through the centre.
  EXPECT_NEAR(click(halfturn, {300.0, 300.0}).x, -20.0, 1e-9);
  // The 2D drawing is never shown turned.
  drawing().drawmode = 0;
  EXPECT_NEAR(click(halfturn, {182.0, 100.0}).x, 182.0, 1e-9);
}

TEST_F(ClickPoint, AnOffsetShrinksSoThatTheShownAtomStaysTheNearest) {
  // D sits 4 pixels from A in the drawing but in front of it: a quarter
  // turn shows them 40 pixels apart.
  tatm* d = atom(6, 104, 100, 40);
  tviewtransform quarter;
  quarter.turnby(180.0, 0.0);
  const TXYZ centre = drawing().atoms.centroid3();
  const TXYZ shown = turnpoint(quarter.turn(), centre, {104.0, 100.0, 40.0});
  // Taken whole, the offset towards A would land nearer to A than to D.
  const tviewpoint point = click(quarter, {shown.x - 8.0, shown.y - 6.0});
  EXPECT_EQ(nearestatom(drawing(), point.x, point.y), d);
}

}  // namespace
}  // namespace molvane
