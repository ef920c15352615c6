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

/// Element z with n fluorines r Å away: two on the axis, the rest evenly
/// round the equator (trigonal and pentagonal bipyramids, octahedron).
tmolecule crowded(int z, double r, int n) {
  std::vector<double> atoms{
      static_cast<double>(z), 0, 0, 0, 9, 0, 0, r, 9, 0, 0, -r};
  std::vector<int> bonds{0, 1, 2, 0, 2, 2};
  for (int i = 0; i < n - 2; ++i) {
    const double phi = 2 * std::numbers::pi * i / (n - 2);
    atoms.insert(atoms.end(), {9, r * std::cos(phi), r * std::sin(phi), 0});
    bonds.insert(bonds.end(), {0, i + 3, 2});
  }
  return tmolecule(atoms, bonds);
}

/// CHFClBr with its halogens 0.25 Å out of the plane, and FHC=CHCl with
/// the chlorine turned 75 degrees out of the double bond's plane.
tmolecule statedstereo() {
  return tmolecule(
      {6,    0,     0,     0,     9,    1.35, 0,   0.25, 17,    -0.88, 1.52,
       0.25, 35,    -0.97, -1.68, 0.25, 1,    0,   0,    -1.09, 6,     4,
       0,    0,     6,     5.34,  0,    0,    9,   3.3,  1.1,   0,     1,
       3.4,  -0.95, 0,     17,    6.0,  0.4,  1.4, 1,    5.9,   -0.9,  -0.3},
      {0, 1, 2, 0, 2, 2, 0, 3, 2, 0, 4, 2,  5, 6,
       4, 5, 7, 2, 5, 8, 2, 6, 9, 2, 6, 10, 2});
}

struct tshape {
  const char* name;
  std::function<tmolecule()> build;
  /// Charges put on after building, and the atom count above which pairs
  /// come from the cut-off list.
  std::vector<std::pair<int, int>> charges;
  std::size_t allpairs;
  /// Whether the first atom and the double bonds are marked stated.
  bool stated = false;
};

/// The shape built, with its force field set up.
struct tbuilt {
  explicit tbuilt(const tshape& shape) : molecule(shape.build()) {
    for (auto [atom, charge] : shape.charges) {
      molecule.atom(atom).setcharge(charge);
    }
    if (shape.stated) {
      molecule.atom(0).stereomark = tstereomark::stated;
      for (tbond* bond : molecule.drawing.bonds) {
        if (bond->kind() == 4) {
          bond->stereomark = tstereomark::stated;
        }
      }
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
     [] { return crowded(15, 1.58, 5); },
     {},
     allpairslimit},
    {"six-coordinate sulphur",
     [] { return crowded(16, 1.56, 6); },
     {},
     allpairslimit},
    {"seven-coordinate iodine",
     [] { return crowded(53, 1.85, 7); },
     {},
     allpairslimit},
    // A nearly flat stated centre and a stated double bond turned half way,
    // so that both restraints pull.
    {"stated centre and double bond", statedstereo, {}, allpairslimit, true},
    // Ions 8 to 14 Å apart, listed with the cut-off: some pairs fade out.
    {"faded ions",
     [] {
       return tmolecule({11,   0, 0, 0, 17, 10.5, 0, 0,  7, 0,
                         11.2, 0, 8, 6, 6,  6,    6, -3, 8, 2},
                        {});
     },
     {{0, 1}, {1, -1}},
     0}};

enum class tfamily {
  stretch,
  bend,
  torsion,
  planarity,
  nonbonded,
  chirality,
  whole
};
const char* const familynames[] = {"stretch",   "bend",      "torsion",
                                   "planarity", "nonbonded", "chirality",
                                   "whole"};

TXYZ at(std::span<const double> xyz, std::int32_t atom) {
  const auto i = static_cast<std::size_t>(atom) * 3;
  return {xyz[i], xyz[i + 1], xyz[i + 2]};
}

/// Sums gradientof(term, places, g) over terms, adding each g to grad.
template <typename tterm, std::size_t n, typename tfunction>
double sumof(const std::vector<tterm>& terms, std::span<const double> xyz,
             std::span<double> grad, tfunction gradientof) {
  double total = 0.0;
  std::array<TXYZ, n> places{}, g{};
  for (const tterm& term : terms) {
    for (std::size_t k = 0; k < n; ++k) {
      places[k] = term.atoms[k] >= 0 ? at(xyz, term.atoms[k]) : TXYZ{};
    }
    total += gradientof(term, places, g);
    for (std::size_t k = 0; k < n && term.atoms[k] >= 0; ++k) {
      const auto i = static_cast<std::size_t>(term.atoms[k]) * 3;
      grad[i] += g[k].x;
      grad[i + 1] += g[k].y;
      grad[i + 2] += g[k].z;
    }
  }
  return total;
}

/// The energy of one family of terms at xyz, its gradient into grad; the
/// whole field through its own functions.
double familyenergy(tforcefield& field, tfamily family,
                    std::span<const double> xyz, std::span<double> grad) {
  std::fill(grad.begin(), grad.end(), 0.0);
  const double apu = field.angstromperunit();
  const tpairswitch fade =
      field.listspairs()
          ? tpairswitch{tforcefield::fadestart, tforcefield::fadeend}
          : tpairswitch{};
  double theta = 0.0;
  switch (family) {
    case tfamily::stretch:
      return sumof<tstretch, 2>(field.stretches(), xyz, grad,
                                [](auto& t, auto& p, auto& g) {
                                  return stretchgradient(t, p[0], p[1], g);
                                });
    case tfamily::bend:
      return sumof<tangle, 3>(
          field.bends(), xyz, grad, [&theta](auto& t, auto& p, auto& g) {
            return bendgradient(t, p[0], p[1], p[2], g, theta);
          });
    case tfamily::torsion:
      return sumof<ttorque, 4>(
          field.torsions(), xyz, grad, [](auto& t, auto& p, auto& g) {
            return torsiongradient(t, p[0], p[1], p[2], p[3], g);
          });
    case tfamily::planarity:
      return sumof<tstrain, 4>(
          field.planarities(), xyz, grad, [](auto& t, auto& p, auto& g) {
            return planaritygradient(t, p[0], p[1], p[2], p[3], g);
          });
    case tfamily::nonbonded:
      return sumof<tnbpair, 3>(
          field.nonbonded(), xyz, grad, [&](auto& t, auto& p, auto& g) {
            return pairgradient(t, {p[0], p[1], p[2]}, apu, fade, g);
          });
    case tfamily::chirality:
      return sumof<tchirality, 4>(
          field.chiralities(), xyz, grad, [](auto& t, auto& p, auto& g) {
            return chiralitygradient(t, p[0], p[1], p[2], p[3], g);
          });
    default:
      return field.gradient(xyz, grad);
  }
}

class ForceFieldGradient
    : public ::testing::TestWithParam<std::tuple<std::size_t, tfamily>> {};

TEST_P(ForceFieldGradient, MatchesCentralDifferencesAtRandomGeometries) {
  const tfamily family = std::get<1>(GetParam());
  tbuilt built(shapes[std::get<0>(GetParam())]);
  tforcefield& field = built.field;
  const double units = built.molecule.units();
  std::mt19937 random(7);
  std::uniform_real_distribution<double> jiggle(-0.15 * units, 0.15 * units);
  const std::vector<double> start = field.coordinates();
  std::vector<double> grad(start.size()), ignored(start.size());
  for (int geometry = 0; geometry < 4; ++geometry) {
    SCOPED_TRACE(geometry);
    std::vector<double> xyz = start;
    for (double& v : xyz) {
      v += jiggle(random);
    }
    familyenergy(field, family, xyz, grad);
    double largest = 0.0, worst = 0.0;
    for (double g : grad) {
      largest = std::max(largest, std::abs(g));
    }
    const double h = 1e-5 * units;
    for (std::size_t k = 0; k < xyz.size(); ++k) {
      const double keep = xyz[k];
      xyz[k] = keep + h;
      const double up = familyenergy(field, family, xyz, ignored);
      xyz[k] = keep - h;
      const double down = familyenergy(field, family, xyz, ignored);
      xyz[k] = keep;
      worst = std::max(worst, std::abs((up - down) / (2 * h) - grad[k]));
    }
    EXPECT_LE(worst, 1e-6 * largest);
  }
}

INSTANTIATE_TEST_SUITE_P(
    TermFamiliesAndMolecules, ForceFieldGradient,
    ::testing::Combine(::testing::Range<std::size_t>(0, std::size(shapes)),
                       ::testing::Values(tfamily::stretch, tfamily::bend,
                                         tfamily::torsion, tfamily::planarity,
                                         tfamily::nonbonded, tfamily::chirality,
                                         tfamily::whole)),
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

TEST(ForceFieldGradient, EveryFamilyAndHydrogenBondsAreChecked) {
  std::array<std::size_t, 6> counts{};
  for (const tshape& shape : shapes) {
    tbuilt built(shape);
    counts[0] += built.field.stretches().size();
    counts[1] += built.field.bends().size();
    counts[2] += built.field.torsions().size();
    counts[3] += built.field.planarities().size();
    for (const tnbpair& pair : built.field.nonbonded()) {
      counts[4] += pair.type == tpairtype::hydrogenbond;
    }
    for (const tchirality& term : built.field.chiralities()) {
      counts[5] += term.energy > 0.0 ? 1 : 0;
    }
  }
  EXPECT_EQ(std::count(counts.begin(), counts.end(), 0U), 0);
}

TEST(ForceFieldGradient, StaysFiniteWhereTermsAreNotSmooth) {
  // A straight F-P-F, a five-coordinate angle just at the 94 degree switch
  // of its reference, a torsion with three atoms on a line, and an atom on
  // top of another.
  tmolecule phosphorus = crowded(15, 1.58, 5);
  phosphorus.atom(3).z = -0.07 * phosphorus.units() * 1.58;
  tmolecule butane({6, 0, 0, 0,   6,   1.53, 0, 0,   6,   3.06,
                    0, 0, 6, 3.5, 1.4, 0,    8, 0.0, 0.0, 0.0},
                   {0, 1, 2, 1, 2, 2, 2, 3, 2});
  for (tmolecule* m : {&phosphorus, &butane}) {
    tforcefield field(m->drawing);
    ASSERT_EQ(field.setupforcefield(), "");
    std::vector<double> xyz = field.coordinates(), near = xyz;
    std::vector<double> grad(xyz.size()), nearby(xyz.size());
    EXPECT_TRUE(std::isfinite(field.gradient(xyz, grad)));
    // Close by the gradient is as large as it gets; at the point it is no
    // larger.
    for (std::size_t k = 0; k < near.size(); ++k) {
      near[k] += 1e-3 * static_cast<double>(k % 3 + 1);
    }
    field.gradient(near, nearby);
    double here = 0.0, around = 0.0;
    for (std::size_t k = 0; k < grad.size(); ++k) {
      ASSERT_TRUE(std::isfinite(grad[k])) << k;
      here = std::max(here, std::abs(grad[k]));
      around = std::max(around, std::abs(nearby[k]));
    }
    EXPECT_LE(here, 10.0 * around + 1.0);
  }
}

}  // namespace
}  // namespace molvane
