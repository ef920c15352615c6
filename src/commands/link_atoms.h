// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

struct tcommandcontext;

class tatm;
class tbond;

/// The pending pick of Atom/"Link Atoms" between its two clicks.
struct tlinkpicks {
  /// The atom the first click picked; null when no pick is pending.
  tatm* first = nullptr;
};

/// One click of Link Atoms. The first click picks the atom nearest to it;
/// the second picks again and, when that is another atom, joins the two by
/// a single bond (added to the drawing and to every structure holding both)
/// and clears the pick. The same atom twice says "Please move mouse
/// pointer" and keeps the first pick. Only chemical atoms are picked; two
/// atoms already bonded are not bonded again. A pick that is no longer in
/// the context's drawing (after Undo) is dropped, and the click counts as a
/// first one. The pending pick is the context's linkpicks. "No Atoms" on an
/// empty drawing. Returns the new bond.
tbond* linkatoms(tcommandcontext& context, double x, double y);

}  // namespace molvane
