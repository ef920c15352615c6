// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dipole.h"

#include "model/atom.h"
#include "model/fragment.h"

#include <cmath>
#include <vector>

namespace molvane {

namespace {

/// Debye per elementary charge and ångström (4.80298 × 10⁻¹⁰ esu × 10⁻⁸ cm
/// × 10¹⁸).
constexpr double debyeperelectronangstrom = 4.80298;
/// Squared moments (D²) up to this are taken as no dipole at all.
constexpr double negligiblesquare = 0.00001;

}  // namespace

void equilibratepartialcharges(TFragment& fragment) {
  // Left alone for a single atom: no share from an earlier molecule stays.
  for (tatm* atom : fragment.atoms) {
    atom->eqcharge = 0.0;
  }
  fragment.equilibratecharges();
  for (tatm* atom : fragment.atoms) {
    if (!atom->ischemical()) {
      continue;
    }
    // The shares of the neutral atoms add up to nothing, so the molecule
    // keeps the sum of its formal charges.
    const double share = atom->fcharge == 0 ? atom->eqcharge : 0.0;
    atom->qpartial = static_cast<float>(atom->fcharge + share);
  }
}

tdipole dipolemoment(const TFragment& fragment) {
  tdipole result;
  std::vector<const tatm*> chemical;
  for (const tatm* atom : fragment.atoms) {
    if (atom->ischemical()) {
      chemical.push_back(atom);
    }
  }
  if (chemical.size() < 2) {
    return result;
  }
  TXYZ centre;
  for (const tatm* atom : chemical) {
    centre.x += atom->angstromx();
    centre.y += atom->angstromy();
    centre.z += atom->angstromz();
  }
  const double count = static_cast<double>(chemical.size());
  centre = {centre.x / count, centre.y / count, centre.z / count};
  TXYZ d;
  for (const tatm* atom : chemical) {
    const double q = atom->qpartial * debyeperelectronangstrom;
    d.x += (atom->angstromx() - centre.x) * q;
    d.y += (atom->angstromy() - centre.y) * q;
    d.z += (atom->angstromz() - centre.z) * q;
  }
  const double square = d.x * d.x + d.y * d.y + d.z * d.z;
  if (square > negligiblesquare) {
    result.vector = d;
    result.debye = std::sqrt(square);
  }
  return result;
}

}  // namespace molvane
