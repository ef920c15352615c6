// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace molvane {

class tdrawing;

/// `render IN OUT [--mode N] [--width W --height H] [--antialias]`: paints
/// the drawing of IN in draw mode N (0-20, or 100-120 for stereo pairs) and
/// writes the picture OUT (.bmp, .jpg, .png or .svg), cropped to the
/// drawing; with a width and height, as a window of that size shows it.
tclioutcome rendercommand(const tclioptions& options,
                          const std::vector<std::string>& arguments);

/// For `convert`: writes the drawing as a picture when path names one
/// ("" or an error); none when path is not a picture file name.
std::optional<std::string> exportifpicture(tdrawing& drawing,
                                           const std::filesystem::path& path);

}  // namespace molvane
