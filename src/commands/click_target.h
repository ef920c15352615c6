// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tatm;
class tbond;
class tdrawing;
class tStructure;

/// What a right click in the drawing opens an editor on.
struct tclicktarget {
  enum class tkind { none, atom, bond, structure };
  tkind kind = tkind::none;
  tatm* atom = nullptr;
  tbond* bond = nullptr;
  tStructure* structure = nullptr;
};

/// Squared distances at or beyond this choose nothing.
inline constexpr double farthestclick = 3145728.0;

/// The nearest atom, the bond with the nearest midpoint and the structure
/// with the nearest centre compete, in that order, by squared distance to
/// (x, y); a later candidate wins only when strictly nearer, so a tie keeps
/// the atom.
tclicktarget pickclicktarget(const tdrawing& drawing, double x, double y);

}  // namespace molvane
