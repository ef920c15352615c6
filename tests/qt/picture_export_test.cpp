// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/picture_export.h"

#include "qt/qt_canvas.h"
#include "render/drawing_extent.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <string>

namespace molvane {
namespace {

class PictureExport : public testing::tdrawingtest {
 protected:
  /// Where the page pixel (x, y) lands in a cropped picture.
  std::pair<int, int> inpicture(int x, int y, const tpictureoptions& options) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    tqtcanvas canvas(painter, options.antialiased);
    const std::optional<tbox> box =
        drawingextent(drawing(), canvas, options.margin);
    return {x - box->left, y - box->top};
  }

  testing::ttemporaryfolder folder;
};

bool dark(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y)) < 100;
}

bool white(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y)) > 250;
}

TEST_F(PictureExport, PaintsBenzeneIntoAPngCroppedToTheRing) {
  benzene(100, 100, false);
  const std::filesystem::path path = folder.path() / "benzene.png";
  const tpictureoptions options;
  ASSERT_EQ(exportpicture(drawing(), path, options), "");
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(path.string()), "PNG"));
  // The ring's corners reach from (70, 74) to (130, 126); the margin adds
  // 4 pixels round them.
  EXPECT_EQ(image.size(), QSize(130 - 70 + 1 + 8, 126 - 74 + 1 + 8));
  // The single bond at the bottom runs along y = 126; the double bond at
  // the top along y = 74 with its second line at y = 80.
  const auto [x, y] = inpicture(100, 126, options);
  EXPECT_TRUE(dark(image, x, y) && white(image, x, y - 3));
  const auto [tx, ty] = inpicture(100, 74, options);
  EXPECT_TRUE(dark(image, tx, ty) && white(image, tx, ty + 3) &&
              dark(image, tx, ty + 6));
  EXPECT_TRUE(white(image, 0, 0));
}

TEST_F(PictureExport, WritesJpegAndBmpOfTheSameSize) {
  benzene(100, 100, false);
  for (const char* name : {"benzene.JPG", "benzene.bmp"}) {
    SCOPED_TRACE(name);
    const std::filesystem::path path = folder.path() / name;
    ASSERT_EQ(exportpicture(drawing(), path), "");
    QImage image;
    const QByteArray format = QByteArray(name).split('.').back();
    ASSERT_TRUE(image.load(QString::fromStdString(path.string()), format));
    EXPECT_EQ(image.size(), QSize(69, 61));
  }
}

/// Pixels of image for which counts is true.
template <typename tcondition>
int countpixels(const QImage& image, tcondition counts) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += counts(QColor(image.pixel(x, y))) ? 1 : 0;
    }
  }
  return count;
}

/// The box of the pixels that are not white.
QRect inkbox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 250) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

TEST_F(PictureExport, SmoothsOnlyWhenAskedTo) {
  benzene(100, 100, false);
  tpictureoptions options;
  std::string error;
  const auto grey = [](const QColor& c) {
    return qGray(c.rgb()) > 0 && qGray(c.rgb()) < 255;
  };
  EXPECT_EQ(countpixels(paintpicture(drawing(), options, error), grey), 0);
  options.antialiased = true;
  EXPECT_GT(countpixels(paintpicture(drawing(), options, error), grey), 0);
}

TEST_F(PictureExport, CropsToWhatAWindowShows) {
  benzene(100, 100, false);
  tpictureoptions options;
  options.windowwidth = 110;
  options.windowheight = 500;
  std::string error;
  EXPECT_EQ(paintpicture(drawing(), options, error).width(), 110 - 66);
  options.windowwidth = 50;
  options.windowheight = 50;
  EXPECT_TRUE(paintpicture(drawing(), options, error).isNull());
  EXPECT_EQ(error, "the drawing lies outside the window");
}

TEST_F(PictureExport, RefusesEmptyHugeAndUnknownPictures) {
  const std::filesystem::path path = folder.path() / "empty.png";
  EXPECT_EQ(exportpicture(drawing(), path),
            "\"" + path.string() + "\": the drawing is empty");

  atom(6, 0, 0);
  atom(6, 1.0e6, 0);
  EXPECT_EQ(exportpicture(drawing(), path),
            "\"" + path.string() +
                "\": the picture would be larger than 16384 pixels across");
  EXPECT_EQ(exportpicture(drawing(), folder.path() / "picture.gif"),
            "\"" + (folder.path() / "picture.gif").string() +
                "\": not a picture file name");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  // The extension counts in any case, the folder's name not at all.
  EXPECT_EQ(pictureformatof("dir.png/a.Jpeg"), tpictureformat::jpeg);
  EXPECT_FALSE(pictureformatof("png").has_value());
}

TEST_F(PictureExport, SizesFollowWidthHeightScaleAndResolution) {
  benzene(100, 100, false);
  struct trow {
    int fitwidth = 0;
    int fitheight = 0;
    double scale = 1.0;
    int dpi = 0;
    QSize size;
  };
  // The ring's picture is 69 by 61 pixels at its own size.
  const trow table[] = {
      {0, 0, 1.0, 0, QSize(69, 61)},       {690, 0, 1.0, 0, QSize(690, 610)},
      {0, 122, 1.0, 0, QSize(138, 122)},   {690, 61, 1.0, 0, QSize(69, 61)},
      {100, 100, 1.0, 0, QSize(100, 88)},  {0, 0, 3.0, 0, QSize(207, 183)},
      {0, 0, 0.5, 0, QSize(35, 31)},       {0, 0, 1.0, 300, QSize(216, 191)},
      {138, 0, 1.0, 300, QSize(138, 122)},
  };
  std::string error;
  for (const trow& row : table) {
    SCOPED_TRACE(::testing::Message() << row.fitwidth << " " << row.fitheight
                                      << " " << row.scale << " " << row.dpi);
    tpictureoptions options;
    options.fitwidth = row.fitwidth;
    options.fitheight = row.fitheight;
    options.scale = row.scale;
    options.dpi = row.dpi;
    const std::filesystem::path png = folder.path() / "sized.png";
    ASSERT_EQ(exportpicture(drawing(), png, options), "");
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png.string()), "PNG"));
    EXPECT_EQ(image.size(), row.size);
    // 300 dots per inch are 11811 per metre.
    EXPECT_EQ(image.dotsPerMeterX(), row.dpi == 300 ? 11811 : 3780);
    const std::filesystem::path svg = folder.path() / "sized.svg";
    ASSERT_EQ(exportpicture(drawing(), svg, options), "");
    QSvgRenderer renderer(QString::fromStdString(svg.string()));
    EXPECT_EQ(renderer.viewBox().size(), row.size);
  }
}

TEST_F(PictureExport, ScalingThickensLinesAndKeepsSvgText) {
  benzene(100, 100, false);
  atom(8, 100, 40, 0, 1);
  tpictureoptions options;
  std::string error;
  const auto dark = [](const QColor& c) { return qGray(c.rgb()) < 128; };
  const int plain = countpixels(paintpicture(drawing(), options, error), dark);
  options.scale = 3.0;
  const int scaled = countpixels(paintpicture(drawing(), options, error), dark);
  // Three times as long and three times as wide; lines of the old width
  // would give only three times the ink.
  EXPECT_GT(scaled, 7 * plain);
  const std::filesystem::path svg = folder.path() / "scaled.svg";
  ASSERT_EQ(exportpicture(drawing(), svg, options), "");
  QFile file(QString::fromStdString(svg.string()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains(">O</text>"));
}

TEST_F(PictureExport, ColoursHeteroatomLabelsOnlyWhenAsked) {
  atom(7, 100, 100, 0, 1);
  atom(8, 160, 100, 0, 1);
  atom(6, 220, 100, 0, 1);
  tpictureoptions options;
  std::string error;
  const auto blue = [](const QColor& c) { return c.blue() > c.red() + 80; };
  const auto red = [](const QColor& c) { return c.red() > c.blue() + 80; };
  const QImage plain = paintpicture(drawing(), options, error);
  EXPECT_EQ(countpixels(plain, blue) + countpixels(plain, red), 0);
  options.colourbyelement = true;
  const QImage coloured = paintpicture(drawing(), options, error);
  EXPECT_GT(countpixels(coloured, blue), 5);
  EXPECT_GT(countpixels(coloured, red), 5);
  // The carbon's label, in the right third, stays black.
  const QImage carbon = coloured.copy(coloured.width() * 2 / 3, 0,
                                      coloured.width() / 3, coloured.height());
  EXPECT_EQ(countpixels(carbon, blue) + countpixels(carbon, red), 0);
}

TEST_F(PictureExport, PagesShowTheDrawingEnlargedWithinTheArea) {
  benzene(100, 100, false);
  const auto painted = [this](double factor, int side) {
    QImage page(400, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    const tpictureoptions options;
    EXPECT_EQ(paintinarea(painter, drawing(), QRect(10, 10, side, side), factor,
                          options),
              "");
    return inkbox(page);
  };
  // At twice the resolution the lines are twice as long.
  const QRect screen = painted(1.0, 380);
  const QRect doubled = painted(2.0, 380);
  EXPECT_NEAR(doubled.width(), 2 * screen.width(), 2);
  EXPECT_NEAR(doubled.height(), 2 * screen.height(), 2);
  // The margin of 4 pixels, enlarged, lies between the area and the ink.
  EXPECT_NEAR(doubled.left(), 10 + 8, 1);
  const QRect small = painted(10.0, 50);
  EXPECT_TRUE(QRect(10, 10, 50, 50).contains(small)) << small.width();
  EXPECT_GT(small.width(), 40);

  tdrawing empty;
  QImage page(10, 10, QImage::Format_RGB32);
  QPainter painter(&page);
  EXPECT_EQ(paintinarea(painter, empty, page.rect(), 1.0, {}),
            "the drawing is empty");
}

}  // namespace
}  // namespace molvane
