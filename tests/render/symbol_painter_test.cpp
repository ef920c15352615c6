// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/symbol_painter.h"

#include "document/symbol.h"
#include "testing/recording_canvas.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::trecordingcanvas;

class SymbolPainter : public testing::tdrawingtest {
 protected:
  std::vector<std::string> paint(tSymbol& symbol) {
    canvas.clear();
    drawsymbol(symbol, canvas);
    return canvas.calls;
  }

  trecordingcanvas canvas;
};

TEST_F(SymbolPainter, DrawsAnArrowsLinkAndEachHeadStyle) {
  // Tip (122.5, 100) shows at 122, tail (77.5, 100) at 78; the head's base
  // lies 7 pixels behind the tip and 4 to each side.
  tSymbol* arrow = placesymbol(drawing(), 720, 100, 100);
  ASSERT_NE(arrow, nullptr);
  const std::string link = "line 122,100 78,100 pen=solid/1/000000";
  const std::string pen = " pen=solid/1/000000";
  struct trow {
    int headstyle;
    int turn;
    std::string head;
  };
  const std::vector<trow> table = {
      {0, 1, "polyline 115,96 122,100 115,104" + pen},
      {1, 1, "polygon 115,96 122,100 115,104" + pen + " brush=solid/FFFFFF"},
      {2, 1, "polygon 115,96 122,100 115,104" + pen + " brush=solid/000000"},
      {3, 1, "polyline 115,100 122,100 115,96" + pen},
      {5, -1, "polygon 115,100 122,100 115,104" + pen + " brush=solid/000000"},
  };
  for (const trow& row : table) {
    SCOPED_TRACE("head style " + std::to_string(row.headstyle) + " turn " +
                 std::to_string(row.turn));
    arrow->headstyle = static_cast<std::uint8_t>(row.headstyle);
    arrow->turn = static_cast<std::int8_t>(row.turn);
    EXPECT_EQ(paint(*arrow), (std::vector<std::string>{link, row.head}));
    EXPECT_EQ(canvas.brush(), tbrush{});
  }
}

TEST_F(SymbolPainter, SwitchesLinksToChemicalOnlyWhileDrawingThem) {
  tSymbol* arrow = placesymbol(drawing(), 720, 100, 100);
  ASSERT_NE(arrow, nullptr);
  arrow->colour = 0x00AA00;
  arrow->linewidth = 3;
  arrow->bonds.first()->width = 3;
  arrow->bonds.first()->colour = 0x00AA00;
  const std::vector<std::string> calls = paint(*arrow);
  ASSERT_EQ(calls.size(), 2U);
  EXPECT_EQ(calls[0], "line 122,100 78,100 pen=solid/3/00AA00");
  EXPECT_NE(calls[1].find("pen=solid/3/00AA00"), std::string::npos);
  EXPECT_EQ(arrow->bonds.first()->chemical, 0);
}

TEST_F(SymbolPainter, PutsHeadsAtBothEndsOfDoubleAndEquilibriumArrows) {
  tSymbol* both = placesymbol(drawing(), 721, 100, 100);
  ASSERT_NE(both, nullptr);
  // Where the heads go is the symbol's part; the painter draws each.
  EXPECT_EQ(paint(*both).size(), 3U);

  tSymbol* equilibrium = placesymbol(drawing(), 722, 100, 200);
  ASSERT_NE(equilibrium, nullptr);
  EXPECT_EQ(canvas.calls.size(), 3U);
  const std::vector<std::string> eq = paint(*equilibrium);
  ASSERT_EQ(eq.size(), 4U);
  EXPECT_EQ(canvas.callsof("line").size(), 2U);
  EXPECT_EQ(canvas.callsof("polyline").size(), 2U);
}

TEST_F(SymbolPainter, DrawsAnArcInsideItsQuadrantBox) {
  // P0 (92.5, 107.5) and P1 (107.5, 92.5) show at (92, 108) and (108, 92):
  // the ellipse is centred on (92, 92) and the arc runs counter-clockwise
  // from its bottom to its right end.
  tSymbol* arc = placesymbol(drawing(), 728, 100, 100);
  ASSERT_NE(arc, nullptr);
  EXPECT_EQ(paint(*arc),
            (std::vector<std::string>{"arc 76,76 108,108 from 92,108 to "
                                      "108,92 pen=solid/1/000000"}));
  EXPECT_EQ(arc->quadrant, 3);

  tSymbol* arcarrow = placesymbol(drawing(), 724, 100, 100);
  ASSERT_NE(arcarrow, nullptr);
  const std::vector<std::string> calls = paint(*arcarrow);
  ASSERT_EQ(calls.size(), 2U);
  EXPECT_EQ(calls[0].rfind("arc ", 0), 0U);
  EXPECT_EQ(calls[1].rfind("polyline ", 0), 0U);
}

TEST_F(SymbolPainter, DrawsACurvedArrowWithoutItsControlLines) {
  tSymbol* curved = placesymbol(drawing(), 730, 100, 100);
  ASSERT_NE(curved, nullptr);
  const std::vector<std::string> calls = paint(*curved);
  EXPECT_TRUE(canvas.callsof("line").empty());
  ASSERT_EQ(canvas.callsof("polyline").size(), 2U);
  // The curve is a polyline of many points, the head one of three.
  EXPECT_GT(std::count(calls[0].begin(), calls[0].end(), ','), 10);
}

TEST_F(SymbolPainter, JoinsTheTrianglesThreeCorners) {
  tSymbol* triangle = placesymbol(drawing(), 729, 100, 100);
  ASSERT_NE(triangle, nullptr);
  EXPECT_EQ(paint(*triangle).size(), 3U);
  EXPECT_EQ(canvas.callsof("line").size(), 3U);
}

}  // namespace
}  // namespace molvane
