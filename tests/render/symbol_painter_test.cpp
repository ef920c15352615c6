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

// Where links, arcs and heads go is the symbol's part; the painter draws
// the links only where the symbol asks for them, then the arc, then each
// shape.
TEST_F(SymbolPainter, DrawsEachClassAsItsShapesSay) {
  const struct {
    int code;
    std::vector<std::string> kinds;
  } cases[] = {
      {721, {"line", "polyline", "polyline"}},
      {722, {"line", "line", "polyline", "polyline"}},
      {724, {"arc", "polyline"}},
      {730, {"polyline", "polyline"}},  // no control lines
      {729, {"line", "line", "line"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    std::vector<std::string> kinds;
    for (const std::string& call :
         paint(*placesymbol(drawing(), c.code, 100, 100))) {
      kinds.push_back(call.substr(0, call.find(' ')));
    }
    EXPECT_EQ(kinds, c.kinds);
  }
  // P0 (92.5, 107.5) and P1 (107.5, 92.5) show at (92, 108) and (108, 92):
  // the ellipse is centred on (92, 92) and the arc runs counter-clockwise
  // from its bottom to its right end.
  EXPECT_EQ(paint(*placesymbol(drawing(), 728, 100, 100)),
            (std::vector<std::string>{"arc 76,76 108,108 from 92,108 to "
                                      "108,92 pen=solid/1/000000"}));
  // The curve is a polyline of many points, the head one of three.
  const std::string curve = paint(*placesymbol(drawing(), 730, 100, 100))[0];
  EXPECT_GT(std::count(curve.begin(), curve.end(), ','), 10);
}

}  // namespace
}  // namespace molvane
