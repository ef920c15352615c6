// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/bond_enthalpy.h"

#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"
#include "model/atom.h"
#include "model/bond.h"

#include <array>
#include <cstddef>

namespace molvane {
namespace {

/// One end of a bond as the table describes it.
struct tbondend {
  int element = 0;
  int charge = 0;
  /// Bonds at the atom, hydrogens included.
  int bonds = 0;
  /// For an atom with two bonds, the element at the other one; 0 for any.
  int partner = 0;
  /// Hydrogens bonded to the atom; -1 for any number.
  int hydrogens = -1;
};

struct tbondrow {
  tbondend first;
  tbondend second;
  /// The force field's order code: 2 single, 4 double, 6 triple.
  int code = 0;
  /// The depth, or in the adjustments what comes on top of it (kcal/mol).
  double kcal = 0.0;
};

// Dissociation energies from the ground state, worked out from the
// enthalpies of formation at 0 K of the NIST-JANAF Thermochemical Tables
// (4th ed., 1998; kJ/mol): atoms H 216.035, C 711.185, N 470.82,
// O 246.790, S 274.92; CO -113.805, CO2 -393.109, NO 89.775, N2O 85.50,
// O3 145.35, SO2 -294.30. A molecule with two bonds gets its atomisation
// energy split so that breaking either bond gives the fragments' measured
// energy (N2O to N2 + O, N2O to NO + N, O3 to O2 + O).
constexpr tbondrow bondrows[] = {
    // O2, D0 = 493.58 kJ/mol.
    {{8, 0, 1}, {8, 0, 1}, 4, 117.97},
    // CO, as C#O or [C-]#[O+]: 1071.78 kJ/mol.
    {{6, 0, 1, 0}, {8, 0, 1, 0}, 6, 256.16},
    {{6, -1, 1, 0}, {8, 1, 1, 0}, 6, 256.16},
    // CO2: 1597.87 kJ/mol over two bonds.
    {{6, 0, 2, 8}, {8, 0, 1, 0}, 4, 190.95},
    // N2O as N#[N+][O-] (1102.93 kJ/mol = N2 + 161.29) ...
    {{7, 0, 1, 0}, {7, 1, 2, 8}, 6, 225.06},
    {{7, 1, 2, 7}, {8, -1, 1, 0}, 2, 38.55},
    // ... and as [N-]=[N+]=O (NO + 475.09).
    {{7, -1, 1, 0}, {7, 1, 2, 8}, 4, 113.55},
    {{7, 1, 2, 7}, {8, 0, 1, 0}, 4, 150.06},
    // Ozone, [O-][O+]=O: 595.02 kJ/mol = O2 + 101.44.
    {{8, 1, 2, 8}, {8, 0, 1, 0}, 4, 117.97},
    {{8, 1, 2, 8}, {8, -1, 1, 0}, 2, 24.24},
    // SO2, as O=S=O or [O-][S+]=O: 1062.80 kJ/mol over two bonds.
    {{8, 0, 1, 0}, {16, 0, 2, 8}, 4, 127.01},
    {{8, 0, 1, 0}, {16, 1, 2, 8}, 4, 127.01},
    {{8, -1, 1, 0}, {16, 1, 2, 8}, 2, 127.01},
};

// Bonds whose force-field depth is right for the molecules it was tuned
// on but off by a constant for the rest of a family, as group additivity
// tells them apart: kcal/mol on top of the depth, which bring the molecule
// to its enthalpy of formation (NIST Chemistry WebBook, gas, 298.15 K).
constexpr tbondrow adjustmentrows[] = {
    // A carbon-carbon double bond: heats of hydrogenation of ethylene,
    // 32.6 kcal/mol, propene 29.9, trans-2-butene 27.6, where the depth
    // alone gives them 4.6 kcal/mol more.
    {{6, 0, 3}, {6, 0, 3}, 4, 4.6},
    // Methane against the larger alkanes: C2H6 + H2 -> 2 CH4 releases
    // 65.7 kJ/mol; the C-H depth of a CH2 or CH3 group gives 41.
    {{6, 0, 4, 0, 4}, {1, 0, 1}, 2, 0.75},
    // The C-O bond of methanol against that of ethanol (methanol's
    // enthalpy of formation, -201.0 kJ/mol, and CO + 2 H2 -> CH3OH,
    // -90.5 kJ/mol).
    {{6, 0, 4, 0, 3}, {8, 0, 2, 0, 1}, 2, -9.5},
};

bool matches(const tbondend& wanted, const tbondend& found) {
  return wanted.element == found.element && wanted.charge == found.charge &&
         wanted.bonds == found.bonds &&
         (wanted.partner == 0 || wanted.partner == found.partner) &&
         (wanted.hydrogens < 0 || wanted.hydrogens == found.hydrogens);
}

bool matchesrow(const tbondrow& row, int code, const tbondend& a,
                const tbondend& b) {
  return row.code == code &&
         ((matches(row.first, a) && matches(row.second, b)) ||
          (matches(row.first, b) && matches(row.second, a)));
}

}  // namespace

std::vector<std::vector<std::int32_t>> stretchneighbours(tforcefield& field) {
  std::vector<std::vector<std::int32_t>> around(field.atoms().size());
  for (const tstretch& stretch : field.stretches()) {
    around[static_cast<std::size_t>(stretch.atoms[0])].push_back(
        stretch.atoms[1]);
    around[static_cast<std::size_t>(stretch.atoms[1])].push_back(
        stretch.atoms[0]);
  }
  return around;
}

std::vector<double> bonddissociationdepths(tforcefield& field) {
  const std::vector<tatm*>& atoms = field.atoms();
  const std::vector<std::vector<std::int32_t>> around =
      stretchneighbours(field);
  const auto endof = [&](std::int32_t index, std::int32_t other) {
    const auto at = static_cast<std::size_t>(index);
    tbondend end{atoms[at]->element, atoms[at]->fcharge,
                 static_cast<int>(around[at].size()), 0, 0};
    for (const std::int32_t next : around[at]) {
      end.hydrogens +=
          atoms[static_cast<std::size_t>(next)]->element == 1 ? 1 : 0;
    }
    if (end.bonds == 2) {
      const std::int32_t partner =
          around[at][0] == other ? around[at][1] : around[at][0];
      end.partner = atoms[static_cast<std::size_t>(partner)]->element;
    }
    return end;
  };
  std::vector<double> depths;
  for (const tstretch& stretch : field.stretches()) {
    const tbondend a = endof(stretch.atoms[0], stretch.atoms[1]);
    const tbondend b = endof(stretch.atoms[1], stretch.atoms[0]);
    const int code = stretch.bond != nullptr ? stretch.bond->ffkind() : 0;
    double depth = stretch.depth;
    for (const tbondrow& row : bondrows) {
      if (matchesrow(row, code, a, b)) {
        depth = row.kcal / kcalpercal;
        break;
      }
    }
    for (const tbondrow& row : adjustmentrows) {
      if (matchesrow(row, code, a, b)) {
        depth += row.kcal / kcalpercal;
        break;
      }
    }
    depths.push_back(depth);
  }
  return depths;
}

}  // namespace molvane
