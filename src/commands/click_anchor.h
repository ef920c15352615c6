// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/nearest_bond.h"

namespace molvane {

struct tcommandcontext;

class tatm;
class tdrawing;
class tStructure;

/// The anchor atom of a click: the atom of drawing (of any kind) whose 2D
/// position is nearest to (x, y), however far away; the earlier atom wins a
/// tie. Null only for a drawing without atoms.
tatm* nearestatom(const tdrawing& drawing, double x, double y);

/// The anchor atom of a click in the context's drawing; for a drawing
/// without atoms null, after telling the user emptymessage.
tatm* clickanchor(tcommandcontext& context, double x, double y,
                  const char* emptymessage);

}  // namespace molvane
