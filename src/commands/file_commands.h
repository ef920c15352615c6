// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/record_choice.h"
#include "document/messages.h"
#include "io/read_result.h"

#include <filesystem>
#include <memory>

namespace molvane {

class tdrawing;

/// The program's fixed texts for file commands.
inline constexpr const char* filereaderror = "File Read Error";
inline constexpr const char* invalidfilename = "Invalid filename ";
inline constexpr const char* endoffile = "End of File";
inline constexpr const char* replacedrawing = "Replace Current Drawing? ";

/// Reads a document for a command. A file that cannot be read shows the
/// error "File Read Error" and gives no drawing; a file read only in part
/// gives what was read with the warning "File Read Error". The reader's
/// notices are shown as warnings.
/// A choice of records reads those records of a file that holds several.
treadresult readforcommand(const std::filesystem::path& path,
                           trecordchoice choice = {});

/// Whether the drawing holds work that was never saved.
bool hasunsavedwork(const tdrawing& drawing);

/// Before unsaved work would be lost (New, Open, Exit): asks "Save changes
/// to NAME?" with Save, Discard and Cancel. Nothing is asked, and the
/// answer is discard, when the drawing holds no unsaved work.
tsaveanswer asktosaveunsavedwork();
/// Asks "Replace Current Drawing? " when the current drawing holds unsaved
/// work; true when it may be replaced.
bool mayreplacedrawing();

/// Opens a document as the current drawing with fresh undo and redo copies.
/// A file that cannot be read leaves the current drawing, its name and its
/// undo copy as they were. A file read only in part becomes an untitled,
/// unsaved drawing, so that saving it never overwrites the damaged file.
treadextent opendocument(const std::filesystem::path& path,
                         trecordchoice choice = {});

/// Saves the current drawing under the given name with its companions. A
/// name that cannot be written shows "Invalid filename " and keeps any
/// previous file. A drawing without atoms writes nothing. Returns whether
/// the native document was written.
bool savecurrentdocument(const std::filesystem::path& path);

}  // namespace molvane
