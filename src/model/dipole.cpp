// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dipole.h"

#include "model/atom.h"
#include "model/bond.h"
#include "model/fragment.h"

#include <cmath>
#include <utility>
#include <vector>

namespace molvane {

namespace {

/// Debye per elementary charge and ångström (4.80298 × 10⁻¹⁰ esu × 10⁻⁸ cm
/// × 10¹⁸).
constexpr double debyeperelectronangstrom = 4.80298;
/// Squared moments (D²) up to this are taken as no dipole at all.
constexpr double negligiblesquare = 0.00001;

/// Debye per unit of the summed bond directions of an atom with lone
/// pairs; 0 for atoms that get none. Fitted by least squares to the
/// moments of water, ammonia, HCN, pyridine, acetone, methanol,
/// chloromethane, acetonitrile, formaldehyde and fluorobenzene on their
/// relaxed models.
double lonepairweight(int element, int bonded) {
  switch (element) {
    case 7:
      return bonded == 1   ? 2.21
             : bonded == 2 ? 1.515
             : bonded == 3 ? 0.745
                           : 0.0;
    case 8:
      return bonded == 1 ? 0.30 : bonded == 2 ? 0.215 : 0.0;
    case 9:
      return bonded == 1 ? 0.16 : 0.0;
    case 17:
      return bonded == 1 ? 0.665 : 0.0;
    default:
      return 0.0;
  }
}

/// The sum of the unit vectors from atom to its chemical neighbours (in
/// the drawing's axes) and how many there are.
std::pair<TXYZ, int> bonddirections(const tatm& atom) {
  TXYZ sum;
  int count = 0;
  for (const tbond* bond : atom.ownerbonds()) {
    const tatm* other = bond->other(&atom);
    if (bond->chemical == 0 || other == nullptr || !other->ischemical()) {
      continue;
    }
    const TXYZ along{other->angstromx() - atom.angstromx(),
                     other->angstromy() - atom.angstromy(),
                     other->angstromz() - atom.angstromz()};
    const double length =
        std::sqrt(along.x * along.x + along.y * along.y + along.z * along.z);
    if (length > 0.0) {
      sum = {sum.x + along.x / length, sum.y + along.y / length,
             sum.z + along.z / length};
      ++count;
    }
  }
  return {sum, count};
}

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

tdipole moleculedipole(const TFragment& fragment) {
  tdipole result = dipolemoment(fragment);
  int chemical = 0;
  for (const tatm* atom : fragment.atoms) {
    chemical += atom->ischemical() ? 1 : 0;
  }
  if (chemical < 2) {
    return result;
  }
  TXYZ d = result.vector;
  for (const tatm* atom : fragment.atoms) {
    // Hydrogens left implicit have no place, and the bond directions of
    // the atom would be a guess.
    if (!atom->ischemical() || atom->fcharge != 0 ||
        atom->implicithydrogens() > 0) {
      continue;
    }
    const auto [sum, count] = bonddirections(*atom);
    const double weight = lonepairweight(atom->element, count);
    d = {d.x + weight * sum.x, d.y + weight * sum.y, d.z + weight * sum.z};
  }
  const double square = d.x * d.x + d.y * d.y + d.z * d.z;
  result = {};
  if (square > negligiblesquare) {
    result.vector = d;
    result.debye = std::sqrt(square);
  }
  return result;
}

}  // namespace molvane
