// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/reaction_controls.h"

#include "commands/reaction_report.h"
#include "document/symbol.h"
#include "io/rxn_format.h"
#include "render/drawing_extent.h"
#include "testing/recording_canvas.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

/// Ethene and hydrogen left of an arrow, ethane right of it.
class ReactionControlsTest : public testing::tdrawingtest {
 protected:
  void SetUp() override {
    treadresult read = readrxn(testing::corpusfile("rxn", "hydrogenation.rxn"));
    ASSERT_NE(read.drawing, nullptr) << read.error;
    session().setdrawing(std::move(read.drawing));
    ASSERT_EQ(drawing().structures.count(), 3);
  }
  tStructure* species(int i) const { return drawing().structures.items(i); }
};

TEST(ReactionSteps, TemperatureStopsAtZeroAndPressureAtOneHundredth) {
  EXPECT_EQ(steptemperature(starttemperature, 10), 303);
  EXPECT_EQ(steptemperature(5, -10), 0);
  EXPECT_EQ(steptemperature(0, -1), 0);
  EXPECT_DOUBLE_EQ(steppressure(startpressure, 1.0), 2.0);
  EXPECT_DOUBLE_EQ(steppressure(1.0, -1.0), 0.01);
  EXPECT_DOUBLE_EQ(steppressure(0.01, -0.1), 0.01);
  EXPECT_DOUBLE_EQ(steppressure(0.01, 1.0), 1.01);
}

TEST_F(ReactionControlsTest, OnlyDrawingsOfRealAtomsQualify) {
  EXPECT_TRUE(isreactiondrawing(drawing()));
  session().newdrawing();
  atom(6, 0, 0);
  drawing().addatom(std::make_unique<tLAtm>("note", 30, 0));
  EXPECT_FALSE(isreactiondrawing(drawing())) << "one chemical atom";
  atom(8, 30, 30);
  EXPECT_TRUE(isreactiondrawing(drawing()));
  atom(0, 60, 30);
  EXPECT_FALSE(isreactiondrawing(drawing())) << "an unnamed point";
}

TEST_F(ReactionControlsTest, ReferenceGoesRoundAloneColouredUntilTheEnd) {
  EXPECT_EQ(nextreference(drawing(), nullptr), species(0));
  EXPECT_EQ(nextreference(drawing(), species(0)), species(1));
  EXPECT_EQ(nextreference(drawing(), species(2)), species(0));
  tSymbol* arrow = drawing().symbols.first();
  arrow->colour = 0x00FF00;
  for (int reference : {1, 2}) {
    highlightreference(drawing(), species(reference));
    for (int i = 0; i < 3; ++i) {
      const std::uint32_t expected = i == reference ? referencecolour : 0;
      for (const tatm* atom : species(i)->atoms) {
        EXPECT_EQ(atom->colour, expected) << i;
      }
      for (const tbond* bond : species(i)->bonds) {
        EXPECT_EQ(bond->colour, expected) << i;
      }
    }
  }
  EXPECT_EQ(arrow->colour, 0x00FF00U) << "symbols are not species";
  // Ending gives back the draw mode and clears highlights and marks.
  drawing().setdrawmode(7);
  const std::uint8_t saved = beginreaction(drawing());
  EXPECT_EQ(drawing().drawmode, 0);
  species(0)->atoms.first()->setmark(3);
  endreaction(drawing(), saved);
  EXPECT_EQ(drawing().drawmode, 7);
  for (const tatm* atom : drawing().atoms) {
    EXPECT_EQ(atom->mark + atom->colour, 0U);
  }
  session().newdrawing();
  EXPECT_EQ(nextreference(drawing(), nullptr), nullptr);
}

TEST_F(ReactionControlsTest, StatesSetPhaseAndWhetherTheSpeciesTakesPart) {
  tStructure& ethane = *species(2);
  const struct {
    tspeciesstate state;
    double amountbefore;
    std::uint8_t phase;
    double amountafter;
  } cases[] = {
      {tspeciesstate::liquid, 2.5, liquidphase, 2.5},
      {tspeciesstate::solvent, 2.5, solventphase, 0.0},
      {tspeciesstate::solute, 0.0, otherphase, 1.0},
      {tspeciesstate::gas, 0.0, gasphase, 1.0},
  };
  for (const auto& c : cases) {
    ethane.amount = c.amountbefore;
    setspeciesstate(ethane, c.state);
    EXPECT_EQ(ethane.phase, c.phase);
    EXPECT_EQ(ethane.amount, c.amountafter);
    EXPECT_EQ(stateofphase(c.phase), c.state);
  }
  EXPECT_EQ(stateofphase(0), std::nullopt);
  EXPECT_EQ(stateofphase(solidphase), std::nullopt);
}

TEST_F(ReactionControlsTest, ReportLinesStandUnderTheDrawingFromTheArrow) {
  testing::trecordingcanvas canvas;
  const tSymbol& arrow = *drawing().symbols.first();
  const int bottom = drawingextent(drawing(), canvas, 0)->bottom;
  const int atoms = drawing().atoms.count();
  const std::array<std::string, 3> lines = {"one", "two", "three"};
  // "dG = " and " Kcal" with ten other characters: 14 small (6 pixels)
  // and 2 capitals (8 pixels).
  std::vector<tLAtm*> labels =
      addreportlabels(drawing(), canvas, lines, "dG =   -1.0 Kcal", arrow);
  ASSERT_EQ(labels.size(), 3U);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(labels[i]->symbol, lines[i]);
    EXPECT_DOUBLE_EQ(labels[i]->x, arrow.centre().x - 100);
    EXPECT_DOUBLE_EQ(labels[i]->y, bottom + 14.0 * static_cast<double>(i + 2));
  }
  removereportlabels(drawing(), labels);
  EXPECT_EQ(drawing().atoms.count(), atoms);
  EXPECT_TRUE(drawing().labelatoms.empty());
  session().newdrawing();
  EXPECT_TRUE(addreportlabels(drawing(), canvas, lines, "dG", arrow).empty());
}

}  // namespace
}  // namespace molvane
