// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/view_painting.h"

#include "render/view_transform.h"

namespace molvane {

QTransform qttransformof(const tviewtransform& view) {
  return QTransform(view.zoom(), 0.0, 0.0, view.zoom(), view.panx(),
                    view.pany());
}

}  // namespace molvane
