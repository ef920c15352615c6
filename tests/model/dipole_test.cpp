// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dipole.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace molvane {
namespace {

class Dipole : public testing::tdrawingtest {
 protected:
  /// Drawing units per ångström at the standard bond of 30 pixels.
  static constexpr double units = 30.0 / 1.53;

  /// A heavy atom at the origin with hydrogens (or one other element) at
  /// the given places in Å, joined to it by single bonds.
  tatm* molecule(int centre, const std::vector<std::array<double, 3>>& others,
                 int other = 1, int kind = 2) {
    tatm* heavy = atom(centre, 100, 100, 0);
    for (const auto& [x, y, z] : others) {
      bond(heavy, atom(other, 100 + x * units, 100 + y * units, z * units),
           kind);
    }
    return heavy;
  }

  /// Water with O-H 0.9572 Å and H-O-H 104.52°, its C2 axis along y.
  void water() {
    const double half = 104.52 / 2 * std::numbers::pi / 180;
    molecule(8, {{0.9572 * std::sin(half), 0.9572 * std::cos(half), 0},
                 {-0.9572 * std::sin(half), 0.9572 * std::cos(half), 0}});
  }

  /// Ammonia with N-H 1.012 Å and H-N-H 106.7°, its C3 axis along z.
  void ammonia() {
    const double r = 1.012;
    const double a = 2 * r * std::sin(106.7 / 2 * std::numbers::pi / 180) /
                     std::sqrt(3.0);
    const double h = std::sqrt(r * r - a * a);
    std::vector<std::array<double, 3>> hydrogens;
    for (int k = 0; k < 3; ++k) {
      const double turn = k * 2 * std::numbers::pi / 3;
      hydrogens.push_back({a * std::cos(turn), a * std::sin(turn), -h});
    }
    molecule(7, hydrogens);
  }

  double debye() {
    equilibratepartialcharges(drawing());
    return dipolemoment(drawing()).debye;
  }
  double modeldebye() {
    drawing().equilibratecharges();
    for (tatm* a : drawing().atoms) {
      a->qpartial = static_cast<float>(a->eqcharge);
    }
    return dipolemoment(drawing()).debye;
  }
};

TEST_F(Dipole, Explore) {
  water();
  std::printf("water %f %f\n", debye(), modeldebye());
}
TEST_F(Dipole, ExploreHF) {
  molecule(9, {{0.917, 0, 0}});
  std::printf("HF %f %f\n", debye(), modeldebye());
}
TEST_F(Dipole, ExploreNH3) {
  ammonia();
  std::printf("NH3 %f %f\n", debye(), modeldebye());
}
TEST_F(Dipole, ExploreCO2) {
  molecule(6, {{1.16, 0, 0}, {-1.16, 0, 0}}, 8, 4);
  std::printf("CO2 %f %f\n", debye(), modeldebye());
  for (tatm* a : drawing().atoms) std::printf(" q %f\n", a->qpartial);
}
TEST_F(Dipole, ExploreHCl) {
  molecule(17, {{1.275, 0, 0}});
  std::printf("HCl %f %f\n", debye(), modeldebye());
}

}  // namespace
}  // namespace molvane
