// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <memory>

namespace molvane {
namespace {

/// A small white image with a non-antialiased canvas over it.
class QtCanvas : public ::testing::Test {
 protected:
  QtCanvas() : image(40, 30, QImage::Format_RGB32) {
    image.fill(Qt::white);
    painter = std::make_unique<QPainter>(&image);
    canvas = std::make_unique<tqtcanvas>(*painter, false);
  }

  /// Ends painting so that the pixels can be read.
  void finish() {
    canvas.reset();
    painter.reset();
  }

  bool dark(int x, int y) const { return qGray(image.pixel(x, y)) < 100; }
  /// Dark within a pixel of (x, y): curves may land a pixel either way.
  bool darknear(int x, int y) const {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (dark(x + dx, y + dy)) {
          return true;
        }
      }
    }
    return false;
  }
  bool white(int x, int y) const {
    return image.pixel(x, y) == qRgb(255, 255, 255);
  }

  QImage image;
  std::unique_ptr<QPainter> painter;
  std::unique_ptr<tqtcanvas> canvas;
};

TEST(QtColour, ReadsModelColoursAsBlueGreenRed) {
  EXPECT_EQ(qtcolourof(0x7755CC), QColor(0xCC, 0x55, 0x77));
  // The top byte is not part of the colour.
  EXPECT_EQ(qtcolourof(0xFF00FF00), QColor(0, 255, 0));
}

TEST_F(QtCanvas, LeavesOutTheEndPixelOfAThinLine) {
  canvas->line(2, 5, 8, 5);
  canvas->line(5, 10, 5, 20);
  finish();
  EXPECT_TRUE(dark(2, 5) && dark(7, 5) && white(8, 5) && white(2, 4));
  EXPECT_TRUE(dark(5, 19) && white(5, 20));
}

TEST_F(QtCanvas, PaintsOnlyPureColoursWithoutAntialiasing) {
  setpen(*canvas, tpenstyle::solid, 1, 0x0000FF);
  canvas->line(0, 0, 39, 17);
  setbrush(*canvas, tbrushstyle::solid, 0x0000FF);
  const tpoint triangle[] = {{5, 25}, {30, 20}, {33, 29}};
  canvas->polygon(triangle);
  canvas->ellipse(20, 2, 35, 14);
  finish();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      ASSERT_TRUE(pixel == qRgb(255, 255, 255) || pixel == qRgb(255, 0, 0))
          << x << "," << y;
    }
  }
  EXPECT_EQ(image.pixel(25, 24), qRgb(255, 0, 0));
}

TEST_F(QtCanvas, DotsADottedLineAndClearsNothingWithAClearPen) {
  setpen(*canvas, tpenstyle::dotted, 1, 0);
  canvas->line(0, 3, 30, 3);
  canvas->setpenstyle(tpenstyle::clear);
  canvas->line(0, 8, 30, 8);
  finish();
  int darkpixels = 0;
  for (int x = 0; x < 30; ++x) {
    darkpixels += dark(x, 3) ? 1 : 0;
    EXPECT_TRUE(white(x, 8));
  }
  EXPECT_GT(darkpixels, 8);
  EXPECT_LT(darkpixels, 22);
}

TEST_F(QtCanvas, FillsABoxWithoutOutlineAndOutlinesInsideTheBox) {
  canvas->setpenstyle(tpenstyle::clear);
  setbrush(*canvas, tbrushstyle::solid, 0);
  canvas->rectangle(2, 2, 6, 6);
  canvas->setpenstyle(tpenstyle::solid);
  resetbrush(*canvas);
  canvas->rectangle(10, 2, 16, 8);
  finish();
  EXPECT_TRUE(dark(2, 2) && dark(5, 5) && white(6, 6));
  EXPECT_TRUE(dark(10, 2) && dark(15, 7) && white(16, 8) && white(12, 5));
}

TEST_F(QtCanvas, AnchorsTextAndPaintsAnOpaqueBackground) {
  image.fill(Qt::black);
  canvas->setfontcolour(0);
  const int width = canvas->textwidth("H");
  const int height = canvas->textheight("H");
  ASSERT_GT(width * height, 0);
  canvas->settextalign(thorizontalalign::right, tverticalalign::top);
  canvas->textout(20, 5, "H");
  finish();
  // The white background box ends just left of x = 20 and starts at y = 5.
  EXPECT_TRUE(white(20 - width, 5) && white(19, 5 + height - 1));
  EXPECT_TRUE(dark(20, 5) && dark(20 - width - 1, 5) && dark(19, 4));
}

TEST_F(QtCanvas, DrawsAQuarterArcCounterClockwiseFromStartToEnd) {
  // The circle round (20, 15) with radius 10: from its bottom to its right.
  canvas->arc(10, 5, 31, 26, 20, 25, 30, 15);
  finish();
  EXPECT_TRUE(darknear(27, 22) && darknear(20, 25) && darknear(30, 15));
  // The other three quarters stay empty.
  EXPECT_FALSE(darknear(13, 8) || darknear(27, 8) || darknear(13, 22));
}

}  // namespace
}  // namespace molvane
