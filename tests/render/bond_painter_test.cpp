// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/bond_painter.h"

#include "document/measurement.h"
#include "render/hashed_line.h"
#include "render/measure_painter.h"
#include "testing/recording_canvas.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::trecordingcanvas;

std::string solid(int x1, int y1, int x2, int y2,
                  const std::string& pen = "solid/1/000000") {
  return "line " + std::to_string(x1) + "," + std::to_string(y1) + " " +
         std::to_string(x2) + "," + std::to_string(y2) + " pen=" + pen;
}

std::string dotted(int x1, int y1, int x2, int y2) {
  return solid(x1, y1, x2, y2, "dotted/1/000000");
}

class BondPainter : public testing::tdrawingtest {
 protected:
  /// A black bond one pixel wide from (100, 100) to (130, 100): spacing 6
  /// puts the extra lines of kinds 3 and 4 6 pixels and those of kinds 5
  /// and 6 4 pixels below it.
  tbond* horizontal(int order, int style) {
    tbond* b = bond(atom(6, 100, 100), atom(6, 130, 100), 2);
    b->order = order;
    b->style = bondstylefromnumber(style);
    b->width = 1;
    b->colour = 0;
    return b;
  }

  std::vector<std::string> paint(tlink& b) {
    canvas.clear();
    drawbond(b, canvas);
    return canvas.calls;
  }

  trecordingcanvas canvas;
};

TEST_F(BondPainter, DrawsEveryKindAndStyleAsTheTableSaysAndOnlyWholeBonds) {
  // Lines parallel to the bond at height y.
  const auto at = [](int y) { return solid(100, y, 130, y); };
  const auto dot = [](int y) { return dotted(100, y, 130, y); };
  const std::string line = at(100);
  // Colours are 0x00BBGGRR. Kind 3 has no green style and draws 30 as an
  // ordinary 3/2 bond; side -1 puts the extra lines above.
  const std::string red = solid(100, 100, 130, 100, "solid/1/7777CC");
  const std::string green = solid(100, 100, 130, 100, "solid/1/77FF77");
  const std::string wide = "line 100,100 130,100 pen=solid/3/123456";
  struct trow {
    int order;
    int style;
    std::vector<std::string> calls;
    int side = 1;
    int width = 1;
    std::uint32_t colour = 0;
  };
  const std::vector<trow> table = {
      {1, 1, {dot(100)}},
      {1, 0, {line}},
      {1, 4, {}},
      {1, 10, {red}},
      {1, 35, {green}},
      {1, 36, {}},
      {2, 1, {line}},
      {3, 1, {line, dot(106)}},
      {3, 30, {line, dot(106)}},
      {4, 1, {line, at(106)}},
      {4, 4, {at(97), at(103)}},
      {4, -6, {line}},
      {4, 0, {}},
      {4, 1, {line, at(94)}, -1},
      {4, 1, {wide, "line 100,106 130,106 pen=solid/3/123456"}, 1, 3, 0x123456},
      {5, 6, {line}},
      {5, 4, {line, dot(96), at(104)}},
      {5, 1, {line, dot(108), at(104)}},
      {6, 4, {line, at(96), at(104)}},
      {6, 1, {line, at(104), at(108)}},
      {7, 1, {}}};
  for (const trow& row : table) {
    SCOPED_TRACE("order " + std::to_string(row.order) + " style " +
                 std::to_string(row.style));
    tbond* b = horizontal(row.order, row.style);
    b->side = static_cast<std::int8_t>(row.side);
    b->width = row.width;
    b->colour = row.colour;
    EXPECT_EQ(paint(*b), row.calls);
    EXPECT_EQ(canvas.pen().style, tpenstyle::solid);
    EXPECT_EQ(canvas.brush(), tbrush{});
  }
  // Only chemical bonds with both ends are drawn.
  tbond* loose = horizontal(2, 1);
  loose->chemical = 0;
  EXPECT_TRUE(paint(*loose).empty());
  loose->chemical = 1;
  loose->atom2 = nullptr;
  EXPECT_TRUE(paint(*loose).empty());
}

TEST_F(BondPainter, CentresADoubleBondOnHalfOffsetsRoundedAwayFromZero) {
  // Spacing 5 on a bond running up the screen gives the offset (5, 0).
  tbond* b = bond(atom(6, 100, 130), atom(6, 100, 100), 4);
  b->style = tbondstyle::centred;
  b->spacing = 5;
  b->width = 1;
  EXPECT_EQ(paint(*b), (std::vector<std::string>{solid(97, 130, 97, 100),
                                                 solid(103, 130, 103, 100)}));
  // Running down gives (-5, 0): halves -3 and 3 again.
  tbond* down = bond(atom(6, 200, 100), atom(6, 200, 130), 4);
  down->style = tbondstyle::centred;
  down->spacing = 5;
  down->width = 1;
  EXPECT_EQ(paint(*down),
            (std::vector<std::string>{solid(203, 100, 203, 130),
                                      solid(197, 100, 197, 130)}));
}

TEST_F(BondPainter, FillsAWedgeFromThePointToTheWideEndAsTheModelPlacesIt) {
  tbond* b = horizontal(2, bondstylenumber(tbondstyle::wedge));
  b->colour = 0x0000FF;
  EXPECT_EQ(paint(*b), (std::vector<std::string>{
                           "polygon 100,100 130,103 130,97 pen=solid/1/0000FF "
                           "brush=solid/0000FF"}));

  // With the wide end at atom1 the point is at atom2.
  b->wideend = 1;
  EXPECT_EQ(paint(*b), (std::vector<std::string>{
                           "polygon 130,100 100,103 100,97 pen=solid/1/0000FF "
                           "brush=solid/0000FF"}));
  tbond* off = bond(atom(6, 100, 100), atom(6, 130.4, 100.6), 2);
  off->style = tbondstyle::wedge;
  off->width = 1;
  // The offset is (0, 6); 100.6 + 3 and 100.6 - 3 round to 104 and 98,
  // where the screen point (100, 101) would give 104 and 98 only by luck.
  ASSERT_EQ(paint(*off).size(), 1U);
  EXPECT_EQ(canvas.calls[0].substr(0, 32), "polygon 100,100 130,104 130,98 p");
  // The wide end swings round below the point: the corners turn with it
  // although the stored offsets still describe the old bond.
  off->atom2->setxyz(100, 130, 0);
  off->atom2->commit();
  ASSERT_EQ(paint(*off).size(), 1U);
  EXPECT_EQ(canvas.calls[0].substr(0, 30), "polygon 100,100 97,130 103,130");
}

// Hashes widen towards the wide end, as a wedge does, so the picture and
// the reading of the bond agree (issue 27).
TEST_F(BondPainter, HashesEveryThirdPixelWideningTowardsTheWideEnd) {
  tbond* b = horizontal(2, bondstylenumber(tbondstyle::hashed));
  // 30 pixels, a half stroke of 3: pixel k reaches 3 (k + 1) / 30.
  std::vector<std::string> expected;
  for (int k = 0; k < 30; k += 3) {
    const int reach = roundhalfeven(3.0 * (k + 1) / 30.0);
    expected.push_back(solid(100 + k, 100 - reach, 100 + k, 100 + reach));
  }
  EXPECT_EQ(paint(*b), expected);
  // The wide end at atom1: the walk starts at atom2.
  b->wideend = 1;
  const std::vector<std::string> reversed = paint(*b);
  ASSERT_EQ(reversed.size(), expected.size());
  EXPECT_EQ(reversed.front(), solid(130, 100, 130, 100));
  EXPECT_EQ(reversed.back(), solid(103, 97, 103, 103));
}

TEST_F(BondPainter, StopsTheArrowShaftAQuarterBeforeTheHead) {
  // d = (32, 0): the tip is 8 pixels short of the head, the barbs reach 2
  // pixels back and 2 pixels to each side.
  tbond* b = bond(atom(6, 100, 100), atom(7, 132, 100), 2);
  b->style = tbondstyle::arrow;
  b->width = 1;
  EXPECT_EQ(paint(*b), (std::vector<std::string>{solid(100, 100, 124, 100),
                                                 solid(124, 100, 122, 98),
                                                 solid(124, 100, 122, 102)}));

  // A half bond has a dotted shaft; the head follows wideend.
  b->order = 1;
  b->wideend = 1;
  EXPECT_EQ(paint(*b), (std::vector<std::string>{dotted(132, 100, 108, 100),
                                                 solid(108, 100, 110, 102),
                                                 solid(108, 100, 110, 98)}));
  // d = (30, 0): the quarter 7.5 rounds half to even, to 8.
  b->atom2->setxyz(130, 100, 0);
  b->atom2->commit();
  b->wideend = 2;
  EXPECT_EQ(paint(*b)[0], dotted(100, 100, 122, 100));
}

TEST_F(BondPainter, SplitsATwoColourBondAtItsTruncatedMidpoint) {
  tbond* co = bond(atom(6, 100, 100), atom(8, 131, 101));
  drawtwocolourbond(*co, canvas, 2, drawing());
  EXPECT_EQ(canvas.calls, (std::vector<std::string>{
                              "line 115,100 100,100 pen=solid/2/777777",
                              "line 115,100 131,101 pen=solid/2/0000FF"}));

  // Halves are truncated towards zero, also left of the origin.
  canvas.clear();
  tbond* hn = bond(atom(1, -3, -3), atom(7, 0, 0));
  drawtwocolourbond(*hn, canvas, 1, drawing());
  EXPECT_EQ(canvas.calls,
            (std::vector<std::string>{"line -1,-1 -3,-3 pen=solid/1/BFBFBF",
                                      "line -1,-1 0,0 pen=solid/1/BF3F3F"}));
}

TEST_F(BondPainter, FormatsEachUnitAndWritesLengthsAndDistances) {
  EXPECT_EQ(measuretext(tmeasureunit::angstrom, 1.5349), "1.535\u00C5");
  EXPECT_EQ(measuretext(tmeasureunit::calories, 12.25), "12.2cal");
  EXPECT_EQ(measuretext(tmeasureunit::hertz, 7.0), "7.00Hz");
  EXPECT_EQ(measuretext(tmeasureunit::calories, 1.0), " 1.0cal");
  // A bond's length goes at its truncated midpoint.
  tbond* b = bond(atom(6, 101, 100), atom(6, 130, 121));
  drawbondlength(*b, canvas, tmeasureunit::angstrom, 1.54);
  ASSERT_EQ(canvas.calls.size(), 1U);
  EXPECT_EQ(canvas.calls[0].substr(0, 27), "text 115,110 \"1.540\u00C5\" left");
  // A distance is a dotted blue line that leaves the pen solid.
  canvas.clear();
  tatm* from = atom(6, 0, 0);
  tatm* to = atom(6, 30, 3);
  drawdistance(*from, *to, canvas, drawing());
  ASSERT_EQ(canvas.calls.size(), 2U);
  EXPECT_EQ(canvas.calls[0], "line 0,0 30,3 pen=dotted/1/FF0000");
  // 30 units are one bond of 1.53 Å; the midpoint (15, 1.5) rounds to
  // (15, 2).
  EXPECT_EQ(canvas.calls[1].substr(0, 20), "text 15,2 \" 1.538\u00C5\"");
  EXPECT_EQ(canvas.pen().style, tpenstyle::solid);
}

TEST_F(BondPainter, PaintsAMeasurementsLinesRingsAndTextInItsAtomsFont) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 4);
  tmeasurement shown;
  shown.lines = {{a, a, 0xFF0000, false}, {a, b, 0x0000FF, true}};
  canvas.setpenstyle(tpenstyle::dotted);
  drawmeasurement(shown, canvas, drawing());
  ASSERT_EQ(canvas.calls.size(), 2U);
  EXPECT_EQ(canvas.calls[0].substr(0, 16), "ellipse -6,-6 6,");
  EXPECT_EQ(canvas.calls[1], "line 0,0 30,4 pen=dotted/1/0000FF");
  EXPECT_EQ(canvas.pen().style, tpenstyle::solid);
  EXPECT_EQ(canvas.brush(), tbrush{});

  shown.text = "1.0";
  shown.x = 7;
  shown.y = 9;
  shown.fontatom = b;
  canvas.clear();
  drawmeasurement(shown, canvas, drawing());
  EXPECT_EQ(canvas.calls.back().substr(0, 14), "text 7,9 \"1.0\"");
  // The figure never blanks out the bond it measures.
  EXPECT_NE(canvas.calls.back().find("transparent"), std::string::npos);
  EXPECT_TRUE(canvas.textformat().opaque);
}

TEST(DigitalLine, WalksEveryOctantOnePixelAtATimeWithoutItsEnd) {
  EXPECT_TRUE(digitalline({5, 5}, {5, 5}).empty());
  const tpoint from{10, 20};
  const tpoint ends[] = {{40, 27},  {17, 50}, {3, 50},   {-20, 29},
                         {-20, 13}, {3, -10}, {17, -10}, {40, 13},
                         {40, 20},  {10, 5},  {25, 35},  {11, 21}};
  for (const tpoint& to : ends) {
    SCOPED_TRACE(std::to_string(to.x) + "," + std::to_string(to.y));
    const std::vector<tpoint> pixels = digitalline(from, to);
    const int steps =
        std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(steps));
    EXPECT_EQ(pixels.front(), from);
    for (std::size_t i = 1; i < pixels.size(); ++i) {
      EXPECT_LE(std::abs(pixels[i].x - pixels[i - 1].x), 1);
      EXPECT_LE(std::abs(pixels[i].y - pixels[i - 1].y), 1);
    }
    // The last pixel is a neighbour of the end point, which is left out.
    EXPECT_LE(std::abs(to.x - pixels.back().x), 1);
    EXPECT_LE(std::abs(to.y - pixels.back().y), 1);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), to), 0);
    // No pixel strays more than half a pixel from the true line.
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    for (const tpoint& p : pixels) {
      const double across =
          std::abs((p.x - from.x) * dy - (p.y - from.y) * dx) / length;
      EXPECT_LE(across, 0.71);
    }
  }
  EXPECT_TRUE(hashstrokes({5, 5}, {5, 5}, {0, 3}).empty());
}

}  // namespace
}  // namespace molvane
