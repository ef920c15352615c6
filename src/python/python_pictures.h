// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace molvane {

class tmolecule;

/// The bytes of a picture of molecule in the format of the file name or
/// format name extension (bmp, jpg, jpeg, png, svg) fitted inside width by
/// height pixels (0: free); nullopt when extension names no picture.
/// Raises Error when there is nothing to paint. Starts the offscreen
/// graphics platform the first time, as the command line does; call with
/// the interpreter lock held.
std::optional<std::vector<std::uint8_t>> picturebytes(
    tmolecule& molecule, const std::string& extension, int width = 0,
    int height = 0);

}  // namespace molvane
