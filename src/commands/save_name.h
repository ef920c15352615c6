// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace molvane {

/// The name a new drawing has until it is saved.
inline constexpr const char* untitledname = "untitled.mlv";

/// Whether filename is the untitled name (in any letter case) or empty.
bool isuntitledname(const std::filesystem::path& filename);

/// The name Save As proposes for a drawing called filename: the native
/// document a save under that name writes (an opened "x.mol" proposes
/// "x.MLV"), placed in folder while the drawing is untitled or its name has
/// no folder.
std::filesystem::path saveasname(const std::filesystem::path& filename,
                                 const std::filesystem::path& folder);

}  // namespace molvane
