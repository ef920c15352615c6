// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/electron_config.h"

#include "model/element_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace molvane {
namespace {

constexpr double bohr = 0.5292;

TEST(ElectronConfig, EnergiesFollowTheShieldingAndPairingRules) {
  const TEConfig hydrogen(1, 0);
  EXPECT_EQ(hydrogen.configtext(), "1s1");
  EXPECT_DOUBLE_EQ(hydrogen.totalenergy(), -13.595);
  // Carbon 1s2 2s2 2p2: 2p is screened by the three other n = 2 electrons
  // and by 1s; -13.595 * sum(electrons * (Zeff / n)^2) over the subshells.
  const TEConfig carbon(6, 0);
  EXPECT_EQ(carbon.configtext(), "1s2 2s2 2p2");
  EXPECT_NEAR(carbon.zeff(2), 6 - (3 * 0.3218 + 2 * 0.9355), 1e-12);
  EXPECT_NEAR(carbon.totalenergy(), -1024.5225468, 1e-6);
  // A lone subshell round Z = 100 pays 14.1 / n^2 per paired p electron
  // and 99.6 / n^2 per paired d electron, nothing up to half filling.
  const struct {
    int subshell;
    int electrons;
    double energy;
  } lone[] = {
      {2, 3, -100654.2622005}, {2, 4, -133334.2229014}, {5, 6, -87729.1498915}};
  for (const auto& c : lone) {
    SCOPED_TRACE(c.electrons);
    TEConfig atom(100, 0);
    atom.occupancy = {};
    atom.occupancy[c.subshell] = c.electrons;
    EXPECT_NEAR(atom.totalenergy(), c.energy, 1e-6);
  }
}

TEST(ElectronConfig, EverySubshellIsScreenedByItsOwnRule) {
  const double A = 0.3218, B = 0.8921, Bp = 0.9355, C = 0.0352, D = 0.9143,
               E = 0.8933, G = 0.941, s = 0.35, t = 0.85;
  struct tcase {
    int z;
    int subshell;
    double zeff;
  };
  const tcase cases[] = {
      {11, 3, 11 - (8 * B + 2 * G)},                   // Na 3s
      {17, 4, 17 - (6 * A + 8 * Bp + 2 * G)},          // Cl 3p
      {26, 5, 26 - (5 * A + 8 * E + 10 * G)},          // Fe 3d
      {26, 6, 26 - (1 * A + 6 * D + 8 * B + 10 * G)},  // Fe 4s
      {47, 10, 47 - (10 * D + 36 * G)},                // Ag 5s
      {64, 9, 64 - (6 * s + 46 * G)},                  // Gd 4f
      {64, 12, 64 - (61 * G)},                         // Gd 5d
      {92, 17, 92 - (1 * s + 9 * t + 81 * G)},         // U 7s
  };
  for (const tcase& c : cases) {
    SCOPED_TRACE(std::to_string(c.z) + " " +
                 std::string(TEConfig::subshellname(c.subshell)));
    EXPECT_NEAR(TEConfig(c.z, 0).zeff(c.subshell), c.zeff, 1e-9);
  }
  // 3d electrons screen 3s and 3p a little (C), 5d ones screen 5s (C).
  EXPECT_NEAR(TEConfig(30, 0).zeff(3), 30 - (7 * A + 10 * C + 8 * B + 2 * G),
              1e-9);
  EXPECT_NEAR(TEConfig(78, 0).zeff(10), 78 - (7 * A + 9 * C + 10 * D + 36 * G),
              1e-9);
  EXPECT_EQ(TEConfig(6, 0).zeff(nosubshell), 0.0);
  EXPECT_DOUBLE_EQ(TEConfig(1, 0).zeff(0), 1.0);
}

// Each row that breaks the filling order, with the subshells it changes.
TEST(ElectronConfig, ExceptionalRowsOverrideTheFillingOrder) {
  struct texception {
    int electrons;
    std::vector<std::pair<int, int>> occupancies;  // subshell, electrons
  };
  const texception rows[] = {{24, {{5, 5}, {6, 1}}},
                             {46, {{8, 10}, {10, 0}}},
                             {92, {{13, 3}, {16, 1}}}};
  for (const texception& row : rows) {
    SCOPED_TRACE(row.electrons);
    const TEConfig atom(row.electrons, 0);
    for (const auto& [subshell, electrons] : row.occupancies) {
      EXPECT_EQ(atom.occupancy[subshell], electrons) << subshell;
    }
  }
  EXPECT_EQ(TEConfig(26, 2).configtext(), "1s2 2s2 2p6 3s2 3p6 3d5 4s1");
  EXPECT_EQ(TEConfig(57, 0).configtext(),
            "1s2 2s2 2p6 3s2 3p6 3d10 4s2 4p6 4d10 4f0 5s2 5p6 5d1 5f0 6s2");
}

TEST(ElectronConfig, OtherRowsFillOneSubshellAtATime) {
  const std::vector<int> exceptions = {24, 29, 41, 42, 43, 44, 45, 46, 47, 57,
                                       64, 78, 79, 89, 90, 91, 92, 96, 97};
  TEConfig atom(0, 0);
  for (int electrons = 0; electrons <= maxelectrons; ++electrons) {
    SCOPED_TRACE(electrons);
    atom.loadconfiguration(electrons);
    EXPECT_EQ(atom.electroncount(), electrons);
    if (std::find(exceptions.begin(), exceptions.end(), electrons) !=
        exceptions.end()) {
      continue;
    }
    // Along the filling order: full subshells, at most one partial one,
    // then empty ones.
    int stage = 0;
    for (int s = 0; s != nosubshell; s = TEConfig::nextsubshell(s)) {
      const int count = atom.occupancy[s];
      const int full = TEConfig::subshellcapacity(s);
      const int kind = count == full ? 0 : count == 0 ? 2 : 1;
      EXPECT_GE(kind, stage) << TEConfig::subshellname(s);
      stage = kind == 1 ? 2 : std::max(stage, kind);
    }
  }
}

TEST(ElectronConfig, EditingRespectsCapacitiesAndFillingOrder) {
  TEConfig atom(18, 0);  // Ar
  EXPECT_EQ(atom.firstnotfull(), 5);
  EXPECT_FALSE(atom.addelectron(4));  // 3p is full
  ASSERT_TRUE(atom.addelectron());    // the 19th electron goes into 4s
  EXPECT_EQ(atom.occupancy[6], 1);
  ASSERT_TRUE(atom.addelectron(5));
  ASSERT_TRUE(atom.removeelectron());  // 3d comes after 4s in the order
  EXPECT_EQ(atom.occupancy[5], 0);
  ASSERT_TRUE(atom.moveelectron(6, 5));
  EXPECT_EQ(atom.configtext(), "1s2 2s2 2p6 3s2 3p6 3d1");
  EXPECT_FALSE(atom.moveelectron(6, 5));  // 4s is empty now
  EXPECT_FALSE(atom.moveelectron(5, 0));  // 1s is full
  EXPECT_FALSE(atom.moveelectron(5, 18));
  EXPECT_FALSE(atom.removeelectron(-1));
  EXPECT_EQ(atom.occupancysum(-5, 100), 19);
  atom.loadconfiguration(maxelectrons);
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(atom.addelectron());
  }
  EXPECT_FALSE(atom.addelectron());
  EXPECT_EQ(atom.firstempty(), nosubshell);
  atom.loadconfiguration(0);
  EXPECT_FALSE(atom.removeelectron());
  EXPECT_EQ(atom.highestoccupied(), nosubshell);
}

TEST(ElectronConfig, EnergyDifferencesUseTableRowsAndLeaveTheObjectAlone) {
  TEConfig carbon(6, 0);
  ASSERT_TRUE(carbon.moveelectron(1, 2));  // an excited 2s1 2p3 state
  const TEConfig::toccupancy edited = carbon.occupancy;
  const double e0 = TEConfig(6, 0).totalenergy();
  const double eplus = TEConfig(6, 1).totalenergy();
  const double eminus = TEConfig(6, -1).totalenergy();
  EXPECT_DOUBLE_EQ(carbon.ionisationenergy(), eplus - e0);
  EXPECT_DOUBLE_EQ(carbon.electronaffinity(), e0 - eminus);
  EXPECT_DOUBLE_EQ(carbon.hardness(), (eplus - e0 + eminus - e0) / 2);
  EXPECT_EQ(carbon.occupancy, edited);
  // A bare nucleus cannot lose another electron.
  EXPECT_EQ(TEConfig(2, 2).ionisationenergy(), 0.0);
}

TEST(ElectronConfig, RadiiAndElectronegativity) {
  const TEConfig hydrogen(1, 0);
  EXPECT_DOUBLE_EQ(hydrogen.orbitalradius(0), bohr);
  EXPECT_DOUBLE_EQ(hydrogen.orbitalradius(1), bohr / 2);
  // H2- puts its third electron into 2s, which the model does not bind; it
  // is H- widened by the electron ratio 3 : 2.
  const double hminus = bohr / (1 - 0.2959);
  EXPECT_DOUBLE_EQ(hydrogen.orbitalradius(-1), hminus);
  EXPECT_DOUBLE_EQ(hydrogen.orbitalradius(-2), hminus * 3 / 2);
  // "R" and the unnamed point have no nuclear charge to divide by.
  EXPECT_DOUBLE_EQ(TEConfig(0, 0).orbitalradius(0), bohr);
  // The arriving electron joins 1s (H-), Z* = 1 - 0.2959, r = 0.29 / Z*:
  // 0.359 Z* / r^2 + 0.744.
  EXPECT_NEAR(hydrogen.electronegativity(), 2.2340522093, 1e-9);
  EXPECT_EQ(TEConfig(0, 0).electronegativity(), 0.0);
  // The ion radius scales the covalent radius.
  EXPECT_EQ(ionradiusof(6, 0), 0.77);
  // Na+ has the 2p shell of neon outside; neutral Na a single 3s electron.
  const double rplus = bohr * 4 / (11 - (7 * 0.3218 + 2 * 0.9355));
  const double rneutral = bohr * 9 / (11 - (8 * 0.8921 + 2 * 0.941));
  EXPECT_NEAR(ionradiusof(11, 1), 1.86 * rplus / rneutral, 1e-12);
  EXPECT_EQ(ionradiusof(-1, 2), 0.0);
}

TEST(ElectronConfig, PartialChargeElectronegativityIsAParabola) {
  for (int dq : {-1, 0, 1}) {
    const double chi = TEConfig(26, 2 + dq).electronegativity();
    EXPECT_NEAR(electronegativityatpartial(26, 2, dq), std::max(0.0, chi),
                1e-9);
  }
  for (double delta = -6; delta <= 6; delta += 0.25) {
    EXPECT_GE(electronegativityatpartial(8, -1, delta), 0.0) << delta;
  }
}

TEST(ElectronConfig, EveryStateIsClampedToTheTableAndGivesFiniteProperties) {
  for (int z = firstelement; z <= lastelement; ++z) {
    for (int q : {INT_MIN, -200, -3, -2, -1, 0, 1, 2, 3, 5, 8, 200, INT_MAX}) {
      SCOPED_TRACE(std::to_string(z) + " " + std::to_string(q));
      const TEConfig atom(z, q);
      for (int s = 0; s <= nosubshell; ++s) {
        ASSERT_TRUE(std::isfinite(atom.zeff(s)));
      }
      for (double value :
           {atom.hardness(), atom.electronaffinity(), atom.electronegativity(),
            electronegativityatpartial(z, q, 0.4), ionradiusof(z, q)}) {
        ASSERT_TRUE(std::isfinite(value));
      }
      ASSERT_GE(atom.ionisationenergy(), 0.0);
      ASSERT_TRUE(atom.orbitalradius(q) > 0.0 && atom.orbitalradius(q) < 1e9);
      ASSERT_TRUE(atom.welldepthcal() >= 10.0 && atom.welldepthcal() <= 1000.0);
    }
  }
  EXPECT_NEAR(TEConfig(6, 0).welldepthcal(), 100.0, 2.0);
  EXPECT_LT(TEConfig(2, 0).welldepthcal(), TEConfig(54, 0).welldepthcal());
  EXPECT_LT(TEConfig(17, 0).welldepthcal(), TEConfig(17, -1).welldepthcal());
  // Electron counts outside the table are clamped.
  EXPECT_EQ(TEConfig(17, -1).configtext(), TEConfig(18, 0).configtext());
  for (auto [z, q] : {std::pair{1, 2}, {-1, 0}, {6, INT_MAX}}) {
    EXPECT_EQ(TEConfig(z, q).configtext(), "");
  }
  EXPECT_EQ(TEConfig(103, INT_MIN).electroncount(), maxelectrons);
}

}  // namespace
}  // namespace molvane
