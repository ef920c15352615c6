// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/hybridization.h"

#include "document/drawing.h"

#include <array>
#include <numbers>

namespace molvane {

namespace {

constexpr double radiansperdegree = std::numbers::pi / 180.0;

/// Angles in degrees by hybridisation code (rows) and coordination 2..9
/// (columns); 0 where no angle is defined.
constexpr int firstcoordination = 2;
constexpr int lastcoordination = 9;
constexpr double tt = tetrahedralangle;
constexpr std::array<std::array<double, 8>, 7> angletable = {{
    {180, 120, tt, 105, 90, 82, 72, 70.5},
    {180, 120, tt, 105, 90, 0, 0, 0},
    {120, 120, 0, 0, 0, 0, 0, 0},
    // Seven-coordinate sp3 keeps the stored angle in radians below.
    {tt, tt, tt, 100, 90, 0, 74, 70.5},
    {120, 120, 120, 120, 120, 120, 120, 120},  // any coordination, below
    {180, 120, tt, 105, 90, 82, 72, 0},
    {180, 120, tt, 105, 90, 82, 72, 0},
}};

/// Seven-coordinate sp3 centres: a little under 77 degrees, kept as this
/// exact binary value.
constexpr double sevencoordinatesp3 = 1.343902587890625;

constexpr int aromatic = 4;

}  // namespace

void assignhybridization(tdrawing& drawing) {
  for (tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      atom->gethybridization();
    }
  }
}

double idealangle(int /*element*/, int /*charge*/, int hybridization,
                  int coordination) {
  if (hybridization < 0 ||
      hybridization >= static_cast<int>(angletable.size())) {
    return 0.0;
  }
  if (hybridization == aromatic) {
    return 120.0 * radiansperdegree;
  }
  if (coordination < firstcoordination || coordination > lastcoordination) {
    return 0.0;
  }
  if (hybridization == 3 && coordination == 7) {
    return sevencoordinatesp3;
  }
  const auto& row = angletable[static_cast<std::size_t>(hybridization)];
  return row[static_cast<std::size_t>(coordination - firstcoordination)] *
         radiansperdegree;
}

}  // namespace molvane
