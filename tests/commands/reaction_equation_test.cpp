// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/reaction_equation.h"

#include "commands/reaction_report.h"
#include "document/symbol.h"
#include "io/rxn_format.h"
#include "testing/recording_canvas.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace molvane {
namespace {

TEST(ReactionEquation, CoefficientsAreWrittenAsAChemistWritesThem) {
  for (const auto& [amount, text] : {std::pair{1.0, ""},
                                     {2.0, "2"},
                                     {0.5, "0.5"},
                                     {1.3333, "1.33"},
                                     {2.999, "3"},
                                     {10.0, "10"}}) {
    SCOPED_TRACE(amount);
    EXPECT_EQ(coefficienttext(amount), text);
  }
}

// Issue 30: the balanced amounts were never shown. Ethene + hydrogen ->
// ethane with the hydrogen doubled: "2" before it and a "+" between the
// reactants, which sit in the gap between them; none on the product side.
TEST(ReactionEquation, CoefficientsStandBeforeSpeciesAndPlusBetween) {
  tsessionguard guard;
  treadresult read = readrxn(testing::corpusfile("rxn", "hydrogenation.rxn"));
  ASSERT_NE(read.drawing, nullptr) << read.error;
  tdrawing& drawing = *read.drawing;
  tStructure* ethene = drawing.structures.items(0);
  tStructure* hydrogen = drawing.structures.items(1);
  hydrogen->amount = 2.0;
  testing::trecordingcanvas canvas;
  const std::vector<tequationtext> texts =
      equationtexts(drawing, canvas, *drawing.symbols.first());
  ASSERT_EQ(texts.size(), 2U);
  EXPECT_EQ(texts[0].text, "2");
  EXPECT_LT(texts[0].left, hydrogen->frame[0]);
  EXPECT_GT(texts[0].left, hydrogen->frame[0] - 30);
  EXPECT_EQ(texts[1].text, "+");
  const bool etheneleft = ethene->frame[0] < hydrogen->frame[0];
  const tStructure& first = etheneleft ? *ethene : *hydrogen;
  const tStructure& second = etheneleft ? *hydrogen : *ethene;
  EXPECT_GT(texts[1].left, first.frame[2]);
  EXPECT_LT(texts[1].left, second.frame[0]);

  // For the picture they become labels, and go again.
  const int atoms = drawing.atoms.count();
  const std::vector<tLAtm*> labels = addequationlabels(drawing, texts);
  EXPECT_EQ(drawing.atoms.count(), atoms + 2);
  removereportlabels(drawing, labels);
  EXPECT_EQ(drawing.atoms.count(), atoms);
}

}  // namespace
}  // namespace molvane
