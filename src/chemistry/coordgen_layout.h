// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "chemistry/record_stereo.h"

#include <vector>

namespace molvane {

/// A point of a flat layout, y upwards.
struct tflatpoint {
  double x = 0.0;
  double y = 0.0;
};

/// Flat coordinates for one connected part from the 2D coordinate
/// library, which knows ring templates, macrocycles and the shape of
/// chains; double bonds keep the geometry the stereo states where it can.
/// Bond lengths come out in the library's own units.
std::vector<tflatpoint> librarylayout(const tmoleculerecord& part,
                                      const trecordstereo& stereo);

}  // namespace molvane
