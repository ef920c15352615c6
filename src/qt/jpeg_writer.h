// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QImage;

namespace molvane {

/// The image as a baseline JPEG file compressed by libjpeg at quality 1 to
/// 100 (clamped). Empty, with error set, when the image is empty or the
/// library fails.
std::vector<std::uint8_t> encodejpeg(const QImage& image, int quality,
                                     std::string& error);

}  // namespace molvane
