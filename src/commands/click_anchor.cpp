// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/click_anchor.h"

#include "document/drawing.h"
#include "document/session.h"

namespace molvane {

tatm* nearestatom(const tdrawing& drawing, double x, double y) {
  return drawing.nearestatom(nullptr, x, y);
}

tatm* clickanchor(double x, double y, const char* emptymessage) {
  tatm* anchor = nearestatom(*session().drawing(), x, y);
  if (anchor == nullptr) {
    session().messages().inform(emptymessage);
  }
  return anchor;
}

}  // namespace molvane
