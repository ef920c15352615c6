// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/partition_function.h"

#include "document/drawing.h"
#include "document/session.h"
#include "testing/thermo_species.h"
#include "thermo/species.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace molvane {
namespace {

using testing::addspecies;
constexpr double R = thermoconstant::R;

TEST(PartitionFunction, SymmetryNumbersAndRotationFollowTheGeometry) {
  const struct {
    const char* species;
    int sigma;
    trotortype rotation;
  } cases[] = {
      {"H2", 2, trotortype::linear},       {"HCl", 1, trotortype::linear},
      {"CO2", 2, trotortype::linear},      {"H2O", 2, trotortype::nonlinear},
      {"NH3", 3, trotortype::nonlinear},   {"CH4", 12, trotortype::nonlinear},
      {"C2H4", 4, trotortype::nonlinear},  {"C2H6", 6, trotortype::nonlinear},
      {"C6H6", 12, trotortype::nonlinear}, {"CH3OH", 1, trotortype::nonlinear},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.species);
    tsessionguard guard;
    tStructure* structure = addspecies(each.species, 0.0);
    ASSERT_NE(structure, nullptr);
    EXPECT_EQ(symmetrynumber(*structure), each.sigma);
    EXPECT_EQ(rotationtype(*structure), each.rotation);
    EXPECT_EQ(makethermo(*structure).symmetrynumber, each.sigma);
  }
}

TEST(PartitionFunction, ModesOfSmallMolecules) {
  tsessionguard guard;
  // A diatomic: one stretch, no rotor.
  tPF& hcl = makethermo(*addspecies("HCl", 0.0));
  ASSERT_EQ(hcl.modes.size(), 1U);
  EXPECT_EQ(hcl.modes[0].degeneracy, 1);
  EXPECT_TRUE(hcl.rotors.empty());
  EXPECT_EQ(hcl.EHR(298.0), 0.0);
  // A linear bend is doubly degenerate; 3N - 5 = 4 motions.
  tPF& co2 = makethermo(*addspecies("CO2", 10.0));
  int count = 0;
  for (const TNu_vib& mode : co2.modes) {
    count += mode.degeneracy;
  }
  EXPECT_EQ(count, 4);
  EXPECT_EQ(co2.modes.back().degeneracy, 2);
  // Ethane turns about its C-C bond as a threefold rotor.
  tPF& ethane = makethermo(*addspecies("C2H6", 20.0));
  ASSERT_EQ(ethane.rotors.size(), 1U);
  EXPECT_EQ(ethane.rotors[0].rotorsymmetry, 3.0);
  EXPECT_GT(ethane.rotors[0].wavenumber, 50.0);
  EXPECT_NEAR(ethane.rotors[0].moment, 2.6e-40, 1e-40);
  // A ring's torsions do not push it past 3N - 6 motions.
  tPF& cyclohexane = makethermo(*addspecies("C6H12", 30.0));
  double motions = 0.0;
  for (const TNu_vib& mode : cyclohexane.modes) {
    motions += mode.degeneracy * mode.weight;
  }
  EXPECT_NEAR(motions, 48.0, 1e-9);
}

TEST(PartitionFunction, ModeFunctionsHaveTheirLimits) {
  const double theta = 1000.0 * thermoconstant::c2;
  EXPECT_NEAR(harmonicenergy(theta, 0.0), 0.5 * R * theta, 1e-9);
  EXPECT_NEAR(harmonicenergy(theta, 1e7), R * 1e7, 1e-3 * R * 1e7);
  // Thermal part of a 1000 cm-1 mode at 298 K: about 23 cal/mol.
  EXPECT_NEAR(harmonicenergy(theta, 298.15) - 0.5 * R * theta, 23.0, 1.0);
  TNu_HR rotor;
  rotor.moment = 2.6e-40;
  rotor.wavenumber = 300.0;
  EXPECT_NEAR(rotorenergy(rotor, 0.0), harmonicenergy(rotor.theta(), 0.0),
              1e-9);
  EXPECT_NEAR(rotorenergy(rotor, 1e9), 0.5 * R * 1e9, 1e-2 * R * 1e9);
  rotor.wavenumber = 0.0;
  EXPECT_NEAR(rotorenergy(rotor, 300.0), 0.5 * R * 300.0, 1e-9);
}

TEST(PartitionFunction, ZeroKelvinAndPhases) {
  tsessionguard guard;
  tStructure& water = *addspecies("H2O", 0.0);
  tPF& pf = makethermo(water);
  EXPECT_EQ(thermoentropy(water, 0.0, 1.0), thermoentropy(water, 0.01, 1.0));
  for (const double value :
       {thermoenergy(water, 0.0), thermoenthalpy(water, 0.0, 1.0),
        thermoentropy(water, 0.0, 0.0), pf.lnQvib(0.0), pf.dlnQvib(0.0)}) {
    EXPECT_TRUE(std::isfinite(value));
  }
  // Gas: H - E = RT, and S grows as the pressure falls, by R ln 10.
  EXPECT_NEAR(pf.enthalpy(300.0, 1.0) - pf.energy(300.0), R * 300.0, 1e-9);
  EXPECT_NEAR(pf.entropy(300.0, 0.1) - pf.entropy(300.0, 1.0),
              R * std::log(10.0), 1e-4);
  // Setting the phase reaches the object.
  const struct {
    std::uint8_t phase;
    bool entropy;
  } phases[] = {
      {liquidphase, true}, {otherphase, false}, {solventphase, false}};
  for (const auto& each : phases) {
    SCOPED_TRACE(int{each.phase});
    water.setphase(each.phase);
    EXPECT_EQ(pf.state, each.phase);
    EXPECT_EQ(thermoentropy(water, 298.0, 1.0) != 0.0, each.entropy);
    EXPECT_TRUE(std::isfinite(thermoenthalpy(water, 298.0, 1.0)));
  }
  EXPECT_EQ(makethermo(water).state, solventphase);
}

}  // namespace
}  // namespace molvane
