// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/record_choice.h"

#include <filesystem>
#include <memory>

namespace molvane {

class tdrawing;

/// Moves everything of imported into target: the imported drawing is
/// scaled (about its top left corner) so that its mean chemical bond is as
/// long as target's, or as the bond length setting L when target has no
/// chemical bond, and not at all when it has none itself; then it is moved
/// along x so that its left edge lies on target's right edge (it stays
/// where it is when target is empty). Its atoms, bonds, structures and
/// symbols are appended to target's lists and target owns them; label
/// fonts are carried over. gap (drawing units) is left between the two.
/// Returns the number of atoms added.
int mergedrawing(tdrawing& target, std::unique_ptr<tdrawing> imported,
                 double gap = 0.0);

/// What Paste and Import place beside the drawing: mergedrawing with a gap
/// of one and a half bond lengths (the drawing's mean bond, else L) from
/// its rightmost atom, so that something pasted stands clear of the
/// drawing and of its labels, never on or against it.
int placebeside(tdrawing& target, std::unique_ptr<tdrawing> imported);

/// The Import command: reads a document of any format the program reads,
/// refreshes the undo copy, places the document beside the current drawing,
/// marks the drawing modified and repaints. A file that cannot be read
/// shows "File Read Error" and changes nothing. Returns whether the
/// document was imported.
bool importdocument(const std::filesystem::path& path,
                    trecordchoice choice = {});

}  // namespace molvane
