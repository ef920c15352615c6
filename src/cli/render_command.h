// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"
#include "qt/picture_export.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace molvane {

class tdrawing;

/// `render IN OUT [--mode N] [picture options]`: paints the drawing of IN
/// in draw mode N (0-20, or 100-120 for stereo pairs) and writes the
/// picture OUT (.bmp, .jpg, .png or .svg), cropped to the drawing and
/// sized as the picture options say.
tclioutcome rendercommand(const tclioptions& options,
                          const std::vector<std::string>& arguments);

/// Reads the picture option at arguments[i] into options: `--width W` and
/// `--height H` (fit inside, in pixels), `--scale F`, `--dpi N`,
/// `--colour` (labels by element) and `--antialias`; i moves past its
/// value. False when arguments[i] is no picture option; true with error
/// set when its value is missing or out of range.
bool readpictureoption(const std::vector<std::string>& arguments,
                       std::size_t& i, tpictureoptions& options,
                       std::string& error);

/// Why the size options cannot go together ("" when they can): a scale
/// beside a width or height to fit.
std::string picturesizeclash(const tpictureoptions& options);

/// For `convert`: writes the drawing as a picture when path names one
/// ("" or an error); none when path is not a picture file name.
std::optional<std::string> exportifpicture(tdrawing& drawing,
                                           const std::filesystem::path& path,
                                           const tpictureoptions& options = {});

}  // namespace molvane
