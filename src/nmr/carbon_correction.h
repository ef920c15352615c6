// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/peak_database.h"

namespace molvane {

class tcarbonmodel;
class tnmrgraph;

/// Refines current, what the database and increment schemes give a carbon
/// whose deepest database match has level, with the model's shift: a blend
/// by the model's share, or the model alone when current has no shift. The
/// level stays current's (-1 when only the model gave a shift); anything
/// the model does not know stays as it is.
tprediction refinecarbon(const tcarbonmodel& model, const tnmrgraph& graph,
                         int atom, int level, const tprediction& current);

}  // namespace molvane
