// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/block_cholesky.h"

#include <cstddef>
#include <span>
#include <vector>

namespace molvane {

class tforcefield;

/// The stiffness of the bonds and bond angles over the atoms whose
/// coordinates start at the offsets freeat (in that order), factored. It is
/// the curvature of the stretches and bends where each sits at its
/// reference, so it is positive whatever the geometry; the soft parts
/// (torsions, pairs) are stood in for by a uniform share of the mean
/// stiffness. A quasi-Newton descent takes its inverse as its first
/// estimate of the curvature.
class tbondedstiffness {
 public:
  tbondedstiffness(tforcefield& field, std::span<const std::size_t> freeat);

  /// Makes the stiffness anew at the positions xyz; false, leaving solve()
  /// without effect, when it cannot be factored.
  bool update(std::span<const double> xyz);
  /// Overwrites v (three values a free atom) with the stiffness's inverse
  /// times v.
  void solve(std::span<double> v) const { matrix_.solve(v); }

 private:
  tforcefield& field_;
  std::vector<long> slot_;
  tblockcholesky matrix_;
};

}  // namespace molvane
