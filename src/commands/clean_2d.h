// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace molvane {

class tdrawing;

/// Lays the chemical atoms of the drawing out afresh as a clean flat
/// picture, keeping the stereo its wedges (or 3D shape) and double bonds
/// show: bond lengths even, rings regular, wedges where the centres need
/// them. The picture keeps its place on the page and the bond length of the
/// settings. Returns "" on success, otherwise a one-line reason (the
/// drawing is then unchanged).
std::string clean2d(tdrawing& drawing);

/// Clean 2D on the current drawing as one undo step; a failure is reported
/// through the session's messages.
bool clean2dcommand();

}  // namespace molvane
