// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/paint_drawing.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace molvane {

class tdrawing;

enum class tpictureformat { bmp, jpeg, png, svg };

/// The picture format a file name asks for by its extension (.bmp, .jpg,
/// .jpeg, .png, .svg in any letter case); none for any other name.
std::optional<tpictureformat> pictureformatof(
    const std::filesystem::path& path);

struct tpictureoptions {
  /// When both are positive the drawing is painted as a window of this
  /// size shows it, and what falls outside is lost; otherwise the picture
  /// covers the whole drawing.
  int windowwidth = 0;
  int windowheight = 0;
  /// Fit the picture inside this many pixels across (fitwidth) and down
  /// (fitheight), keeping the drawing's proportions; 0 leaves that side
  /// free, so either one alone fixes its side. Either takes the place of
  /// scale and dpi for the size.
  int fitwidth = 0;
  int fitheight = 0;
  /// Enlargement of the whole drawing as vectors: lines, labels and the
  /// margin grow with it. Values of 0 or less count as 1.
  double scale = 1.0;
  /// Print resolution in dots per inch: the drawing is enlarged as a page
  /// printed at it would show it (the screen shows 96), and PNG and BMP
  /// files record it as their physical size. 0: the screen's.
  int dpi = 0;
  /// Labels of heteroatoms in the colour of their element.
  bool colourbyelement = false;
  /// Smooth lines and text; off gives the window's own pixels.
  bool antialiased = false;
  /// White pixels kept around the drawing on every side.
  int margin = 4;
  /// Compression quality of JPEG files.
  int jpegquality = 100;
  /// Texts painted beside atoms of the drawing.
  std::vector<tatomnote> notes;
};

/// Largest width or height of a picture, in pixels.
inline constexpr int largestpicture = 16384;

/// Screen resolution in dots per inch, at which a drawing is its own size.
inline constexpr int screendpi = 96;

/// The drawing painted on white and cropped to the box it covers (atoms,
/// labels, symbols) plus the margin, enlarged as the options say. A null
/// image with error set when there is nothing to paint, the picture would
/// be too large, or nothing of the drawing lies inside the window. Needs
/// a running QGuiApplication.
QImage paintpicture(tdrawing& drawing, const tpictureoptions& options,
                    std::string& error);

/// Paints the drawing with painter from the top left corner of area
/// (device pixels), such as a printer's page: enlarged largestfactor
/// times, or less where it would not fit the area. The size options are
/// not used. Returns "" or why nothing was painted.
[[nodiscard]] std::string paintinarea(QPainter& painter, tdrawing& drawing,
                                      const QRect& area, double largestfactor,
                                      const tpictureoptions& options);

/// The drawing as the bytes of a picture file of format; empty with error
/// set when paintpicture would give none or encoding fails.
QByteArray encodepicture(tdrawing& drawing, tpictureformat format,
                         const tpictureoptions& options, std::string& error);

/// Writes the drawing as a BMP, JPEG, PNG or SVG picture, as the file
/// name's extension says. The file is replaced atomically. Returns "" or a
/// one-line error naming the file.
[[nodiscard]] std::string exportpicture(tdrawing& drawing,
                                        const std::filesystem::path& path,
                                        const tpictureoptions& options = {});

}  // namespace molvane
