// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTransform>

namespace molvane {

class tviewtransform;

/// The painter transform that puts drawing coordinates where view shows
/// them: scaled by its zoom, moved by its pan. Line widths and text grow
/// with the zoom, as on paper under a lens.
QTransform qttransformof(const tviewtransform& view);

}  // namespace molvane
