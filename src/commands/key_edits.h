// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

/// The Delete key among the edit keys.
inline constexpr char deletekey = '\x7f';

/// The one-key edits on the object nearest to (x, y): Delete removes the
/// nearest atom, letters set elements and labels, digits bond kinds, "+"
/// and "-" the charge (see the table in the .cpp). Letters are upper case.
/// A key of the table takes an undo snapshot first and repaints; other keys
/// change nothing. Returns whether the key belongs to the table.
bool runkeyedit(char key, double x, double y);

}  // namespace molvane
