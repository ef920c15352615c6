// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"
#include "mechanics/force_field.h"
#include "testing/molecule_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace molvane {
namespace {

using testing::tmolecule;

constexpr double pi = std::numbers::pi;

/// A centre of element z with n fluorines around it (Å), on a sphere of
/// radius r in the directions given as (polar, azimuth) in degrees.
tmolecule fluoride(int z, double r,
                   const std::vector<std::pair<double, double>>& at) {
  std::vector<double> atoms{static_cast<double>(z), 0, 0, 0};
  std::vector<int> bonds;
  for (std::size_t i = 0; i < at.size(); ++i) {
    const double theta = at[i].first * pi / 180, phi = at[i].second * pi / 180;
    atoms.insert(atoms.end(),
                 {9, r * std::sin(theta) * std::cos(phi),
                  r * std::sin(theta) * std::sin(phi), r * std::cos(theta)});
    bonds.insert(bonds.end(), {0, static_cast<int>(i) + 1, 2});
  }
  return tmolecule(atoms, bonds);
}

struct tshape {
  const char* name;
  std::function<tmolecule()> build;
  /// Charges put on after building.
  std::vector<std::pair<int, int>> charges;
  /// More atoms than this get the cut-off pair list.
  std::size_t allpairs = allpairslimit;
};

/// Builds the shape and sets up its force field.
struct tbuilt {
  explicit tbuilt(const tshape& shape) : molecule(shape.build()) {
    for (auto [atom, charge] : shape.charges) {
      molecule.atom(atom).setcharge(charge);
    }
    field.setallpairslimit(shape.allpairs);
    EXPECT_EQ(field.setupforcefield(), "");
  }
  tmolecule molecule;
  tforcefield field{molecule.drawing};
};

const tshape shapes[] = {
    {"ethane", testing::ethane, {}, allpairslimit},
    {"formaldehyde", testing::formaldehyde, {}, allpairslimit},
    {"charged chain with a ring",
     testing::mixedmolecule,
     {{8, 1}, {5, -1}},
     allpairslimit},
    {"hydrogen-bonded water dimer",
     [] {
       return tmolecule({1,   -0.3, 0.9, 0,    8, 0, 0, 0,   1,   1.8,
                         0.1, 0.2,  8,   2.75, 0, 0, 1, 3.1, 0.9, 0.1},
                        {0, 1, 2, 2, 3, 2, 3, 4, 2});
     },
     {},
     allpairslimit},
    {"five-coordinate phosphorus",
     [] {
       return fluoride(15, 1.58,
                       {{0, 0}, {180, 0}, {90, 0}, {90, 120}, {90, 240}});
     },
     {},
     allpairslimit},
    {"six-coordinate sulphur",
     [] {
       return fluoride(
           16, 1.56,
           {{0, 0}, {180, 0}, {90, 0}, {90, 90}, {90, 180}, {90, 270}});
     },
     {},
     allpairslimit},
    {"seven-coordinate iodine",
     [] {
       return fluoride(53, 1.85,
                       {{0, 0},
                        {180, 0},
                        {90, 0},
                        {90, 72},
                        {90, 144},
                        {90, 216},
                        {90, 288}});
     },
     {},
     allpairslimit},
    // Ions and atoms 8 to 14 Å apart, listed with the cut-off so that some
    // pairs are fading out.
    {"faded ions",
     [] {
       return tmolecule({11,   0, 0, 0, 17, 10.5, 0, 0,  7, 0,
                         11.2, 0, 8, 6, 6,  6,    6, -3, 8, 2},
                        {});
     },
     {{0, 1}, {1, -1}},
     0}};

enum class tfamily { stretch, bend, torsion, planarity, nonbonded, whole };
constexpr tfamily families[] = {tfamily::stretch,   tfamily::bend,
                                tfamily::torsion,   tfamily::planarity,
                                tfamily::nonbonded, tfamily::whole};
const char* const familynames[] = {"stretch",   "bend",      "torsion",
                                   "planarity", "nonbonded", "whole"};

TXYZ at(std::span<const double> xyz, std::int32_t atom) {
  const auto i = static_cast<std::size_t>(atom) * 3;
  return {xyz[i], xyz[i + 1], xyz[i + 2]};
}

/// The energy of one family of terms at xyz, and its gradient into grad
/// when grad is not empty; the whole field through its own functions.
double familyenergy(tforcefield& field, tfamily family,
                    std::span<const double> xyz, std::span<double> grad) {
  if (family == tfamily::whole) {
    return grad.empty() ? field.energy(xyz) : field.gradient(xyz, grad);
  }
  std::fill(grad.begin(), grad.end(), 0.0);
  double total = 0.0;
  auto scatter = [&grad](const auto& atoms, const auto& g, std::size_t n) {
    for (std::size_t k = 0; k < n && !grad.empty(); ++k) {
      const auto i = static_cast<std::size_t>(atoms[k]) * 3;
      grad[i] += g[k].x;
      grad[i + 1] += g[k].y;
      grad[i + 2] += g[k].z;
    }
  };
  const tpairswitch fade =
      field.listspairs()
          ? tpairswitch{tforcefield::fadestart, tforcefield::fadeend}
          : tpairswitch{};
  std::array<TXYZ, 2> g2{};
  std::array<TXYZ, 3> g3{};
  std::array<TXYZ, 4> g4{};
  double theta = 0.0;
  switch (family) {
    case tfamily::stretch:
      for (const tstretch& t : field.stretches()) {
        total +=
            stretchgradient(t, at(xyz, t.atoms[0]), at(xyz, t.atoms[1]), g2);
        scatter(t.atoms, g2, 2);
      }
      break;
    case tfamily::bend:
      for (const tangle& t : field.bends()) {
        total += bendgradient(t, at(xyz, t.atoms[0]), at(xyz, t.atoms[1]),
                              at(xyz, t.atoms[2]), g3, theta);
        scatter(t.atoms, g3, 3);
      }
      break;
    case tfamily::torsion:
      for (const ttorque& t : field.torsions()) {
        total += torsiongradient(t, at(xyz, t.atoms[0]), at(xyz, t.atoms[1]),
                                 at(xyz, t.atoms[2]), at(xyz, t.atoms[3]), g4);
        scatter(t.atoms, g4, 4);
      }
      break;
    case tfamily::planarity:
      for (const tstrain& t : field.planarities()) {
        total +=
            planaritygradient(t, at(xyz, t.atoms[0]), at(xyz, t.atoms[1]),
                              at(xyz, t.atoms[2]), at(xyz, t.atoms[3]), g4);
        scatter(t.atoms, g4, 4);
      }
      break;
    default:
      for (const tnbpair& t : field.nonbonded()) {
        const tpairplaces places{
            at(xyz, t.atoms[0]), at(xyz, t.atoms[1]),
            t.atoms[2] >= 0 ? at(xyz, t.atoms[2]) : TXYZ{}};
        total += pairgradient(t, places, field.angstromperunit(), fade, g3);
        // The energy alone must agree with the one beside the gradient.
        EXPECT_DOUBLE_EQ(
            pairenergy(t, places, field.angstromperunit(), fade),
            pairgradient(t, places, field.angstromperunit(), fade, g3));
        scatter(t.atoms, g3, t.atoms[2] >= 0 ? 3 : 2);
      }
  }
  return total;
}

class ForceFieldGradient
    : public ::testing::TestWithParam<std::tuple<std::size_t, tfamily>> {};

TEST_P(ForceFieldGradient, MatchesCentralDifferencesAtRandomGeometries) {
  const tshape& shape = shapes[std::get<0>(GetParam())];
  const tfamily family = std::get<1>(GetParam());
  tbuilt built(shape);
  tmolecule& molecule = built.molecule;
  tforcefield& field = built.field;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> jiggle(-0.15 * molecule.units(),
                                                0.15 * molecule.units());
  const std::vector<double> start = field.coordinates();
  std::vector<double> grad(start.size()), ignored;
  bool any = false;
  for (int geometry = 0; geometry < 4; ++geometry) {
    SCOPED_TRACE(geometry);
    std::vector<double> xyz = start;
    for (double& v : xyz) {
      v += jiggle(random);
    }
    familyenergy(field, family, xyz, grad);
    const double largest = std::abs(*std::max_element(
        grad.begin(), grad.end(),
        [](double a, double b) { return std::abs(a) < std::abs(b); }));
    if (largest == 0.0) {
      continue;
    }
    any = true;
    const double h = 1e-5 * molecule.units();
    double worst = 0.0;
    for (std::size_t k = 0; k < xyz.size(); ++k) {
      const double keep = xyz[k];
      xyz[k] = keep + h;
      const double up = familyenergy(field, family, xyz, ignored);
      xyz[k] = keep - h;
      const double down = familyenergy(field, family, xyz, ignored);
      xyz[k] = keep;
      worst = std::max(worst, std::abs((up - down) / (2 * h) - grad[k]));
    }
    EXPECT_LE(worst / largest, 1e-6);
  }
  if (!any && family == tfamily::whole) {
    ADD_FAILURE() << "the whole field has no gradient";
  }
}

INSTANTIATE_TEST_SUITE_P(
    TermFamiliesAndMolecules, ForceFieldGradient,
    ::testing::Combine(::testing::Range<std::size_t>(0, std::size(shapes)),
                       ::testing::ValuesIn(families)),
    [](const auto& param) {
      std::string name =
          std::string(shapes[std::get<0>(param.param)].name) + "_" +
          familynames[static_cast<int>(std::get<1>(param.param))];
      std::replace_if(
          name.begin(), name.end(),
          [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
          '_');
      return name;
    });

TEST(ForceFieldGradient, EveryFamilyIsCheckedSomewhere) {
  std::array<std::size_t, 5> counts{};
  for (const tshape& shape : shapes) {
    tbuilt built(shape);
    tforcefield& field = built.field;
    counts[0] += field.stretches().size();
    counts[1] += field.bends().size();
    counts[2] += field.torsions().size();
    counts[3] += field.planarities().size();
    std::size_t hydrogenbonds = 0;
    for (const tnbpair& pair : field.nonbonded()) {
      hydrogenbonds += pair.type == tpairtype::hydrogenbond;
    }
    counts[4] += hydrogenbonds;
  }
  for (std::size_t count : counts) {
    EXPECT_GT(count, 0U);
  }
}

TEST(ForceFieldGradient, StaysFiniteWhereTermsAreNotSmooth) {
  // A straight F-P-F, a five-coordinate angle exactly at the 94 degree
  // switch of its reference, a torsion with three atoms on a line, and two
  // atoms on top of each other.
  tmolecule phosphorus =
      fluoride(15, 1.58, {{0, 0}, {180, 0}, {94, 0}, {90, 120}, {90, 240}});
  tmolecule butane({6, 0, 0, 0,   6,   1.53, 0, 0,   6,   3.06,
                    0, 0, 6, 3.5, 1.4, 0,    8, 0.0, 0.0, 0.0},
                   {0, 1, 2, 1, 2, 2, 2, 3, 2});
  for (tmolecule* m : {&phosphorus, &butane}) {
    tforcefield field(m->drawing);
    ASSERT_EQ(field.setupforcefield(), "");
    std::vector<double> xyz = field.coordinates();
    std::vector<double> grad(xyz.size());
    const double e = field.gradient(xyz, grad);
    EXPECT_TRUE(std::isfinite(e));
    // Nearby the gradient is as large as it gets; at the point it is no
    // larger.
    std::vector<double> near = xyz, nearby(xyz.size());
    for (std::size_t k = 0; k < near.size(); ++k) {
      near[k] += 1e-3 * static_cast<double>(k % 3 + 1);
    }
    field.gradient(near, nearby);
    double at = 0.0, around = 0.0;
    for (std::size_t k = 0; k < grad.size(); ++k) {
      EXPECT_TRUE(std::isfinite(grad[k])) << k;
      at = std::max(at, std::abs(grad[k]));
      around = std::max(around, std::abs(nearby[k]));
    }
    EXPECT_LE(at, 10.0 * around + 1.0);
  }
}

}  // namespace
}  // namespace molvane
