// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/canvas.h"

#include <vector>

namespace molvane {

/// The pixels of the digital line from `from` to `to` in walking order,
/// found by the Bresenham walk. Like a drawn line it leaves out the end
/// point, so a line from a point to itself has no pixels. Every back end
/// hashes from this list, so hashed bonds look the same everywhere.
std::vector<tpoint> digitalline(tpoint from, tpoint to);

/// One cross stroke of a hashed bond.
struct thashstroke {
  tpoint from;
  tpoint to;
  friend bool operator==(const thashstroke&, const thashstroke&) = default;
};

/// The strokes of a hashed bond from its narrow end `from` to its wide end
/// `to`: at the 1st, 4th, 7th ... pixel of the digital line a stroke across
/// the line, widening as a wedge does: at pixel k of n it reaches
/// (k + 1) / n of `half` to each side (rounded half to even), so the
/// strokes near `to` are the widest.
std::vector<thashstroke> hashstrokes(tpoint from, tpoint to, tpoint half);

}  // namespace molvane
