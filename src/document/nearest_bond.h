// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

class tbond;
class tdrawing;

/// The anchor bond of a click: among the chemical bonds (links between
/// symbol points are not shown as bonds), the one whose midpoint is nearest
/// to (x, y); the earlier bond wins a tie. Null when there is none.
tbond* nearestbond(const tdrawing& drawing, double x, double y);

}  // namespace molvane
