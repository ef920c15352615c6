// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/picture_export.h"

#include "document/drawing.h"
#include "io/atomic_file.h"
#include "qt/jpeg_writer.h"
#include "qt/qt_canvas.h"
#include "qt/text_conversion.h"
#include "render/drawing_extent.h"
#include "render/paint_drawing.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPainter>
#include <QRect>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <span>
#include <vector>

namespace molvane {

namespace {

constexpr int svgresolution = 96;

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
/// pictures use. Sets error when there is none or it is too large.
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
  // The box's corners come from the drawing's coordinates, which a file
  // may make as large as it likes.
  const long long width = static_cast<long long>(box->right) - box->left + 1;
  const long long height = static_cast<long long>(box->bottom) - box->top + 1;
  if (width > largestpicture || height > largestpicture) {
    error = "the picture would be larger than " +
            std::to_string(largestpicture) + " pixels across";
    return std::nullopt;
  }
  return box;
}

void paintonto(QPainter& painter, tdrawing& drawing, const tbox& box,
               const tpictureoptions& options) {
  painter.translate(-box.left, -box.top);
  if (options.antialiased) {
    // Smoothed lines one pixel wide sit on pixel centres; at whole
    // coordinates they would smear over two rows of grey.
    painter.translate(0.5, 0.5);
  }
  tqtcanvas canvas(painter, options.antialiased);
  tpaintoptions paint;
  paint.notes = options.notes;
  paintdrawing(drawing, canvas, paint);
}

std::span<const std::uint8_t> bytesof(const QByteArray& array) {
  return {reinterpret_cast<const std::uint8_t*>(array.constData()),
          static_cast<std::size_t>(array.size())};
}

std::string writesvg(tdrawing& drawing, const std::filesystem::path& path,
                     const tpictureoptions& options) {
  std::string error;
  const std::optional<tbox> box = pagebox(drawing, options, error);
  if (!box) {
    return quoted(path) + ": " + error;
  }
  QByteArray svg;
  QBuffer buffer(&svg);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(box->width(), box->height()));
  // The file gives its size in millimetres; at 96 dots per inch viewers
  // turn them back into the picture's pixels.
  generator.setResolution(svgresolution);
  generator.setViewBox(QRect(0, 0, box->width(), box->height()));
  generator.setTitle(qtstring(drawing.title()));
  {
    QPainter painter(&generator);
    painter.fillRect(QRect(0, 0, box->width(), box->height()), Qt::white);
    paintonto(painter, drawing, *box, options);
  }
  return writefileatomically(path, bytesof(svg));
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
  const std::optional<tbox> box = pagebox(drawing, options, error);
  if (!box) {
    return {};
  }
  QImage image(box->width(), box->height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintonto(painter, drawing, *box, options);
  return image;
}

std::string exportpicture(tdrawing& drawing, const std::filesystem::path& path,
                          const tpictureoptions& options) {
  const std::optional<tpictureformat> format = pictureformatof(path);
  if (!format) {
    return quoted(path) + ": not a picture file name";
  }
  if (*format == tpictureformat::svg) {
    return writesvg(drawing, path, options);
  }
  std::string error;
  const QImage image = paintpicture(drawing, options, error);
  if (image.isNull()) {
    return quoted(path) + ": " + error;
  }
  if (*format == tpictureformat::jpeg) {
    const std::vector<std::uint8_t> jpeg =
        encodejpeg(image, options.jpegquality, error);
    if (jpeg.empty()) {
      return quoted(path) + ": " + error;
    }
    return writefileatomically(path, jpeg);
  }
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  const char* kind = *format == tpictureformat::bmp ? "BMP" : "PNG";
  if (!image.save(&buffer, kind)) {
    return quoted(path) + ": the " + kind + " picture could not be encoded";
  }
  return writefileatomically(path, bytesof(encoded));
}

}  // namespace molvane
