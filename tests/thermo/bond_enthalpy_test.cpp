// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/bond_enthalpy.h"

#include "document/drawing.h"
#include "document/session.h"
#include "mechanics/force_field.h"
#include "testing/thermo_species.h"
#include "thermo/partition_function.h"
#include "thermo/species.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace molvane {
namespace {

using testing::addspecies;
constexpr double R = thermoconstant::R;

/// The thermochemical and the force-field depths of the species' bonds,
/// kcal/mol.
struct tdepths {
  double thermo = 0.0;
  double field = 0.0;
};

tdepths depthsof(const char* name) {
  tsessionguard guard;
  tStructure* structure = addspecies(name, 0.0);
  tdepths result;
  if (structure == nullptr) {
    return result;
  }
  tspeciescopy copy = copyspecies(*structure);
  tforcefield field(*copy.drawing);
  EXPECT_EQ(field.setupforcefield(), "");
  const std::vector<double> depths = bonddissociationdepths(field);
  EXPECT_EQ(depths.size(), field.stretches().size());
  result.thermo = 0.001 * std::accumulate(depths.begin(), depths.end(), 0.0);
  for (const tstretch& stretch : field.stretches()) {
    result.field += 0.001 * stretch.depth;
  }
  field.freeterms();
  return result;
}

// The small molecules' own values are checked against standard enthalpies
// in reference_test.cpp; the other bonds must not pick them up.
TEST(BondEnthalpy, OtherBondsKeepTheForceFieldDepth) {
  for (const char* species : {"H2", "N2", "Cl2", "HCl", "H2O", "NH3", "C2H6",
                              "C2H2", "C3H8", "C6H6"}) {
    SCOPED_TRACE(species);
    const tdepths depths = depthsof(species);
    EXPECT_GT(depths.field, 0.0);
    EXPECT_DOUBLE_EQ(depths.thermo, depths.field);
  }
}

// Issue 28: ethanol's trans and two gauche forms were not mixed, so its
// entropy fell 13 J/(mol K) short of 281.6 (NIST WebBook).
TEST(BondEnthalpy, DistinctConformersAddTheirEntropy) {
  tsessionguard guard;
  tStructure* ethanol = addspecies("C2H5OH", 0.0);
  ASSERT_NE(ethanol, nullptr);
  tPF& thermo = makethermo(*ethanol);
  const auto withwells =
      std::count_if(thermo.rotors.begin(), thermo.rotors.end(),
                    [](const TNu_HR& rotor) { return !rotor.wells.empty(); });
  // The C-O bond has three distinct staggered forms; the methyl turns onto
  // itself.
  EXPECT_EQ(withwells, 1);
  for (const TNu_HR& rotor : thermo.rotors) {
    if (rotor.wells.empty()) {
      continue;
    }
    ASSERT_EQ(rotor.wells.size(), 3U);
    EXPECT_EQ(rotor.wells[0], 0.0);
    // Without its wells the rotor counts one of them: close to R ln 3 less.
    TNu_HR single = rotor;
    single.wells.clear();
    const double gain =
        R * (rotorlnq(rotor, 298.15) - rotorlnq(single, 298.15));
    EXPECT_GT(gain, 0.5 * R * std::log(3.0));
    EXPECT_LT(gain, 1.05 * R * std::log(3.0));
  }
  for (const char* symmetric : {"CH3OH", "C2H6", "C3H8"}) {
    SCOPED_TRACE(symmetric);
    tStructure* structure = addspecies(symmetric, 20.0);
    ASSERT_NE(structure, nullptr);
    for (const TNu_HR& rotor : makethermo(*structure).rotors) {
      EXPECT_TRUE(rotor.wells.empty());
    }
  }
}

}  // namespace
}  // namespace molvane
