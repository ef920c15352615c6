// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace molvane {

/// Paste of a structure given as text of the clipboard (mimetype as the
/// clipboard names it; any other type is looked at as plain text): reads a
/// molfile, CML or SMILES, refreshes the undo copy, merges the structure
/// into the current drawing clear of what is there (placebeside), marks the
/// drawing modified and repaints. Text that holds no structure changes
/// nothing and says why through the session's messages ("Paste: the
/// molfile cannot be read: ..."). Returns whether atoms were added.
bool pastestructure(std::string_view mimetype, std::string_view text);

}  // namespace molvane
