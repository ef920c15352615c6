// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/record_layout.h"

#include <cmath>
#include <numbers>

namespace molvane {

std::string layoutrecord(tmoleculerecord& record,
                         const trecordstereo& /*stereo*/) {
  // Atoms on a circle whose neighbouring points are one bond apart.
  const auto count = static_cast<double>(record.atoms.size());
  const double radius =
      count < 2 ? 0.0 : 1.5 / (2.0 * std::sin(std::numbers::pi / count));
  for (std::size_t i = 0; i < record.atoms.size(); ++i) {
    const double angle = 2.0 * std::numbers::pi * static_cast<double>(i) /
                         (count < 1 ? 1 : count);
    record.atoms[i].x = radius * std::cos(angle);
    record.atoms[i].y = radius * std::sin(angle);
    record.atoms[i].z = 0.0;
  }
  return "";
}

}  // namespace molvane
