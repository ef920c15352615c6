// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/force_field.h"

#include "document/drawing.h"
#include "mechanics/force_field_parameters.h"
#include "testing/molecule_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace molvane {
namespace {

using testing::alkane;
using testing::ethane;
using testing::formaldehyde;
using testing::mixedmolecule;
using testing::tmolecule;

constexpr double pi = std::numbers::pi;

tforcefield& setup(tforcefield& field) {
  EXPECT_EQ(field.setupforcefield(), "");
  return field;
}

TEST(ForceField, EthaneHasTheWorkedTerms) {
  tmolecule molecule = ethane();
  tforcefield field(molecule.drawing);
  setup(field);
  ASSERT_EQ(field.stretches().size(), 7U);
  EXPECT_NEAR(1.0 / field.stretches()[0].inverselength,
              molecule.drawing.geometry().bondlength, 1e-9);
  EXPECT_EQ(field.bends().size(), 12U);
  // Nine equal torsions: a rotation barrier of 3.0 kcal/mol.
  ASSERT_EQ(field.torsions().size(), 9U);
  for (const ttorque& torsion : field.torsions()) {
    EXPECT_NEAR(torsion.barrier, 1000.0 / 6.0, 1e-9);
  }
}

TEST(ForceField, WorkedEnergiesOfStretchHydrogenBondAndIons) {
  struct tcase {
    double factor, energy;
  };
  // The stretched side follows the curvature of the compressed side at the
  // minimum (5 D x²), so strain in the angles cannot pull bonds long.
  for (const tcase& c : {tcase{1.0, 0.0}, tcase{1.1, 4210.0},
                         tcase{0.9, 5286.9}, tcase{0.0, 84200 * 69.8296}}) {
    SCOPED_TRACE(c.factor);
    tmolecule molecule({6, 0, 0, 0, 6, 1.53 * c.factor, 0, 0}, {0, 1, 2});
    tforcefield field(molecule.drawing);
    EXPECT_NEAR(field.termenergy(setup(field).stretches()[0]), c.energy,
                c.energy * 1e-2 + 0.05);
  }
  // H-O...H-O on one line, O...O 2.73 Å: one hydrogen bond, although each
  // hydrogen forms a pair with the other oxygen.
  tmolecule dimer({1, -0.96, 0, 0, 8, 0, 0, 0, 1, 1.77, 0, 0, 8, 2.73, 0, 0},
                  {0, 1, 2, 2, 3, 2});
  tforcefield field(dimer.drawing);
  double bonds = 0.0;
  for (tnbpair& pair : setup(field).nonbonded()) {
    bonds +=
        pair.type == tpairtype::hydrogenbond ? field.termenergy(pair) : 0.0;
  }
  EXPECT_NEAR(bonds, -9000.0, 0.1);

  tmolecule ions({11, 0, 0, 0, 17, 3, 0, 0}, {});
  ions.atom(0).setcharge(1);
  ions.atom(1).setcharge(-1);
  tforcefield ionfield(ions.drawing);
  tnbpair& pair = setup(ionfield).nonbonded().at(0);
  ASSERT_EQ(pair.type, tpairtype::charged);
  EXPECT_NEAR(ionfield.termenergy(pair), -coulombconstant / 3.0,
              pair.epsilon * 1.01);
  // The minimum lies at ionic, not covalent, distance.
  double best = 0.0, bestdistance = 0.0;
  for (double d = 0.5; d < 6.0; d += 0.01) {
    ions.atom(1).x = d * ions.units();
    if (const double e = ionfield.termenergy(pair); e < best) {
      best = e;
      bestdistance = d;
    }
  }
  EXPECT_GT(bestdistance, 2.2);
  EXPECT_LT(bestdistance, 3.5);
}

double angleof(const tatm& centre, const tatm& a, const tatm& b) {
  const double ux = a.x - centre.x, uy = a.y - centre.y, uz = a.z - centre.z;
  const double vx = b.x - centre.x, vy = b.y - centre.y, vz = b.z - centre.z;
  return std::acos(
      (ux * vx + uy * vy + uz * vz) /
      std::sqrt((ux * ux + uy * uy + uz * uz) * (vx * vx + vy * vy + vz * vz)));
}

TEST(ForceField, ConjugationSetsLengthsAndFlatness) {
  // Benzene written with alternating bonds has six bonds of 1.395 Å, each
  // with its share of the resonance and of its ring neighbours' stabilisation.
  std::vector<double> atoms;
  std::vector<int> bonds;
  for (int k = 0; k < 6; ++k) {
    atoms.insert(atoms.end(), {6, 1.39 * std::cos(k * pi / 3),
                               1.39 * std::sin(k * pi / 3), 0});
    bonds.insert(bonds.end(), {k, (k + 1) % 6, k % 2 == 0 ? 4 : 2});
  }
  tmolecule benzene(atoms, bonds);
  tforcefield ring(benzene.drawing);
  for (const tstretch& stretch : setup(ring).stretches()) {
    EXPECT_NEAR(ring.angstromperunit() / stretch.inverselength, 1.395, 1e-9);
    EXPECT_DOUBLE_EQ(stretch.depth, stretchdepth(6, 6, 3) + 6000.0 + 2500.0);
  }
  // A five-ring of two double bonds is aromatic when its fifth atom gives a
  // lone pair (pyrrole), not when it is a CH2 (cyclopentadiene).
  for (const int fifth : {7, 6}) {
    std::vector<double> corners;
    for (int k = 0; k < 5; ++k) {
      corners.insert(corners.end(), {k == 4 ? double(fifth) : 6.0,
                                     1.18 * std::cos(k * 2 * pi / 5),
                                     1.18 * std::sin(k * 2 * pi / 5), 0});
    }
    tmolecule five(corners, {0, 1, 4, 1, 2, 2, 2, 3, 4, 3, 4, 2, 4, 0, 2});
    tforcefield field(five.drawing);
    int aromatic = 0;
    for (const tstretch& stretch : setup(field).stretches()) {
      const int z1 = field.atoms()[stretch.atoms[0]]->element;
      const int z2 = field.atoms()[stretch.atoms[1]]->element;
      aromatic += std::abs(field.angstromperunit() / stretch.inverselength -
                           stretchlengthangstrom(z1, z2, 3)) < 1e-9;
    }
    EXPECT_EQ(aromatic, fifth == 7 ? 5 : 0);
  }
  // 2-Pyridone's lone pair makes its ring aromatic: its two C-C single
  // bonds are shorter than a diene's; with a CH2 in place of the NH they
  // are not.
  for (const int first : {7, 6}) {
    std::vector<double> corners;
    for (int k = 0; k < 6; ++k) {
      corners.insert(corners.end(),
                     {k == 0 ? double(first) : 6.0, 1.4 * std::cos(k * pi / 3),
                      1.4 * std::sin(k * pi / 3), 0});
    }
    corners.insert(corners.end(), {8, 2.4, 1.7, 0});
    tmolecule pyridone(corners, {0, 1, 2, 1, 2, 2, 2, 3, 4, 3, 4,
                                 2, 4, 5, 4, 5, 0, 2, 1, 6, 4});
    tforcefield field(pyridone.drawing);
    int shortened = 0;
    for (const tstretch& stretch : setup(field).stretches()) {
      const double length = field.angstromperunit() / stretch.inverselength;
      shortened += stretch.bond->kind() == 2 && stretch.atoms[0] != 0 &&
                   stretch.atoms[1] != 0 &&
                   length < stretchlengthangstrom(6, 6, 2, 2, 2) - 0.03;
    }
    EXPECT_EQ(shortened, first == 7 ? 2 : 0);
  }
  // The nitrogen of N-methylformamide lies flat; trimethylamine's does not.
  tmolecule amide({6, 0, 0, 0, 8, -0.6, 1.0, 0, 7, 1.35, 0, 0, 6, 2.1, 1.2, 0},
                  {0, 1, 4, 0, 2, 2, 2, 3, 2});
  tmolecule amine(
      {7, 0, 0, 0, 6, 1.47, 0, 0, 6, -0.5, 1.3, 0.4, 6, -0.5, -1.3, 0.4},
      {0, 1, 2, 0, 2, 2, 0, 3, 2});
  for (auto [molecule, flat] : {std::pair{&amide, true}, {&amine, false}}) {
    tforcefield field(molecule->drawing);
    setup(field);
    // The terms see a flat nitrogen; the drawing's own atom is untouched.
    EXPECT_EQ(field.hybridization(flat ? 2 : 0), flat ? 2 : 3);
    EXPECT_EQ(molecule->atom(flat ? 2 : 0).hybridization, 3);
  }
  // Its bond to the carbonyl carbon is shortened by the conjugation; its
  // bond to the methyl group is a plain single bond.
  tforcefield field(amide.drawing);
  for (const tstretch& stretch : setup(field).stretches()) {
    const int other = stretch.atoms[0] == 2   ? stretch.atoms[1]
                      : stretch.atoms[1] == 2 ? stretch.atoms[0]
                                              : -1;
    if (other == 0 || other == 3) {
      EXPECT_NEAR(field.angstromperunit() / stretch.inverselength,
                  other == 0 ? stretchlengthangstrom(6, 7, 2, 2, lonepairdonor)
                             : stretchlengthangstrom(6, 7, 2),
                  1e-9);
    }
  }
}

// The triple bond of a cation with a second bond to an anion or to the
// triple bond's anionic end is part double. Free-molecule lengths from the
// CRC Handbook of Chemistry and Physics: N2O's N-N 1.128 Å, methyl
// isocyanide's N-C 1.166 Å, the terminal N-N of an azide 1.13 Å.
TEST(ForceField, ChargedTripleBondsAreAsLongAsMeasured) {
  struct tcase {
    std::vector<double> atoms;
    std::vector<int> charges;
    double angstrom;
  };
  // Three atoms on a line, the triple bond between the last two.
  for (const tcase& c : {
           tcase{{8, 0, 0, 0, 7, 1.2, 0, 0, 7, 2.3, 0, 0}, {-1, 1, 0}, 1.128},
           tcase{{6, 0, 0, 0, 7, 1.4, 0, 0, 6, 2.6, 0, 0}, {0, 1, -1}, 1.166},
           tcase{{7, 0, 0, 0, 7, 1.2, 0, 0, 7, 2.3, 0, 0}, {-1, 1, 0}, 1.13},
       }) {
    SCOPED_TRACE(c.angstrom);
    tmolecule molecule(c.atoms, {0, 1, 2, 1, 2, 6});
    for (int i = 0; i < 3; ++i) {
      molecule.atom(i).setcharge(c.charges[static_cast<std::size_t>(i)]);
    }
    tforcefield field(molecule.drawing);
    ASSERT_EQ(setup(field).stretches().size(), 2U);
    for (const tstretch& stretch : field.stretches()) {
      if (stretch.bond->kind() == 6) {
        EXPECT_NEAR(field.angstromperunit() / stretch.inverselength, c.angstrom,
                    0.01);
      }
    }
  }
  // CO written with charges (no second bond) and a diazonium (no anion)
  // keep the plain triple-bond length.
  for (const int second : {0, 6}) {
    tmolecule molecule(
        second == 0
            ? std::vector<double>{6, 0, 0, 0, 8, 1.1, 0, 0}
            : std::vector<double>{6, -1.4, 0, 0, 7, 0, 0, 0, 7, 1.1, 0, 0},
        second == 0 ? std::vector<int>{0, 1, 6}
                    : std::vector<int>{1, 2, 6, 0, 1, 2});
    molecule.atom(0).setcharge(second == 0 ? -1 : 0);
    molecule.atom(1).setcharge(1);
    tforcefield field(molecule.drawing);
    for (const tstretch& stretch : setup(field).stretches()) {
      if (stretch.bond->kind() == 6) {
        const int z1 = field.atoms()[stretch.atoms[0]]->element;
        const int z2 = field.atoms()[stretch.atoms[1]]->element;
        EXPECT_NEAR(field.angstromperunit() / stretch.inverselength,
                    second == 0 ? stretchlengthangstrom(z1, z2, 6, 1, 1, -1, 1)
                                : stretchlengthangstrom(z1, z2, 6, 1, 1, 1, 0),
                    1e-9);
      }
    }
  }
}

TEST(ForceField, PlanarityGrowsWithTheSquareOfThePyramid) {
  tmolecule m = formaldehyde();
  tforcefield field(m.drawing);
  ASSERT_EQ(setup(field).planarities().size(), 1U);
  EXPECT_NEAR(field.planarities()[0].energy, 0.0, 1e-9);
  for (double lift : {0.1, 0.3, 0.6}) {
    m.atom(0).z = lift * m.units();
    field.totalenergy();
    const double s = angleof(m.atom(0), m.atom(1), m.atom(2)) +
                     angleof(m.atom(0), m.atom(1), m.atom(3)) +
                     angleof(m.atom(0), m.atom(2), m.atom(3)) - 2 * pi;
    EXPECT_NEAR(field.planarities()[0].energy, 20000.0 * s * s, 1e-6);
  }
}

TEST(ForceField, OnlyPairsFurtherThanThreeBondsAreNonBonded) {
  for (auto build : {ethane, formaldehyde, mixedmolecule}) {
    tmolecule molecule = build();
    tforcefield field(molecule.drawing);
    setup(field);
    // Bond counts between atoms by Floyd-Warshall, as the oracle.
    const std::size_t n = molecule.list.size();
    std::vector<std::vector<int>> apart(n, std::vector<int>(n, 1000));
    std::vector<std::vector<int>> terms(n, std::vector<int>(n, 0));
    for (const tbond* bond : molecule.drawing.bonds) {
      const auto a = static_cast<std::size_t>(bond->atom1->ownerposition());
      const auto b = static_cast<std::size_t>(bond->atom2->ownerposition());
      apart[a][b] = apart[b][a] = 1;
    }
    for (std::size_t k = 0; k < n; ++k) {
      for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
          apart[i][j] = std::min(apart[i][j], apart[i][k] + apart[k][j]);
        }
      }
    }
    for (const tnbpair& pair : field.nonbonded()) {
      ++terms[static_cast<std::size_t>(pair.atoms[0])]
             [static_cast<std::size_t>(pair.atoms[1])];
    }
    for (std::size_t a = 0; a < n; ++a) {
      for (std::size_t b = a + 1; b < n; ++b) {
        EXPECT_EQ(terms[a][b] + terms[b][a], apart[a][b] > 3 ? 1 : 0)
            << a << "-" << b << " at " << apart[a][b] << " bonds";
      }
    }
  }
}

TEST(ForceField, PackBookkeepingMatchesAFullSum) {
  tmolecule molecule = mixedmolecule();
  molecule.atom(8).setcharge(1);
  molecule.atom(5).setcharge(-1);
  tforcefield field(molecule.drawing);
  ASSERT_EQ(setup(field).planarities().size(), 1U);
  std::mt19937 random(14);
  std::uniform_int_distribution<int> pick(
      0, static_cast<int>(molecule.list.size()) - 1);
  // Each move puts one atom somewhere near where it started, so the
  // geometry stays bounded and atoms never collide.
  std::normal_distribution<double> jump(0.0, 0.15 * molecule.units());
  std::vector<TXYZ> start;
  for (const tatm* atom : molecule.list) {
    start.push_back({atom->x, atom->y, atom->z});
  }
  for (int move = 1; move <= 5000; ++move) {
    const int i = pick(random);
    const TXYZ& from = start[static_cast<std::size_t>(i)];
    molecule.atom(i).setxyzraw(from.x + jump(random), from.y + jump(random),
                               from.z + jump(random));
    field.packenergy(i);
    if (move % 3 == 0) {
      // A rejected trial: saved, moved, evaluated and put back by memory.
      const tatm& atom = molecule.atom(i);
      const TXYZ at{atom.x, atom.y, atom.z};
      field.savepack(i);
      molecule.atom(i).setxyzraw(at.x + 1.0, at.y, at.z);
      field.packenergy(i);
      molecule.atom(i).setxyzraw(at.x, at.y, at.z);
      field.restorepack(i);
    }
    if (move % 250 == 0) {
      const double running = field.runningenergy();
      const double sum = field.totalenergy();
      ASSERT_NEAR(running, sum, 1e-10 * std::abs(sum) + 1e-6) << move;
    }
  }
}

TEST(ForceField, GroupPackRefreshesEveryTermOfItsStructure) {
  tdrawing drawing;
  const double f = drawing.geometry().bondlength / standardbondangstrom;
  auto piece = std::make_unique<tStructure>();
  std::vector<tatm*> atoms;
  for (auto [element, x, y] : {std::tuple{6, 0.0, 0.0},
                               {8, 1.21, 0.0},
                               {1, -0.55, 0.94},
                               {1, -0.55, -0.94}}) {
    atoms.push_back(
        piece->addatom(std::make_unique<tatm>(element, 0, x * f, y * f, 0.0)));
  }
  for (int i = 1; i < 4; ++i) {
    piece->addbond(std::make_unique<tbond>(atoms[0], 0, tbondstyle::normal,
                                           i == 1 ? 4 : 2, atoms[i]));
  }
  drawing.placestructure(std::move(piece), 0, 0);
  tforcefield field(drawing);
  ASSERT_EQ(setup(field).groups().size(), 1U);
  for (tatm* atom : atoms) {
    atom->x *= 1.05;
  }
  atoms[0]->z += 0.3 * f;
  const double running = field.packenergy(field.groups()[0]);
  EXPECT_GT(field.planarities()[0].energy, 0.0);
  EXPECT_NEAR(running, field.totalenergy(), 1e-9);
}

TEST(ForceField, SetupStopsWhenAskedAndLeavesNoPacksBehind) {
  // Small drawings are asked between steps; a long chain also while its
  // pairs are listed.
  for (const int carbons : {2, 300}) {
    SCOPED_TRACE(carbons);
    tmolecule molecule = alkane(carbons);
    tforcefield field(molecule.drawing);
    tsetupreport report;
    int asked = 0;
    report.stopped = [&asked, carbons] {
      return ++asked > (carbons > 2 ? 2 : 0);
    };
    EXPECT_EQ(field.setupforcefield(report), setupstoppedtext);
    EXPECT_TRUE(field.atoms().empty());
    EXPECT_TRUE(field.nonbonded().empty());
    EXPECT_EQ(molecule.atom(0).pack, nullptr);
  }
  // Unstopped, it pumps once per term; freeing the terms clears the packs.
  tmolecule molecule = formaldehyde();
  tforcefield field(molecule.drawing);
  int pumps = 0;
  tsetupreport report;
  report.status = [](const std::string&) {};
  report.processmessages = [&pumps] { ++pumps; };
  ASSERT_EQ(field.setupforcefield(report), "");
  EXPECT_EQ(pumps, 3 + 3 + 1);
  ASSERT_NE(molecule.atom(0).pack, nullptr);
  field.freeterms();
  EXPECT_EQ(molecule.atom(0).pack, nullptr);
}

TEST(ForceField, DegenerateDrawingsGiveAMessageOrAFiniteEnergy) {
  tdrawing empty;
  tforcefield nothing(empty);
  EXPECT_EQ(nothing.setupforcefield(), "The drawing has no chemical atoms.");
  nothing.refreshterms();
  EXPECT_EQ(nothing.totalenergy(), 0.0);

  tmolecule one({6, 1, 2, 3}, {});
  tforcefield single(one.drawing);
  EXPECT_EQ(setup(single).totalenergy(), 0.0);

  tmolecule broken({6, 0, 0, 0, 6, 1.5, 0, 0}, {0, 1, 2});
  broken.atom(1).y = std::numeric_limits<double>::quiet_NaN();
  tforcefield refused(broken.drawing);
  EXPECT_EQ(refused.setupforcefield(),
            "An atom has coordinates that are not numbers.");
  EXPECT_TRUE(refused.stretches().empty());
  EXPECT_EQ(broken.atom(0).pack, nullptr);

  // Atoms on top of each other, a pseudo-atom, an unnamed point, heavy and
  // noble elements, charged and not.
  tmolecule odd({6,   0, 0, 0, 6, 0, 0, 0, 6, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0,
                 103, 1, 1, 0, 2, 1, 1, 0, 1, 1, 1, 0, 8,  2, 0, 0, 1, 2, 0, 0},
                {0, 1, 2, 1, 2, 4, 2, 3, 2, 3, 4, 6, 4, 5,
                 2, 5, 6, 2, 8, 9, 2, 1, 5, 2, 0, 2, 2});
  odd.atom(5).setcharge(3);
  odd.atom(8).setcharge(-1);
  tforcefield field(odd.drawing);
  setup(field).refreshterms();
  EXPECT_TRUE(std::isfinite(field.totalenergy()));
  for (const tstretch& term : field.stretches()) {
    for (const TXYZ& v : term.bvectors) {
      EXPECT_TRUE(std::isfinite(v.x + v.y + v.z));
    }
  }
}

/// Central differences of a coordinate against its derivative vectors.
template <typename tterm, typename tvalue>
void checkderivatives(tforcefield& field, double units, tterm& term,
                      tvalue value) {
  SCOPED_TRACE(static_cast<int>(term.kind));
  field.measure(term);
  const double h = 1e-5 * units;
  for (std::size_t slot = 0; slot < 4 && term.atoms[slot] >= 0; ++slot) {
    tatm& atom = *field.atoms()[static_cast<std::size_t>(term.atoms[slot])];
    const TXYZ& expected = term.bvectors[slot];
    for (auto [axis, derivative] : {std::pair{&atom.x, expected.x},
                                    {&atom.y, expected.y},
                                    {&atom.z, expected.z}}) {
      const double keep = *axis;
      *axis = keep + h;
      const double up = value(term);
      *axis = keep - h;
      const double down = value(term);
      *axis = keep;
      // Dihedrals wrap round at ±π.
      EXPECT_NEAR(std::remainder(up - down, 2 * pi) / (2 * h), derivative, 1e-5)
          << "slot " << slot;
    }
  }
}

TEST(ForceField, DerivativeVectorsMatchCentralDifferences) {
  // Formaldehyde out of plane, once with a nearly straight H-C-O; ethane
  // with one hydrogen pulled aside.
  for (int shape = 0; shape < 3; ++shape) {
    tmolecule m = shape < 2 ? formaldehyde() : ethane();
    m.atom(0).z = (shape == 0 ? 0.2 : 0.7) * m.units();
    m.atom(shape < 2 ? 2 : 7).x = 0.6 * m.units();
    tforcefield field(m.drawing);
    setup(field);
    auto energyof = [&field](auto& term) {
      field.termenergy(term);
      return term.angle;
    };
    for (tstretch& term : field.stretches()) {
      checkderivatives(field, m.units(), term, [&m](tstretch& t) {
        return m.atom(t.atoms[0]).distance(m.atom(t.atoms[1]));
      });
    }
    for (tangle& term : field.bends()) {
      checkderivatives(field, m.units(), term, energyof);
    }
    for (ttorque& term : field.torsions()) {
      checkderivatives(field, m.units(), term,
                       [&field](ttorque& t) { return field.dihedralangle(t); });
    }
    for (tstrain& term : field.planarities()) {
      checkderivatives(field, m.units(), term, [&](tstrain&) {
        double sum = -2 * pi;
        for (tangle& bend : field.bends()) {
          sum += energyof(bend);
        }
        return sum;
      });
    }
  }
}

}  // namespace
}  // namespace molvane
