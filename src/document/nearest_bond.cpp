// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/nearest_bond.h"

#include "document/structure.h"

namespace molvane {

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
