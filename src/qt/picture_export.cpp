// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/picture_export.h"

#include "document/drawing.h"
#include "qt/jpeg_writer.h"
#include "qt/qt_canvas.h"
#include "qt/text_conversion.h"
#include "render/drawing_extent.h"
#include "render/paint_drawing.h"
#include "support/atomic_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPainter>
#include <QRect>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace molvane {

namespace {

constexpr double inchesinmetre = 0.0254;

std::string quoted(const std::filesystem::path& path) {
  return "\"" + path.string() + "\"";
}

std::string lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(std::tolower(c));
  });
  return text;
}

/// The box of the drawing in page pixels, measured with the fonts the
/// pictures use. Sets error when there is none.
std::optional<tbox> pagebox(tdrawing& drawing, const tpictureoptions& options,
                            std::string& error) {
  if (QGuiApplication::instance() == nullptr) {
    error = "pictures need the graphical environment for their fonts";
    return std::nullopt;
  }
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  tqtcanvas canvas(painter, options.antialiased);
  std::optional<tbox> box =
      drawingextent(drawing, canvas, std::max(options.margin, 0));
  if (!box) {
    error = "the drawing is empty";
    return std::nullopt;
  }
  if (const std::optional<tbox> notes =
          notesbox(drawing, canvas, options.notes)) {
    const int margin = std::max(options.margin, 0);
    box->include({notes->left - margin, notes->top - margin,
                  notes->right + margin, notes->bottom + margin});
  }
  if (options.windowwidth > 0 && options.windowheight > 0) {
    box->left = std::max(box->left, 0);
    box->top = std::max(box->top, 0);
    box->right = std::min(box->right, options.windowwidth - 1);
    box->bottom = std::min(box->bottom, options.windowheight - 1);
    if (box->right < box->left || box->bottom < box->top) {
      error = "the drawing lies outside the window";
      return std::nullopt;
    }
  }
  return box;
}

/// Where the drawing goes in a picture: its box in page pixels, the
/// enlargement and the picture's size in pixels.
struct tpicturelayout {
  tbox box;
  double factor = 1.0;
  int width = 0;
  int height = 0;
};

/// Sides of the box in pixels, as wide as a file may make them.
double boxwidth(const tbox& box) {
  return static_cast<double>(box.right) - box.left + 1.0;
}

double boxheight(const tbox& box) {
  return static_cast<double>(box.bottom) - box.top + 1.0;
}

/// The enlargement that fits the box inside width by height pixels.
double fitfactor(const tbox& box, double width, double height) {
  return std::min(width / boxwidth(box), height / boxheight(box));
}

double enlargement(const tbox& box, const tpictureoptions& options) {
  if (options.fitwidth > 0 || options.fitheight > 0) {
    const double unbounded = std::numeric_limits<double>::max();
    return fitfactor(box, options.fitwidth > 0 ? options.fitwidth : unbounded,
                     options.fitheight > 0 ? options.fitheight : unbounded);
  }
  double factor = options.scale > 0.0 ? options.scale : 1.0;
  if (options.dpi > 0) {
    factor *= options.dpi / static_cast<double>(screendpi);
  }
  return factor;
}

/// One side of the picture: at least a pixel, and never past the side it
/// was fitted to.
long long scaledside(double pixels, double factor, int fitted) {
  long long side = std::llround(std::min(pixels * factor, 1.0e12));
  if (fitted > 0) {
    side = std::min<long long>(side, fitted);
  }
  return std::max<long long>(side, 1);
}

std::optional<tpicturelayout> picturelayout(tdrawing& drawing,
                                            const tpictureoptions& options,
                                            std::string& error) {
  const std::optional<tbox> box = pagebox(drawing, options, error);
  if (!box) {
    return std::nullopt;
  }
  tpicturelayout layout;
  layout.box = *box;
  layout.factor = enlargement(*box, options);
  // The box's corners come from the drawing's coordinates, which a file
  // may make as large as it likes.
  const long long width =
      scaledside(boxwidth(*box), layout.factor, options.fitwidth);
  const long long height =
      scaledside(boxheight(*box), layout.factor, options.fitheight);
  if (width > largestpicture || height > largestpicture) {
    error = "the picture would be larger than " +
            std::to_string(largestpicture) + " pixels across";
    return std::nullopt;
  }
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);
  return layout;
}

void paintonto(QPainter& painter, tdrawing& drawing,
               const tpicturelayout& layout, const tpictureoptions& options) {
  if (options.antialiased) {
    // Smoothed lines one pixel wide sit on pixel centres; at whole
    // coordinates they would smear over two rows of grey.
    painter.translate(0.5, 0.5);
  }
  painter.scale(layout.factor, layout.factor);
  painter.translate(-layout.box.left, -layout.box.top);
  tqtcanvas canvas(painter, options.antialiased);
  tpaintoptions paint;
  paint.notes = options.notes;
  paint.colourbyelement = options.colourbyelement;
  paintdrawing(drawing, canvas, paint);
}

std::span<const std::uint8_t> bytesof(const QByteArray& array) {
  return {reinterpret_cast<const std::uint8_t*>(array.constData()),
          static_cast<std::size_t>(array.size())};
}

QByteArray encodesvg(tdrawing& drawing, const tpictureoptions& options,
                     std::string& error) {
  const std::optional<tpicturelayout> layout =
      picturelayout(drawing, options, error);
  if (!layout) {
    return {};
  }
  const QRect picture(0, 0, layout->width, layout->height);
  QByteArray svg;
  QBuffer buffer(&svg);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(picture.size());
  // The file gives its size in millimetres; at 96 dots per inch viewers
  // turn them back into the picture's pixels.
  generator.setResolution(screendpi);
  generator.setViewBox(picture);
  generator.setTitle(qtstring(drawing.title()));
  {
    QPainter painter(&generator);
    painter.fillRect(picture, Qt::white);
    paintonto(painter, drawing, *layout, options);
  }
  return svg;
}

}  // namespace

std::optional<tpictureformat> pictureformatof(
    const std::filesystem::path& path) {
  const std::string extension = lowercase(path.extension().string());
  if (extension == ".bmp") {
    return tpictureformat::bmp;
  }
  if (extension == ".jpg" || extension == ".jpeg") {
    return tpictureformat::jpeg;
  }
  if (extension == ".png") {
    return tpictureformat::png;
  }
  if (extension == ".svg") {
    return tpictureformat::svg;
  }
  return std::nullopt;
}

QImage paintpicture(tdrawing& drawing, const tpictureoptions& options,
                    std::string& error) {
  const std::optional<tpicturelayout> layout =
      picturelayout(drawing, options, error);
  if (!layout) {
    return {};
  }
  QImage image(layout->width, layout->height, QImage::Format_RGB32);
  image.fill(Qt::white);
  if (options.dpi > 0) {
    const int dotspermetre =
        static_cast<int>(std::lround(options.dpi / inchesinmetre));
    image.setDotsPerMeterX(dotspermetre);
    image.setDotsPerMeterY(dotspermetre);
  }
  QPainter painter(&image);
  paintonto(painter, drawing, *layout, options);
  return image;
}

std::string paintinarea(QPainter& painter, tdrawing& drawing, const QRect& area,
                        double largestfactor, const tpictureoptions& options) {
  std::string error;
  const std::optional<tbox> box = pagebox(drawing, options, error);
  if (!box) {
    return error;
  }
  tpicturelayout layout;
  layout.box = *box;
  layout.factor = std::min(
      largestfactor,
      fitfactor(*box, std::max(area.width(), 1), std::max(area.height(), 1)));
  painter.save();
  painter.translate(area.topLeft());
  paintonto(painter, drawing, layout, options);
  painter.restore();
  return "";
}

QByteArray encodepicture(tdrawing& drawing, tpictureformat format,
                         const tpictureoptions& options, std::string& error) {
  if (format == tpictureformat::svg) {
    return encodesvg(drawing, options, error);
  }
  const QImage image = paintpicture(drawing, options, error);
  if (image.isNull()) {
    return {};
  }
  if (format == tpictureformat::jpeg) {
    const std::vector<std::uint8_t> jpeg =
        encodejpeg(image, options.jpegquality, error);
    return QByteArray(reinterpret_cast<const char*>(jpeg.data()),
                      static_cast<qsizetype>(jpeg.size()));
  }
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  const char* kind = format == tpictureformat::bmp ? "BMP" : "PNG";
  if (!image.save(&buffer, kind)) {
    error = std::string("the ") + kind + " picture could not be encoded";
    return {};
  }
  return encoded;
}

std::string exportpicture(tdrawing& drawing, const std::filesystem::path& path,
                          const tpictureoptions& options) {
  const std::optional<tpictureformat> format = pictureformatof(path);
  if (!format) {
    return quoted(path) + ": not a picture file name";
  }
  std::string error;
  const QByteArray encoded = encodepicture(drawing, *format, options, error);
  if (encoded.isEmpty()) {
    return quoted(path) + ": " + error;
  }
  return writefileatomically(path, bytesof(encoded));
}

}  // namespace molvane
