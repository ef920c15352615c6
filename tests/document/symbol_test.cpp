// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/symbol.h"

#include "document/drawing.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace molvane {
namespace {

using SymbolTest = testing::tdrawingtest;

struct txy2 {
  double x;
  double y;
};

void expectpoints(const tSymbol& symbol, const std::vector<txy2>& expected) {
  ASSERT_EQ(symbol.atoms.count(), static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const tatm* point = symbol.atoms.items(static_cast<int>(i));
    EXPECT_EQ(point->kind, symbolpointkind);
    EXPECT_DOUBLE_EQ(point->x, expected[i].x) << "point " << i;
    EXPECT_DOUBLE_EQ(point->y, expected[i].y) << "point " << i;
  }
}

using tpixels = std::vector<tpixel>;

TEST_F(SymbolTest, PlacedSymbolsAreCentredOnTheClickInTheDrawing) {
  tSymbol* arrow = placesymbol(drawing(), 720, 100, 100);
  ASSERT_NE(arrow, nullptr);
  expectpoints(*arrow, {{122.5, 100}, {77.5, 100}});
  EXPECT_EQ(arrow->atoms.items(0)->sx, 122);
  EXPECT_TRUE(drawing().atoms.contains(arrow->atoms.items(1)));
  EXPECT_TRUE(drawing().bonds.contains(arrow->bonds.items(0)));

  for (int code = 721; code <= 730; ++code) {
    const TXYZ c = placesymbol(drawing(), code, 200, -40)->centre();
    EXPECT_NEAR(c.x, 200, 1e-9) << code;
    EXPECT_NEAR(c.y, -40, 1e-9) << code;
  }
  EXPECT_EQ(placesymbol(drawing(), 719, 0, 0), nullptr);
  EXPECT_EQ(drawing().symbols.count(), 11);

  session().settings.bondlength = 50;
  tSymbol* eq = placesymbol(drawing(), 723, 0, 0);
  // The lower arrow is round(37.5) = 38 long.
  EXPECT_DOUBLE_EQ(eq->atoms.items(3)->x - eq->atoms.items(2)->x, 38.0);
}

TEST_F(SymbolTest, CopyIsIndependentAndKeepsClassAndFields) {
  tSymbol* original = placesymbol(drawing(), 722, 100, 100);
  original->headstyle = 4;
  original->colour = 0x123456;
  original->linewidth = 3;
  std::unique_ptr<tSymbol> copy = copysymbol(*original);
  const tSymbol& twin = *copy;
  EXPECT_TRUE(typeid(twin) == typeid(tEqArrow1));
  EXPECT_EQ(copy->recordbytes(), original->recordbytes());
  ASSERT_EQ(copy->bonds.count(), 2);
  EXPECT_EQ(copy->bonds.items(1)->atom1, copy->atoms.items(2));
  EXPECT_TRUE(copy->owns(copy->atoms.items(2)));

  copy->translate(10, 10, 0);
  copy->bonds.items(0)->width = 4;
  EXPECT_DOUBLE_EQ(original->atoms.items(0)->x, 122.5);
  EXPECT_EQ(original->bonds.items(0)->width, 1);

  tSymbol plain(107);
  plain.addpoint(1, 2);
  const std::unique_ptr<tSymbol> plaincopy = copysymbol(plain);
  const tSymbol& plaintwin = *plaincopy;
  EXPECT_TRUE(typeid(plaintwin) == typeid(tSymbol));
  EXPECT_EQ(plaintwin.fragtype, 107);
}

TEST_F(SymbolTest, TurnsAndScalesFromTheReferenceAndMovesByTheCentre) {
  tSymbol* arrow = placesymbol(drawing(), 720, 100, 100);
  arrow->rotatesymbol(90);
  arrow->rotatesymbol(90);  // as a slider does: again from the reference
  const tatm* tip = arrow->atoms.items(0);
  EXPECT_NEAR(tip->x, 100, 1e-9);
  EXPECT_NEAR(tip->y, 122.5, 1e-9);
  arrow->takereference();
  arrow->rotatesymbol(-45);
  EXPECT_NEAR(tip->x, 100 + 22.5 / std::sqrt(2.0), 1e-9);

  tSymbol* triangle = placesymbol(drawing(), 729, 0, 0);
  const double apexy = triangle->atoms.items(2)->y;
  triangle->rotatesymbol(180);
  EXPECT_NEAR(triangle->atoms.items(2)->y, -apexy, 1e-9);

  for (int code : {724, 728, 730}) {
    tSymbol* fixed = placesymbol(drawing(), code, 50, 50);
    const double x = fixed->atoms.items(0)->x;
    fixed->rotatesymbol(45);
    EXPECT_DOUBLE_EQ(fixed->atoms.items(0)->x, x) << code;
  }
  // Scaling works from the reference too, and moving keeps the centre.
  tSymbol* scaled = placesymbol(drawing(), 720, 100, 100);
  scaled->scalesymbol(2.0);
  expectpoints(*scaled, {{145, 100}, {55, 100}});
  scaled->scalesymbol(0.5);  // again from the reference
  expectpoints(*scaled, {{111.25, 100}, {88.75, 100}});

  scaled->movecentreto(0, 50);
  expectpoints(*scaled, {{11.25, 50}, {-11.25, 50}});
  scaled->locked = 1;
  scaled->movecentreto(300, 300);
  EXPECT_DOUBLE_EQ(scaled->centre().x, 0.0);
}

TEST_F(SymbolTest, ArrowsReflectAcrossTheOtherAxis) {
  // Axis 1 reverses arrows left to right but turns arcs and the triangle
  // upside down.
  for (const auto& [typecode, reflectsx] :
       {std::pair{102, true}, {110, true}, {106, false}, {109, false}}) {
    for (int axis : {1, 2}) {
      SCOPED_TRACE(std::to_string(typecode) + " axis " + std::to_string(axis));
      std::unique_ptr<tSymbol> symbol = makesymbol(typecode);
      symbol->addpoint(10, 0);
      symbol->addpoint(0, 20);
      symbol->mirror(axis);
      if (reflectsx == (axis == 1)) {
        expectpoints(*symbol, {{0, 0}, {10, 20}});
      } else {
        expectpoints(*symbol, {{10, 20}, {0, 0}});
      }
      EXPECT_EQ(symbol->turn, -1);
      EXPECT_DOUBLE_EQ(symbol->atoms.items(0)->x0, symbol->atoms.items(0)->x);
    }
  }
}

TEST(SymbolGeometryTest, ArcFrameFollowsThePositionOfThePoints) {
  struct tcase {
    tpixel p0, p1;
    int quadrant;
    std::array<int, 4> box;
    tpixel headbase;
  };
  const std::vector<tcase> cases = {
      {{10, 0}, {0, 10}, 1, {0, 0, 20, 20}, {0, 0}},
      {{0, 0}, {0, 10}, 1, {0, 0, 0, 20}, {0, 0}},
      {{10, 10}, {0, 0}, 2, {-10, 0, 10, 20}, {10, 0}},
      {{0, 10}, {10, 0}, 3, {-10, -10, 10, 10}, {10, 10}},
      {{0, 0}, {10, 10}, 4, {0, -10, 20, 10}, {0, 10}},
  };
  for (const tcase& c : cases) {
    for (int turn : {1, -1}) {
      SCOPED_TRACE("quadrant " + std::to_string(c.quadrant * turn));
      const tarcframe frame = arcframe(c.p0, c.p1, turn);
      EXPECT_EQ(frame.quadrant, c.quadrant * turn);
      EXPECT_EQ((std::array{frame.left, frame.top, frame.right, frame.bottom}),
                c.box);
      EXPECT_EQ(frame.headbase, c.headbase);
    }
  }
}

TEST(SymbolGeometryTest, HeadsOfEveryStyle) {
  // A 45-pixel arrow pointing right with its tip at (122, 100), L = 30.
  const tpixel tip{122, 100};
  const tpixel middle{115, 100};
  const tpixel upper{115, 96};
  const tpixel lower{115, 104};
  const std::array<tshapestyle, 3> fills = {
      tshapestyle::open, tshapestyle::closed, tshapestyle::filled};
  for (int style = 0; style <= 5; ++style) {
    SCOPED_TRACE("style " + std::to_string(style));
    auto head = arrowhead(tip, 45, 0, style, 1, 30);
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->style, fills[static_cast<std::size_t>(style % 3)]);
    if (style < 3) {
      EXPECT_EQ(head->points, (tpixels{upper, tip, lower}));
    } else {
      EXPECT_EQ(head->points, (tpixels{middle, tip, upper}));
    }
  }
  EXPECT_EQ(arrowhead(tip, 45, 0, 5, -1, 30)->points,
            (tpixels{middle, tip, lower}));
  EXPECT_EQ(arrowhead({100, 122}, 0, 45, 0, 1, 30)->points,
            (tpixels{{104, 115}, {100, 122}, {96, 115}}));
  EXPECT_EQ(arrowhead(tip, 0, 0, 0, 1, 30)->points, (tpixels{tip, tip, tip}));
  EXPECT_FALSE(arrowhead(tip, 45, 0, 6, 1, 30).has_value());
}

TEST_F(SymbolTest, EachClassPutsItsHeadsWhereTheyBelong) {
  tsymbolshapes both = placesymbol(drawing(), 721, 100, 100)->computeshapes();
  ASSERT_EQ(both.shapes.size(), 2U);
  EXPECT_EQ(both.shapes[1].points, (tpixels{{85, 104}, {78, 100}, {85, 96}}));

  // Each half head of an equilibrium arrow lies on the outer side.
  tsymbolshapes eq = placesymbol(drawing(), 722, 100, 100)->computeshapes();
  ASSERT_EQ(eq.shapes.size(), 2U);
  EXPECT_EQ(eq.shapes[0].points, (tpixels{{115, 98}, {122, 98}, {115, 94}}));
  EXPECT_EQ(eq.shapes[1].points, (tpixels{{85, 102}, {78, 102}, {85, 106}}));

  EXPECT_TRUE(
      placesymbol(drawing(), 729, 0, 0)->computeshapes().shapes.empty());

  tSymbol* arc = placesymbol(drawing(), 724, 100, 100);
  tsymbolshapes arcshapes = arc->computeshapes();
  ASSERT_TRUE(arcshapes.arc.has_value());
  EXPECT_EQ(arcshapes.arc->start, (tpixel{92, 108}));
  // The arc arrives at its start going left, so the head points left.
  ASSERT_EQ(arcshapes.shapes.size(), 1U);
  EXPECT_EQ(arcshapes.shapes[0].points,
            (tpixels{{99, 112}, {92, 108}, {99, 104}}));

  tsymbolshapes curve = placesymbol(drawing(), 730, 100, 100)->computeshapes();
  EXPECT_FALSE(curve.drawlinks);
  ASSERT_EQ(curve.shapes.size(), 2U);
  EXPECT_EQ(curve.shapes[0].points.back(), (tpixel{122, 108}));
  // The head comes down onto the tip, as the curve does.
  EXPECT_EQ(curve.shapes[1].points,
            (tpixels{{126, 101}, {122, 108}, {118, 101}}));
}

TEST_F(SymbolTest, NearestSymbolComparesCentres) {
  EXPECT_EQ(nearestsymbol(drawing(), 0, 0), nullptr);
  tSymbol* left = placesymbol(drawing(), 720, 0, 0);
  tSymbol* right = placesymbol(drawing(), 728, 100, 0);
  placesymbol(drawing(), 728, 100, 0);
  drawing().addsymbol(std::make_unique<tSymbol>(107));  // no points
  EXPECT_EQ(nearestsymbol(drawing(), 30, 40), left);
  EXPECT_EQ(nearestsymbol(drawing(), 70, -40), right);
  EXPECT_EQ(nearestsymbol(drawing(), 500, 500), right);
}

TEST_F(SymbolTest, DeletingTheLastSymbolEmptiesTheLists) {
  tSymbol* arrow = placesymbol(drawing(), 722, 0, 0);
  atom(6, 0, 0);
  drawing().deletesymbol(arrow);
  EXPECT_TRUE(drawing().symbols.empty());
  EXPECT_EQ(drawing().atoms.count(), 1);
  EXPECT_TRUE(drawing().bonds.empty());
}

}  // namespace
}  // namespace molvane
