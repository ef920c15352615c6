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

tbond* nearestbond(const tStructure& structure, double x, double y) {
  tbond* nearest = nullptr;
  double best = 0.0;
  for (tbond* bond : structure.bonds) {
    if (bond->chemical == 0 || bond->atom1 == nullptr ||
        bond->atom2 == nullptr) {
      continue;
    }
    const double distance = bond->distancetomid(x, y);
    // Strictly nearer, so that the earlier of two equal bonds wins.
    if (nearest == nullptr || distance < best) {
      nearest = bond;
      best = distance;
    }
  }
  return nearest;
}

}  // namespace molvane
