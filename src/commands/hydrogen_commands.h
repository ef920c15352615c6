// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tdrawing;

/// The hydrogen commands of the menu; Make 3D adds hydrogens and builds
/// the relaxed model (see runmake3d).
enum class thydrogencommand { add2d, add3d, remove, make3d };

/// The name of command for the user: "Add Hs 2D", "Add Hs 3D", "Remove Hs".
const char* hydrogencommandname(thydrogencommand command);

/// Runs a hydrogen command on the current drawing as the menu does: takes
/// the undo copy, runs it, assigns hybridisation codes and repaints.
/// Returns the number of hydrogens added or removed.
int runhydrogencommand(thydrogencommand command);

/// The same on any drawing, without undo copy or repaint: adds or removes
/// hydrogens and assigns hybridisation codes. Make 3D does nothing here.
/// Returns the number of hydrogens added or removed.
int applyhydrogencommand(tdrawing& drawing, thydrogencommand command);

}  // namespace molvane
