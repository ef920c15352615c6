// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/embedding.h"

namespace molvane {

/// Make 3D on the current drawing, as the menu runs it: takes the undo
/// copy, builds the model with the session's progress and message hooks,
/// tells the user of warnings and errors and repaints.
tembedresult runmake3d(tembedsettings settings = {});

}  // namespace molvane
