// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <string>

namespace molvane {

/// Reads the document at path and makes it the current drawing, with
/// fresh undo copies. Returns the one-line "File Read Error: ..." of a file
/// that gave nothing; a file read only in part is used as far as it goes,
/// after a warning through the session's messages.
std::string openinput(const std::string& path);

/// The same for a document read already: result as loaddocument gives it.
std::string adoptinput(const std::string& path, treadresult result);

}  // namespace molvane
