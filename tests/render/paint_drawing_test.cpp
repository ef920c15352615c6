// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/paint_drawing.h"

#include "document/symbol.h"
#include "render/drawing_extent.h"
#include "render/view_transform.h"
#include "testing/recording_canvas.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::trecordingcanvas;

class PaintDrawing : public testing::tdrawingtest {
 protected:
  /// A hexagon of carbons around (cx, cy) with alternating double bonds,
  /// merged as a ring structure of the given ring style.
  tStructure* ring(double cx, double cy, int ringstyle) {
    auto structure = std::make_unique<tRing>();
    std::vector<tatm*> corners;
    for (int i = 0; i < 6; ++i) {
      const double angle = i * std::numbers::pi / 3.0;
      corners.push_back(structure->addatom(std::make_unique<tatm>(
          6, 0, cx + 30.0 * std::sin(angle), cy - 30.0 * std::cos(angle))));
      structure->ringatoms[static_cast<std::size_t>(i + 1)] = corners.back();
    }
    for (int i = 0; i < 6; ++i) {
      structure->addbond(std::make_unique<tbond>(
          corners[static_cast<std::size_t>(i)], 0, tbondstyle::normal,
          i % 2 == 0 ? 4 : 2, corners[static_cast<std::size_t>((i + 1) % 6)]));
    }
    structure->ringsize = 6;
    structure->ringstyle = static_cast<std::uint8_t>(ringstyle);
    return drawing().mergestructure(std::move(structure));
  }

  /// The kinds of call in painting order, runs of one kind merged.
  std::vector<std::string> callkinds() const {
    std::vector<std::string> kinds;
    for (const std::string& call : canvas.calls) {
      const std::string kind = call.substr(0, call.find(' '));
      if (kinds.empty() || kinds.back() != kind) {
        kinds.push_back(kind);
      }
    }
    return kinds;
  }

  trecordingcanvas canvas;
};

TEST_F(PaintDrawing, PaintsBondsAtomsCirclesSymbolsNotesAndOverlayInOrder) {
  tatm* oxygen = atom(8, 200, 100, 0, hydrogenlabel);
  bond(atom(6, 170, 100), oxygen);
  ring(100, 100, 6);
  placesymbol(drawing(), 720, 300, 100);
  tpaintoptions options;
  options.overlay = tvectoroverlay{{10, 10}, {40, 10}};
  // A note without its atom is passed over.
  options.notes = {{oxygen, "61.2"}, {nullptr, "0.0"}};
  paintdrawing(drawing(), canvas, options);
  EXPECT_EQ(callkinds(),
            (std::vector<std::string>{"line", "text", "ellipse", "line",
                                      "polyline", "text", "line"}));
  // The note goes on the side the bond leaves free, clear of "OH".
  EXPECT_EQ(canvas.calls[canvas.calls.size() - 2],
            "text 215,93 \"61.2\" left/top font=-11/400 colour=000000 "
            "opaque");
  const std::optional<tbox> note = notesbox(drawing(), canvas, options.notes);
  EXPECT_EQ(note, (tbox{215, 93, 238, 106}));
  const std::optional<tbox> label = labelbox(*oxygen, canvas, drawing());
  ASSERT_TRUE(note && label);
  EXPECT_TRUE(note->left > label->right || note->top > label->bottom ||
              note->bottom < label->top || note->right < label->left);
  EXPECT_EQ(canvas.calls.back(), "line 10,10 40,10 pen=solid/2/808080");
  EXPECT_EQ(canvas.brush(), tbrush{});
}

TEST_F(PaintDrawing, PaintsTheDrawingsDipoleArrowOnlyWhileItIsShown) {
  bond(atom(6, 0, 0), atom(6, 30, 0));
  drawing().dipoleorigin = {20.4, 30.6, 5};
  drawing().dipolevector = {10, -5, 7};
  paintdrawing(drawing(), canvas);
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls.back().find("808080"), std::string::npos);
  drawing().showdipole = true;
  paintdrawing(drawing(), canvas);
  EXPECT_EQ(canvas.calls.back(), "line 20,31 30,26 pen=solid/2/808080");
  // Copies of the drawing (undo) leave it off.
  EXPECT_FALSE(drawing().clonedrawing()->showdipole);
}

TEST_F(PaintDrawing, DrawsAromaticCirclesOnlyInTheFlatDrawModes) {
  ring(100, 100, 6);
  ring(300, 100, 7);
  ring(500, 100, 0);
  for (int mode : {0, 5, 12, 18, 112}) {
    SCOPED_TRACE(mode);
    drawing().drawmode = static_cast<std::uint8_t>(mode);
    canvas.clear();
    paintdrawing(drawing(), canvas);
    const bool shown = mode == 0 || mode == 12 || mode == 18;
    // The circles are outlines; the balls and spheres of 3D modes are not.
    std::size_t circles = 0;
    for (const std::string& call : canvas.callsof("ellipse")) {
      circles += call.find("brush=clear") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(circles, shown ? 2U : 0U);
  }
  // 60% of the ring radius 30, round the ring's centre, outline only.
  drawing().drawmode = 0;
  canvas.clear();
  paintdrawing(drawing(), canvas);
  EXPECT_EQ(canvas.callsof("ellipse").at(0),
            "ellipse 82,82 119,119 pen=solid/1/000000 brush=clear");
}

TEST_F(PaintDrawing, PaintsTheViewsTurnIn3dOnlyAndKeepsEveryCoordinate) {
  ring(100, 100, 6);
  bond(drawing().atoms.items(0), atom(8, 100, 40));
  tviewtransform view;
  view.turnby(100.0, 60.0);
  tpaintoptions turned;
  turned.turn = view.turn();
  auto snapshot = [this] {
    std::vector<double> values;
    for (const tatm* atom : drawing().atoms) {
      values.insert(values.end(), {atom->x, atom->y, atom->z, 1.0 * atom->sx,
                                   1.0 * atom->sy, 1.0 * atom->sz});
    }
    for (const tbond* bond : drawing().bonds) {
      values.insert(values.end(), {1.0 * bond->offx, 1.0 * bond->offy});
    }
    return values;
  };
  const std::vector<double> before = snapshot();
  for (const int mode : {0, 10, 110}) {
    SCOPED_TRACE(mode);
    drawing().drawmode = static_cast<std::uint8_t>(mode);
    canvas.clear();
    paintdrawing(drawing(), canvas);
    const std::vector<std::string> flat = canvas.calls;
    canvas.clear();
    paintdrawing(drawing(), canvas, turned);
    EXPECT_EQ(canvas.calls == flat, mode == 0);
    EXPECT_EQ(snapshot(), before);
  }
}

TEST_F(PaintDrawing, NamesStructuresByPhaseAboveTheirFrames) {
  tStructure* first = ring(100, 100, 0);
  tStructure* second = ring(300, 100, 0);
  tStructure* third = ring(500, 100, 0);
  second->phase = solidphase;
  third->phase = solventphase;
  EXPECT_EQ(structurelabel(drawing(), *first), "Gas_1");
  EXPECT_EQ(structurelabel(drawing(), *second), "Sol_2");
  EXPECT_EQ(structurelabel(drawing(), *third), "Liq_3");
  third->phase = otherphase;
  EXPECT_EQ(structurelabel(drawing(), *third), "X_3");

  drawing().showstructurelabels = true;
  paintdrawing(drawing(), canvas);
  // The first ring's atoms reach from (74, 70) to (126, 130).
  EXPECT_EQ(canvas.callsof("text").at(0),
            "text 74,70 \"Gas_1\" left/bottom font=-11/400 colour=000000 "
            "opaque");
}

TEST_F(PaintDrawing, WritesAmountsAndPhasesUnderTheStructures) {
  tStructure* first = ring(100, 100, 0);
  first->amount = 2.0;
  drawing().showstructurevalues = true;
  paintdrawing(drawing(), canvas);
  EXPECT_EQ(canvas.callsof("text").at(0),
            "text 100,130 \" 2.00(g)\" centre/top font=-11/400 "
            "colour=000000 opaque");
  EXPECT_EQ(canvas.textformat(), ttextformat{});
}

TEST_F(PaintDrawing, RefreshesDoubleBondsFromTheirAtomsBeforePainting) {
  tbond* b = bond(atom(6, 100, 100), atom(6, 130, 100), 4);
  // The atom moved in the model only; painting brings the screen point and
  // the offsets along.
  b->atom2->x = 100;
  b->atom2->y = 130;
  paintdrawing(drawing(), canvas);
  EXPECT_EQ(canvas.calls, (std::vector<std::string>{
                              "line 100,100 100,130 pen=solid/1/000000",
                              "line 94,100 94,130 pen=solid/1/000000"}));
}

TEST_F(PaintDrawing, FillsTheBackgroundAndPaintsNothingForAnEmptyDrawing) {
  paintdrawing(drawing(), canvas);
  EXPECT_TRUE(canvas.calls.empty());
  tpaintoptions options;
  options.background = std::array<int, 4>{0, 0, 640, 480};
  int pumped = 0;
  options.processmessages = [&pumped] { ++pumped; };
  paintdrawing(drawing(), canvas, options);
  EXPECT_EQ(canvas.calls, (std::vector<std::string>{
                              "rectangle 0,0 640,480 pen=clear/1/FFFFFF "
                              "brush=solid/FFFFFF"}));
  EXPECT_EQ(pumped, 1);
}

TEST_F(PaintDrawing, FindsTheExtentOfAtomsLabelsHeadsNamesAndArcs) {
  EXPECT_FALSE(drawingextent(drawing(), canvas, 2).has_value());
  atom(8, 100, 100, 0, hydrogenlabel);
  // "H2O" runs from 96 to 117; the lowered 2 reaches down to 111.
  EXPECT_EQ(drawingextent(drawing(), canvas, 0), (tbox{96, 93, 117, 111}));
  EXPECT_EQ(drawingextent(drawing(), canvas, 3), (tbox{93, 90, 120, 114}));
  // The arrow's tip is at 322.
  placesymbol(drawing(), 720, 300, 100);
  EXPECT_EQ(drawingextent(drawing(), canvas, 0), (tbox{96, 93, 322, 111}));

  session().newdrawing();
  ring(100, 100, 0);
  EXPECT_EQ(drawingextent(drawing(), canvas, 0)->top, 70);
  // "Gas_1" stands on the ring's top edge, 14 pixels high.
  drawing().showstructurelabels = true;
  EXPECT_EQ(drawingextent(drawing(), canvas, 0)->top, 56);
  // A quarter arc from (92, 108) round to (108, 92) stays in the box of
  // its ends, not the box of its whole ellipse (76, 76 to 108, 108).
  session().newdrawing();
  placesymbol(drawing(), 728, 100, 100);
  const std::optional<tbox> arc = drawingextent(drawing(), canvas, 0);
  ASSERT_TRUE(arc.has_value());
  EXPECT_EQ(arc->left, 92);
  EXPECT_EQ(arc->top, 92);
}

}  // namespace
}  // namespace molvane
