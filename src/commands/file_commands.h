// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>

namespace molvane {

class tdrawing;

/// The program's fixed texts for file commands.
inline constexpr const char* filereaderror = "File Read Error";
inline constexpr const char* invalidfilename = "Invalid filename ";
inline constexpr const char* endoffile = "End of File";

/// Reads a document for a command: a file that cannot be read shows
/// "File Read Error" and gives null; notices are shown as warnings.
std::unique_ptr<tdrawing> readforcommand(const std::filesystem::path& path);

/// Opens a document as the current drawing with fresh undo and redo copies.
/// A file that cannot be read shows "File Read Error" and leaves the current
/// drawing as it was. Returns whether the document was opened.
bool opendocument(const std::filesystem::path& path);

/// Saves the current drawing under the given name with its companions. A
/// name that cannot be written shows "Invalid filename " and keeps any
/// previous file. A drawing without atoms writes nothing. Returns whether
/// the native document was written.
bool savecurrentdocument(const std::filesystem::path& path);

}  // namespace molvane
