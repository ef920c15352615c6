// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/paint_3d.h"

#include "render/paint_drawing.h"
#include "testing/recording_canvas.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::trecordingcanvas;

class Paint3d : public testing::tdrawingtest {
 protected:
  /// The calls of one kind whose text contains part.
  std::size_t count(const std::string& kind, const std::string& part = "") {
    const std::vector<std::string> calls = canvas.callsof(kind);
    return static_cast<std::size_t>(
        std::count_if(calls.begin(), calls.end(), [&part](const auto& call) {
          return call.find(part) != std::string::npos;
        }));
  }

  /// The x of the centre of an ellipse call.
  static int centrex(const std::string& call) {
    const int left = std::stoi(call.substr(call.find(' ') + 1));
    const std::size_t second = call.find(' ', call.find(' ') + 1) + 1;
    const int right = std::stoi(call.substr(second));
    return (left + right - 1) / 2;
  }

  /// Paints the drawing afresh in one mode.
  void paint(int mode) {
    canvas.clear();
    paint3d(drawing(), canvas, mode);
  }

  trecordingcanvas canvas;
};

TEST_F(Paint3d, ShadesSpheresFromRadiusFiveOnly) {
  drawshadedsphere(canvas, {50, 50}, 4, whitecolour);
  EXPECT_EQ(canvas.calls,
            (std::vector<std::string>{"ellipse 46,46 55,55 pen=solid/1/777777 "
                                      "brush=solid/FFFFFF"}));
  canvas.clear();
  drawshadedsphere(canvas, {50, 50}, 5, whitecolour);
  // From 0.749 of white, eight steps of 8 reach white exactly; the discs
  // shrink and move up and to the right.
  ASSERT_EQ(canvas.calls.size(), 8U);
  EXPECT_EQ(canvas.calls.front(),
            "ellipse 45,45 56,56 pen=clear/1/777777 brush=solid/C7C7C7");
  EXPECT_EQ(canvas.calls.back(),
            "ellipse 49,47 54,52 pen=clear/1/777777 brush=solid/FFFFFF");
  EXPECT_EQ(canvas.pen().style, tpenstyle::solid);
  // Red keeps its blue and green at 0 + 8 per step.
  canvas.clear();
  drawshadedsphere(canvas, {50, 50}, 20, 0x0000FF);
  EXPECT_NE(canvas.calls.back().find("brush=solid/4040FF"), std::string::npos);
}

TEST_F(Paint3d, SizesAtomsByElementChargeAndDepth) {
  struct trow {
    int element;
    double z;
    double factor;
    int radius;
  };
  const std::vector<trow> table{
      {1, 0, largefigure, 8},                                 // 1.1 x 0.3 A
      {1, 0, smallfigure, 5},       {6, 0, largefigure, 18},  // 0.77 A
      {6, 30, largefigure, 19},  // one bond length nearer: 3 % larger
      {87, 0, largefigure, 64},  // 2.8 A drawn as 2.7 A
      {6, -100000, largefigure, 2},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(std::to_string(row.element) + " at z " +
                 std::to_string(row.z));
    const tatm* a = atom(row.element, 0, 0, row.z);
    EXPECT_EQ(displayradius(*a, row.factor, 30.0), row.radius);
  }
  tatm* chloride = atom(17, 0, 0);
  chloride->setcharge(-1);
  EXPECT_EQ(displayradius(*chloride, largefigure, 30.0),
            roundhalfeven(1.2 * chloride->ionradius() * 30.0 / 1.53));

  // The same through painting: the outer disc of the nearer sphere.
  atom(6, 200, 100, 30.0);
  paint3d(drawing(), canvas, 10);
  EXPECT_EQ(count("ellipse", "ellipse 181,81 220,120"), 1U);
}

TEST_F(Paint3d, PaintsFarAtomsAndBondsFirst) {
  tatm* near = atom(8, 100, 100, 30);
  tatm* far = atom(8, 200, 100, -30);
  tatm* middle = atom(8, 300, 100, 0);
  bond(near, middle);
  bond(far, middle);
  paint3d(drawing(), canvas, 16);
  const std::vector<std::string> lines = canvas.callsof("line");
  ASSERT_EQ(lines.size(), 4U);
  // The far bond's halves start at its midpoint (250, 100).
  EXPECT_EQ(lines[0].substr(0, 13), "line 250,100 ");
  std::vector<int> order;
  for (const std::string& call : canvas.callsof("ellipse")) {
    if (call.find("C7C7C7") != std::string::npos) {
      order.push_back(centrex(call));
    }
  }
  EXPECT_EQ(order, (std::vector<int>{200, 300, 100}));
  // The rods lie over the spheres, which would hide them.
  EXPECT_EQ(canvas.calls.back().substr(0, 4), "line");
  // Ties keep the list order.
  const std::vector<const tatm*> sorted = atomsbydepth(drawing().atoms);
  EXPECT_EQ(sorted, (std::vector<const tatm*>{far, middle, near}));
}

TEST_F(Paint3d, DrawsEachModeWithItsFiguresBondsAndLabels) {
  // H-O-C with one atom of each look: carbon (no ball, no label),
  // hydrogen (no label) and oxygen.
  tatm* carbon = atom(6, 100, 100);
  tatm* oxygen = atom(8, 130, 100);
  bond(carbon, oxygen);
  bond(oxygen, atom(1, 150, 110));
  struct trow {
    int mode;
    std::size_t ellipses;
    std::size_t lines;
    std::size_t texts;
  };
  const std::vector<trow> table{{4, 0, 0, 0},  {5, 2, 0, 1},   {6, 3, 2, 0},
                                {7, 0, 4, 0},  {10, 24, 0, 0}, {11, 3, 4, 0},
                                {12, 0, 2, 0}, {18, 24, 2, 1}, {21, 0, 0, 0}};
  for (const trow& row : table) {
    SCOPED_TRACE(row.mode);
    paint(row.mode);
    EXPECT_EQ(canvas.callsof("ellipse").size(), row.ellipses);
    EXPECT_EQ(canvas.callsof("line").size(), row.lines);
    EXPECT_EQ(canvas.callsof("text").size(), row.texts);
    if (row.texts == 1) {
      EXPECT_NE(canvas.callsof("text")[0].find("\"O\""), std::string::npos);
    }
  }

  // Balls take the element's colour: the hydrogen's is AFFFFF.
  paint(9);
  EXPECT_EQ(count("ellipse", "pen=solid/1/777777 brush=solid/AFFFFF"), 1U);
  paint(7);
  EXPECT_EQ(canvas.calls[0], "line 115,100 100,100 pen=solid/2/777777");
  EXPECT_EQ(canvas.calls[3], "line 140,105 150,110 pen=solid/2/BFBFBF");
  drawing().bonds.listcolour = whitecolour;
  paint(7);
  EXPECT_EQ(count("line", "pen=solid/2/FFFFFF"), 2U);

  // Lines under the small balls, a thin black wire, labels without a
  // background and circles outlined in the atom's own colour.
  paint(8);
  EXPECT_EQ(canvas.calls[0].substr(0, 4), "line");
  EXPECT_NE(canvas.calls[0].find("pen=solid/2/777777"), std::string::npos);
  EXPECT_EQ(count("ellipse", "ellipse 121,91 140,110"), 1U);
  paint(12);
  EXPECT_EQ(count("line", "pen=solid/0/000000"), 2U);
  oxygen->colour = 0x00FF00;
  paint(20);
  EXPECT_EQ(count("ellipse", "pen=solid/1/00FF00 brush=solid/FFFFFF"), 1U);
  EXPECT_EQ(count("text", "transparent"), 1U);
  EXPECT_EQ(canvas.textformat().opaque, true);
}

TEST_F(Paint3d, GreyBondsKeepTheirColourAndHeteroLabelsLieOnTop) {
  tatm* nitrogen = atom(7, 130, 100);
  tbond* coloured = bond(atom(6, 100, 100), nitrogen);
  coloured->colour = 0x0000FF;
  drawing().addatom(std::make_unique<tLAtm>("note", 100, 150));
  paint3d(drawing(), canvas, 18);
  EXPECT_EQ(count("line", "pen=solid/1/777777"), 1U);
  // NH2 over the spheres, then the text label last of all.
  const std::vector<std::string> texts = canvas.callsof("text");
  ASSERT_EQ(texts.size(), 4U);
  EXPECT_NE(texts[0].find("\"N\""), std::string::npos);
  EXPECT_NE(canvas.calls.back().find("\"note\""), std::string::npos);
}

TEST_F(Paint3d, StereoPairShowsTwoTurnedCopiesAndMovesNothing) {
  tatm* left = atom(6, 100, 100);
  tatm* middle = atom(6, 130, 100);
  tatm* right = atom(8, 160, 100);
  bond(left, middle);
  bond(middle, right);
  drawing().drawmode = 110;
  paintdrawing(drawing(), canvas);
  EXPECT_EQ(left->x, 100.0);
  EXPECT_EQ(right->z, 0.0);
  std::vector<int> centres;
  for (const std::string& call : canvas.callsof("ellipse")) {
    centres.push_back(centrex(call));
  }
  // Two copies of three shaded spheres, 1.5 widths (90 pixels) apart; the
  // left copy turned -5 degrees brings its right end forward, the right
  // copy its left end.
  ASSERT_EQ(centres.size(), 48U);
  EXPECT_EQ(centres[0], 55);
  EXPECT_EQ(centres[24], 205);

  EXPECT_EQ(stereoviewof(normalviewof(110)), 110);
  EXPECT_EQ(normalviewof(10), 10);
}

TEST_F(Paint3d, TheFlatStereoPairWritesEveryLabelTwice) {
  bond(atom(6, 0, 0, 0, symbollabel), atom(8, 30, 0, 0, symbollabel));
  drawing().drawmode = 100;
  paintdrawing(drawing(), canvas);
  EXPECT_EQ(canvas.callsof("text").size(), 4U);
}

}  // namespace
}  // namespace molvane
