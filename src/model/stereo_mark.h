// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace molvane {

/// Whether the configuration at an atom (a stereo centre) or the geometry
/// of a double bond is stated, kept on the atom or bond itself so that undo
/// copies, clipboard copies and documents carry it.
enum class tstereomark : std::uint8_t {
  /// What the picture shows: a flat centre is stated when a wedge or hashed
  /// bond starts at it, a centre of a model with depth by its coordinates,
  /// a double bond by its drawn geometry. Drawings made before the mark
  /// existed hold only this.
  asdrawn = 0,
  /// Stated: the coordinates (or the wedges of a flat drawing) give the
  /// configuration; every 3D step keeps it and every writer writes it.
  stated = 1,
  /// Left open: written as "either", free to come out either way in 3D.
  unstated = 2,
};

}  // namespace molvane
