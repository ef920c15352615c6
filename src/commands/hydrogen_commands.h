// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

/// The hydrogen commands of the menu; Make 3D adds hydrogens and builds
/// the relaxed model (see runmake3d).
enum class thydrogencommand { add2d, add3d, remove, make3d };

/// The name of command for the user: "Add Hs 2D", "Add Hs 3D", "Remove Hs".
const char* hydrogencommandname(thydrogencommand command);

class tdrawing;

/// Adds (add2d, add3d) or removes hydrogens on every structure of a drawing
/// and assigns the hybridisation codes again; no undo copy, no repaint.
/// Returns the number of hydrogens added or removed (0 for make3d, which
/// needs the session's Make 3D).
int changehydrogens(tdrawing& drawing, thydrogencommand command);

/// Runs a hydrogen command on the current drawing as the menu does: takes
/// the undo copy, runs it, assigns hybridisation codes and repaints.
/// Returns the number of hydrogens added or removed.
int runhydrogencommand(thydrogencommand command);

}  // namespace molvane
