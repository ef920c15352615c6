// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace molvane {

/// Text crosses between Qt and the core here only: the core holds UTF-8.
/// Invalid UTF-8 becomes replacement characters.
QString qtstring(std::string_view utf8);
std::string utf8string(const QString& text);

/// File names use the file system's encoding, which need not be UTF-8.
std::filesystem::path pathof(const QString& name);
QString qtpath(const std::filesystem::path& path);

}  // namespace molvane
