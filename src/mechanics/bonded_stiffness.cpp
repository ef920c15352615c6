// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/bonded_stiffness.h"

#include "mechanics/bend_term.h"
#include "mechanics/force_field.h"
#include "mechanics/stretch_term.h"
#include "model/vector3.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace molvane {

namespace {

/// The soft parts' share of the mean stiffness; between a tenth and the
/// whole it changes the descent's iterations by a few per cent only.
constexpr double softshare = 0.3;

/// Adds c ∇q ∇qᵀ for a coordinate q of the given atoms with the gradients
/// grads, over the free atoms among them.
template <std::size_t count>
void addcurvature(tblockcholesky& matrix, const std::vector<long>& slot,
                  const std::array<std::int32_t, count>& atoms,
                  const std::array<TXYZ, count>& grads, double c) {
  for (std::size_t p = 0; p < count; ++p) {
    const long row = slot[static_cast<std::size_t>(atoms[p])];
    if (row < 0) {
      continue;
    }
    for (std::size_t q = 0; q <= p; ++q) {
      const long column = slot[static_cast<std::size_t>(atoms[q])];
      if (column < 0) {
        continue;
      }
      const TXYZ& a = grads[p];
      const TXYZ& b = grads[q];
      const tblock3 m{c * a.x * b.x, c * a.x * b.y, c * a.x * b.z,
                      c * a.y * b.x, c * a.y * b.y, c * a.y * b.z,
                      c * a.z * b.x, c * a.z * b.y, c * a.z * b.z};
      matrix.add(static_cast<std::size_t>(row),
                 static_cast<std::size_t>(column), m);
    }
  }
}

}  // namespace

tbondedstiffness::tbondedstiffness(tforcefield& field,
                                   std::span<const std::size_t> freeat)
    : field_(field), slot_(field.atoms().size(), -1), matrix_(freeat.size()) {
  for (std::size_t k = 0; k < freeat.size(); ++k) {
    slot_[freeat[k] / 3] = static_cast<long>(k);
  }
}

bool tbondedstiffness::update(std::span<const double> xyz) {
  matrix_.clear();
  auto at = [&xyz](std::int32_t atom) {
    const auto i = static_cast<std::size_t>(atom) * 3;
    return TXYZ{xyz[i], xyz[i + 1], xyz[i + 2]};
  };
  for (const tstretch& term : field_.stretches()) {
    TXYZ along = detail::minus(at(term.atoms[1]), at(term.atoms[0]));
    const double length = detail::norm(along);
    if (!(length > 0.0)) {
      continue;
    }
    along = detail::times(along, 1.0 / length);
    addcurvature<2>(
        matrix_, slot_, {term.atoms[0], term.atoms[1]},
        {detail::times(along, -1.0), along},
        2.0 * term.harmonic * term.inverselength * term.inverselength);
  }
  for (const tangle& term : field_.bends()) {
    // The sp3 wall curves like a harmonic bend of kM a² / θ0².
    const double c = term.coordination == 4 && term.ideal > 0.0
                         ? 2.0 * term.kmorse * wallsteepness * wallsteepness /
                               (term.ideal * term.ideal)
                         : 2.0 * term.k;
    const tangleresult angle = measureangle(
        at(term.atoms[0]), at(term.atoms[1]), at(term.atoms[2]), true);
    addcurvature<3>(matrix_, slot_,
                    {term.atoms[0], term.atoms[1], term.atoms[2]},
                    {angle.da, angle.db, angle.dcentre}, c);
  }
  const double mean = matrix_.meandiagonal();
  if (!(mean > 0.0) || !std::isfinite(mean)) {
    return false;  // nothing holds the atoms together
  }
  matrix_.shift(softshare * mean);
  return matrix_.factor();
}

}  // namespace molvane
