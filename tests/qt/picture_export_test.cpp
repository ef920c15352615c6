// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/picture_export.h"

#include "qt/qt_canvas.h"
#include "render/drawing_extent.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

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

TEST_F(PictureExport, WritesJpegBmpAndSvgOfTheSameSize) {
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
  const std::filesystem::path svg = folder.path() / "benzene.svg";
  ASSERT_EQ(exportpicture(drawing(), svg), "");
  QSvgRenderer renderer(QString::fromStdString(svg.string()));
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox().size(), QSize(69, 61));
}

TEST_F(PictureExport, SmoothsOnlyWhenAskedTo) {
  benzene(100, 100, false);
  tpictureoptions options;
  std::string error;
  const auto greys = [](const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const int grey = qGray(image.pixel(x, y));
        count += grey > 0 && grey < 255 ? 1 : 0;
      }
    }
    return count;
  };
  EXPECT_EQ(greys(paintpicture(drawing(), options, error)), 0);
  options.antialiased = true;
  EXPECT_GT(greys(paintpicture(drawing(), options, error)), 0);
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
}

TEST(PictureFormat, FollowsTheExtensionInAnyCase) {
  EXPECT_EQ(pictureformatof("dir.png/a.Jpeg"), tpictureformat::jpeg);
  EXPECT_FALSE(pictureformatof("png").has_value());
}

}  // namespace
}  // namespace molvane
