// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/picture_export.h"

#include "document/symbol.h"
#include "io/atomic_file.h"
#include "qt/qt_canvas.h"
#include "render/drawing_extent.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace molvane {
namespace {

class PictureExport : public testing::tdrawingtest {
 protected:
  /// A benzene ring of radius 30 round (cx, cy) with alternating double
  /// bonds.
  void benzene(double cx, double cy) {
    std::vector<tatm*> corners;
    for (int i = 0; i < 6; ++i) {
      const double angle = i * std::numbers::pi / 3.0;
      corners.push_back(
          atom(6, cx + 30.0 * std::sin(angle), cy - 30.0 * std::cos(angle)));
    }
    for (int i = 0; i < 6; ++i) {
      bond(corners[static_cast<std::size_t>(i)],
           corners[static_cast<std::size_t>((i + 1) % 6)], i % 2 == 0 ? 4 : 2);
    }
  }

  /// Where the page pixel (x, y) lands in a cropped picture.
  std::pair<int, int> inpicture(int x, int y, const tpictureoptions& options) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    tqtcanvas canvas(painter, options.antialiased);
    const std::optional<tbox> box =
        drawingextent(drawing(), canvas, options.margin);
    return {x - box->left, y - box->top};
  }

  std::vector<std::uint8_t> read(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(readwholefile(path, bytes, 1 << 26), "");
    return bytes;
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
  benzene(100, 100);
  const std::filesystem::path path = folder.path() / "benzene.png";
  const tpictureoptions options;
  ASSERT_EQ(exportpicture(drawing(), path, options), "");
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(path.string()), "PNG"));
  // The ring's corners reach from (74, 70) to (126, 130); the margin adds
  // 4 pixels round them.
  EXPECT_EQ(image.width(), 126 - 74 + 1 + 8);
  EXPECT_EQ(image.height(), 130 - 70 + 1 + 8);
  // The single bond on the right runs down x = 126; the double bond on the
  // left down x = 74 with its second line at x = 80.
  const auto [x, y] = inpicture(126, 100, options);
  EXPECT_TRUE(dark(image, x, y));
  EXPECT_TRUE(white(image, x - 3, y));
  const auto [lx, ly] = inpicture(74, 100, options);
  EXPECT_TRUE(dark(image, lx, ly));
  EXPECT_TRUE(white(image, lx + 3, ly));
  EXPECT_TRUE(dark(image, lx + 6, ly));
  const auto [cx, cy] = inpicture(100, 100, options);
  EXPECT_TRUE(white(image, cx, cy));
  EXPECT_TRUE(white(image, 0, 0));
  EXPECT_TRUE(white(image, image.width() - 1, image.height() - 1));
}

TEST_F(PictureExport, SmoothsOnlyWhenAskedTo) {
  benzene(100, 100);
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

TEST_F(PictureExport, WritesAJpegThatReadsBackAtItsSize) {
  benzene(100, 100);
  const std::filesystem::path path = folder.path() / "benzene.JPG";
  ASSERT_EQ(exportpicture(drawing(), path), "");
  const std::vector<std::uint8_t> bytes = read(path);
  ASSERT_GT(bytes.size(), 100U);
  EXPECT_EQ(std::vector(bytes.begin(), bytes.begin() + 3),
            (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF}));
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(path.string()), "JPG"));
  EXPECT_EQ(image.size(), QSize(61, 69));
}

TEST_F(PictureExport, WritesBmpAndSvgFilesThatParse) {
  benzene(100, 100);
  placesymbol(drawing(), 728, 200, 100);
  const std::filesystem::path bmp = folder.path() / "benzene.bmp";
  ASSERT_EQ(exportpicture(drawing(), bmp), "");
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(bmp.string()), "BMP"));
  EXPECT_GT(image.width(), 100);

  const std::filesystem::path svg = folder.path() / "benzene.svg";
  ASSERT_EQ(exportpicture(drawing(), svg), "");
  const std::vector<std::uint8_t> bytes = read(svg);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_TRUE(text.find("<path") != std::string::npos ||
              text.find("<line") != std::string::npos ||
              text.find("<polyline") != std::string::npos);
  QSvgRenderer renderer(QString::fromStdString(svg.string()));
  EXPECT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox().size(), image.size());
}

TEST_F(PictureExport, CropsToWhatAWindowShows) {
  benzene(100, 100);
  tpictureoptions options;
  options.windowwidth = 110;
  options.windowheight = 500;
  std::string error;
  const QImage cut = paintpicture(drawing(), options, error);
  EXPECT_EQ(cut.width(), 110 - 70);
  options.windowwidth = 50;
  options.windowheight = 50;
  EXPECT_TRUE(paintpicture(drawing(), options, error).isNull());
  EXPECT_EQ(error, "the drawing lies outside the window");
}

TEST_F(PictureExport, RefusesEmptyHugeAndUnknownPictures) {
  const std::filesystem::path path = folder.path() / "empty.png";
  EXPECT_EQ(exportpicture(drawing(), path),
            "\"" + path.string() + "\": the drawing is empty");
  EXPECT_FALSE(std::filesystem::exists(path));

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
  EXPECT_EQ(pictureformatof("a.Jpeg"), tpictureformat::jpeg);
  EXPECT_EQ(pictureformatof("dir.png/a.SVG"), tpictureformat::svg);
  EXPECT_FALSE(pictureformatof("png").has_value());
}

}  // namespace
}  // namespace molvane
