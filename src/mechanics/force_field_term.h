// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace molvane {

/// Kinds of term, stored in `tcoordinate::kind`; the numbers are the ones
/// the measurement tool and the vibrational analysis know them by.
enum class ttermkind : std::uint8_t {
  nonbonded = 0,
  stretch = 1,
  bend = 2,
  torsion = 3,
  planarity = 4,
  chirality = 5
};
inline constexpr int termkinds = 6;

/// The position of a kind's list among the five lists of a pack.
constexpr std::size_t termslot(ttermkind kind) {
  return static_cast<std::size_t>(kind);
}

/// What every energy term has. Atoms are positions in the force field's
/// atom list (-1 for unused slots); energies are cal/mol.
struct tcoordinate {
  std::array<std::int32_t, 4> atoms{-1, -1, -1, -1};
  ttermkind kind = ttermkind::nonbonded;
  std::int32_t atomcount = 0;
  /// Force constant of the vibrational analysis.
  double fconst = 0.0;
  double redundancy = 1.0;
  double scale = 1.0;
  /// The energy at the last evaluation.
  double energy = 0.0;
};

/// A term over an internal coordinate, with the coordinate's derivatives by
/// each atom's position (drawing units) as `measure` last found them.
struct tmeasuredcoordinate : tcoordinate {
  std::array<TXYZ, 4> bvectors{};
};

}  // namespace molvane
