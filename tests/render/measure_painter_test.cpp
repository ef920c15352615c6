// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/measure_painter.h"

#include "testing/recording_canvas.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace molvane {
namespace {

class MeasurePainter : public testing::tdrawingtest {
 protected:
  testing::trecordingcanvas canvas;
};

TEST_F(MeasurePainter, FormatsEachUnitWithItsDecimals) {
  EXPECT_EQ(measuretext(tmeasureunit::angstrom, 1.5349), "1.535\u00C5");
  EXPECT_EQ(measuretext(tmeasureunit::calories, 12.25), "12.2cal");
  EXPECT_EQ(measuretext(tmeasureunit::hertz, 7.0), "7.00Hz");
  EXPECT_EQ(measuretext(tmeasureunit::calories, 1.0), " 1.0cal");
}

TEST_F(MeasurePainter, WritesABondLengthAtTheTruncatedMidpoint) {
  tbond* b = bond(atom(6, 101, 100), atom(6, 130, 121));
  drawbondlength(*b, canvas, tmeasureunit::angstrom, 1.54);
  ASSERT_EQ(canvas.calls.size(), 1U);
  EXPECT_EQ(canvas.calls[0].substr(0, 27), "text 115,110 \"1.540\u00C5\" left");
}

TEST_F(MeasurePainter, DrawsADottedBlueDistanceLineAndLeavesThePenSolid) {
  tatm* a = atom(6, 0, 0);
  tatm* b = atom(6, 30, 3);
  drawdistance(*a, *b, canvas, drawing());
  ASSERT_EQ(canvas.calls.size(), 2U);
  EXPECT_EQ(canvas.calls[0], "line 0,0 30,3 pen=dotted/1/FF0000");
  // 30 units are one bond of 1.53 Å; the midpoint (15, 1.5) rounds to
  // (15, 2).
  EXPECT_EQ(canvas.calls[1].substr(0, 20), "text 15,2 \" 1.538\u00C5\"");
  EXPECT_EQ(canvas.pen().style, tpenstyle::solid);
}

}  // namespace
}  // namespace molvane
