// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/paint_drawing.h"

#include <QImage>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

/// The drawing painted on white and cropped to the box it covers (atoms,
/// labels, symbols) plus the margin. A null image with error set when
/// there is nothing to paint, the picture would be too large, or nothing
/// of the drawing lies inside the window. Needs a running
/// QGuiApplication.
QImage paintpicture(tdrawing& drawing, const tpictureoptions& options,
                    std::string& error);

/// Writes the drawing as a BMP, JPEG, PNG or SVG picture, as the file
/// name's extension says. The file is replaced atomically. Returns "" or a
/// one-line error naming the file.
[[nodiscard]] std::string exportpicture(tdrawing& drawing,
                                        const std::filesystem::path& path,
                                        const tpictureoptions& options = {});

}  // namespace molvane
