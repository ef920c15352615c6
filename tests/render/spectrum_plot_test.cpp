// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/spectrum_plot.h"

#include "testing/recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace molvane {
namespace {

using testing::trecordingcanvas;

const std::string pen = " pen=solid/1/000000";

// A 400 x 300 area keeps 320 x 220 pixels between the 40-pixel margins.
TEST(SpectrumPlot, PlacesCarbonSticksOnAnAxisOfWholeTens) {
  trecordingcanvas canvas;
  TSpecPlot plot(400, 300, 0.0, 1.0);
  // Shifts between 0 and 200 keep the axis at -10 to 210 ppm. Worked by
  // hand: x = s * -320/220 + 76000/220; c = 260/220; the strongest stick
  // is 220 + c high.
  const std::vector<tspectrumline> lines{
      {20.0, 1.987}, {128.5, 1.987 * std::sqrt(2.0)}, {200.0, 0.25}};
  plot.draw(canvas, lines, 0.0, 200.0);
  EXPECT_EQ(plot.axislow(), -10.0);
  EXPECT_EQ(plot.axishigh(), 210.0);
  EXPECT_EQ(plot.xof(210.0), 40);
  EXPECT_EQ(plot.xof(-10.0), 360);

  const std::vector<std::string> drawn = canvas.callsof("line");
  ASSERT_EQ(drawn.size(), 2u + 10u + 22u + 3u);
  EXPECT_EQ(drawn[0], "line 40,260 360,260" + pen);
  EXPECT_EQ(drawn[1], "line 40,40 40,260" + pen);
  EXPECT_EQ(drawn[2], "line 40,40 45,40" + pen);
  EXPECT_EQ(drawn[12], "line 55,260 55,265" + pen);
  EXPECT_EQ(drawn[34], "line 316,260 316,103" + pen);
  EXPECT_EQ(drawn[35], "line 159,260 159,39" + pen);
  EXPECT_EQ(drawn[36], "line 55,260 55,239" + pen);

  const std::vector<std::string> texts = canvas.callsof("text");
  ASSERT_EQ(texts.size(), 10u + 22u + 1u);
  const std::string font = " font=-11/400 colour=000000 transparent";
  EXPECT_EQ(texts[0], "text 20,33 \"1.0\" left/top" + font);
  EXPECT_EQ(texts[10], "text 55,270 \"200\" centre/top" + font);
  EXPECT_EQ(texts[31], "text 360,270 \"-10\" centre/top" + font);
  EXPECT_EQ(texts[32], "text 200,284 \"Shifts in ppm\" centre/top" + font);
  EXPECT_EQ(canvas.textformat(), ttextformat{});
}

TEST(SpectrumPlot, WidensTheAxisToTakeEveryShift) {
  struct trow {
    double shift;
    double low;
    double high;
  };
  // From 0 to 10 ppm (the proton start): rounded, cut toward zero to tens,
  // and one ten of room on each side.
  const std::vector<trow> table{{5.0, -10.0, 20.0},    {14.6, -10.0, 20.0},
                                {-3.0, -10.0, 20.0},   {-15.0, -20.0, 20.0},
                                {215.0, -10.0, 220.0}, {-0.4, -10.0, 20.0},
                                {19.6, -10.0, 30.0}};
  for (const trow& row : table) {
    SCOPED_TRACE(row.shift);
    trecordingcanvas canvas;
    TSpecPlot plot(400, 300, 0.0, 0.1);
    const std::vector<tspectrumline> lines{{row.shift, 1.0}};
    plot.draw(canvas, lines, 0.0, 10.0);
    EXPECT_EQ(plot.axislow(), row.low);
    EXPECT_EQ(plot.axishigh(), row.high);
    EXPECT_EQ(plot.xof(row.high), 40);
    EXPECT_EQ(plot.xof(row.low), 360);
  }
}

TEST(SpectrumPlot, FitsTheAxisToTheShiftsWithRoundTicks) {
  struct trow {
    std::vector<tspectrumline> lines;
    double low;
    double high;
    double step;
    std::string firstlabel;
  };
  // Protons of an alcohol, carbons, one line, and two lines 0.3 ppm apart.
  const std::vector<trow> table{
      {{{0.9, 1.0}, {1.3, 2.0}, {3.6, 1.0}, {5.3, 0.5}}, 0.0, 6.0, 1.0, "5"},
      {{{14.0, 1.0}, {128.0, 1.0}, {172.0, 1.0}}, 0.0, 200.0, 20.0, "180"},
      {{{7.26, 1.0}}, 7.0, 7.4, 0.2, "7.2"},
      {{{2.0, 1.0}, {2.3, 1.0}}, 1.8, 2.4, 0.2, "2.2"},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.lines.front().shift);
    trecordingcanvas canvas;
    TSpecPlot plot(400, 300, 0.0, 0.1);
    plot.fitshifts();
    // The nucleus's usual range does not widen a fitted axis.
    plot.draw(canvas, row.lines, -10.0, 20.0);
    EXPECT_NEAR(plot.tickstep(), row.step, 1e-9);
    EXPECT_NEAR(plot.axislow(), row.low, 1e-9);
    EXPECT_NEAR(plot.axishigh(), row.high, 1e-9);
    for (const tspectrumline& line : row.lines) {
      EXPECT_GT(plot.xof(line.shift), 40);
      EXPECT_LT(plot.xof(line.shift), 360);
    }
    const std::vector<std::string> texts = canvas.callsof("text");
    ASSERT_GE(texts.size(), 10u + 2u + 1u);
    EXPECT_NE(texts[10].find("\"" + row.firstlabel + "\""), std::string::npos)
        << texts[10];
  }
}

TEST(SpectrumPlot, DrawsNoSticksItCannotScale) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct trow {
    const char* name;
    int width;
    int height;
    std::vector<tspectrumline> lines;
    std::size_t calls;
  };
  // Axes alone are 2 lines, 10 + 3 ticks and 14 texts for 0 to 10 ppm.
  const std::vector<trow> table{
      {"no lines", 400, 300, {}, 29},
      {"only zero intensities", 400, 300, {{5.0, 0.0}}, 29},
      {"a shift that is not a number", 400, 300, {{nan, 1.0}, {5.0, 1.0}}, 30},
      {"an area no wider than its margins", 80, 300, {{5.0, 1.0}}, 0},
      {"an area no taller than its margins", 400, 80, {{5.0, 1.0}}, 0},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.name);
    trecordingcanvas canvas;
    TSpecPlot plot(row.width, row.height, 0.0, 0.1);
    plot.draw(canvas, row.lines, 0.0, 10.0);
    EXPECT_EQ(canvas.calls.size(), row.calls);
  }
}

}  // namespace
}  // namespace molvane
