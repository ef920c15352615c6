// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/force_field.h"

#include "document/drawing.h"
#include "mechanics/force_field_parameters.h"

#include <gtest/gtest.h>

#include <queue>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace molvane {
namespace {

constexpr double pi = std::numbers::pi;

struct tatomspec {
  int element;
  double x, y, z;  // Å
};
struct tbondspec {
  int a, b, kind;
};

/// A drawing built from positions in Å, with no session involved.
class tmolecule {
 public:
  tmolecule(const std::vector<tatomspec>& atoms,
            const std::vector<tbondspec>& bonds) {
    for (const tatomspec& spec : atoms) {
      const double f = units();
      atoms_.push_back(drawing.addatom(std::make_unique<tatm>(
          spec.element, 0, spec.x * f, spec.y * f, spec.z * f)));
    }
    for (const tbondspec& spec : bonds) {
      drawing.addbond(std::make_unique<tbond>(atoms_[spec.a], 0, 1, spec.kind,
                                              atoms_[spec.b]));
    }
  }
  /// Drawing units per Å.
  double units() const {
    return drawing.geometry().bondlength / standardbondangstrom;
  }
  tatm& atom(int i) const { return *atoms_[static_cast<std::size_t>(i)]; }

  tdrawing drawing;

 private:
  std::vector<tatm*> atoms_;
};

/// Staggered ethane, C-C along x.
tmolecule ethane() {
  const double c = 0.765, hx = 1.165, r = 1.03;
  std::vector<tatomspec> atoms = {{6, -c, 0, 0}, {6, c, 0, 0}};
  for (int i = 0; i < 3; ++i) {
    const double a = 2 * pi * i / 3;
    atoms.push_back({1, -hx, r * std::cos(a), r * std::sin(a)});
  }
  for (int i = 0; i < 3; ++i) {
    const double a = 2 * pi * i / 3 + pi / 3;
    atoms.push_back({1, hx, r * std::cos(a), r * std::sin(a)});
  }
  return tmolecule(atoms, {{0, 1, 2},
                           {0, 2, 2},
                           {0, 3, 2},
                           {0, 4, 2},
                           {1, 5, 2},
                           {1, 6, 2},
                           {1, 7, 2}});
}

TEST(ForceField, EthaneHasTheWorkedTerms) {
  tmolecule molecule = ethane();
  tforcefield field(molecule.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  ASSERT_EQ(field.stretches().size(), 7U);
  const tstretch& cc = field.stretches()[0];
  EXPECT_DOUBLE_EQ(cc.depth, 84200.0);
  EXPECT_NEAR(1.0 / cc.inverselength, molecule.drawing.geometry().bondlength,
              1e-9);
  EXPECT_EQ(field.bends().size(), 12U);
  ASSERT_EQ(field.torsions().size(), 9U);
  for (std::size_t k = 0; k < 9; ++k) {
    EXPECT_NEAR(field.torsions()[k].barrier, 0.5 * 2000.0 / 6.0 / (k + 1),
                1e-9);
    EXPECT_EQ(field.torsions()[k].periodicity, 3);
  }
  // Every pair of ethane is 1-2, 1-3 or 1-4.
  EXPECT_TRUE(field.nonbonded().empty());
  EXPECT_TRUE(std::isfinite(field.totalenergy()));
}

TEST(ForceField, StretchFollowsTheWallAndTheSpring) {
  struct tcase {
    double factor, energy;
  };
  for (const tcase& c : {tcase{1.0, 0.0}, tcase{1.1, 140.3333},
                         tcase{0.9, 5286.9}, tcase{0.0, 84200 * 69.8296}}) {
    SCOPED_TRACE(c.factor);
    tmolecule molecule({{6, 0, 0, 0}, {6, 1.53 * c.factor, 0, 0}}, {{0, 1, 2}});
    tforcefield field(molecule.drawing);
    ASSERT_EQ(field.setupforcefield(), "");
    EXPECT_NEAR(field.termenergy(field.stretches()[0]), c.energy,
                c.energy * 1e-2 + 0.05);
  }
}

TEST(ForceField, HydrogenBondCountsOnceForALinearDimer) {
  // H-O...H-O on one line, O...O 2.73 Å.
  tmolecule molecule(
      {{1, -0.96, 0, 0}, {8, 0, 0, 0}, {1, 1.77, 0, 0}, {8, 2.73, 0, 0}},
      {{0, 1, 2}, {2, 3, 2}});
  tforcefield field(molecule.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  double bonds = 0.0;
  int count = 0;
  for (tnbpair& pair : field.nonbonded()) {
    if (pair.type == hydrogenbondpair) {
      bonds += field.termenergy(pair);
      ++count;
    }
  }
  EXPECT_EQ(count, 2);  // each hydrogen with the other oxygen
  EXPECT_NEAR(bonds, -9000.0, 0.1);
}

TEST(ForceField, OppositeIonsAttractWithoutCollapsing) {
  tmolecule molecule({{11, 0, 0, 0}, {17, 3, 0, 0}}, {});
  molecule.atom(0).setcharge(1);
  molecule.atom(1).setcharge(-1);
  tforcefield field(molecule.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  ASSERT_EQ(field.nonbonded().size(), 1U);
  tnbpair& pair = field.nonbonded()[0];
  ASSERT_EQ(pair.type, chargedpair);
  const double coulomb = -coulombconstant / 3.0;
  EXPECT_NEAR(field.termenergy(pair), coulomb, pair.epsilon * 1.01);
  // The minimum lies at ionic, not covalent, distance.
  double best = 0.0, bestdistance = 0.0;
  for (double d = 0.5; d < 6.0; d += 0.01) {
    molecule.atom(1).x = d * molecule.units();
    const double e = field.termenergy(pair);
    ASSERT_TRUE(std::isfinite(e));
    if (e < best) {
      best = e;
      bestdistance = d;
    }
  }
  EXPECT_GT(bestdistance, 2.2);
  EXPECT_LT(bestdistance, 3.5);
}

/// Formaldehyde, flat in the xy plane.
tmolecule formaldehyde() {
  return tmolecule({{6, 0, 0, 0},
                    {8, 1.21, 0, 0},
                    {1, -0.55, 0.94, 0},
                    {1, -0.55, -0.94, 0}},
                   {{0, 1, 4}, {0, 2, 2}, {0, 3, 2}});
}

double angleof(const tatm& centre, const tatm& a, const tatm& b) {
  const double ux = a.x - centre.x, uy = a.y - centre.y, uz = a.z - centre.z;
  const double vx = b.x - centre.x, vy = b.y - centre.y, vz = b.z - centre.z;
  return std::acos(
      (ux * vx + uy * vy + uz * vz) /
      std::sqrt((ux * ux + uy * uy + uz * uz) * (vx * vx + vy * vy + vz * vz)));
}

TEST(ForceField, PlanarityGrowsWithTheSquareOfThePyramid) {
  tmolecule molecule = formaldehyde();
  tforcefield field(molecule.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  ASSERT_EQ(field.planarities().size(), 1U);
  EXPECT_NEAR(field.planarities()[0].energy, 0.0, 1e-9);
  for (double lift : {0.1, 0.3, 0.6}) {
    SCOPED_TRACE(lift);
    molecule.atom(0).z = lift * molecule.units();
    field.totalenergy();
    const tatm& c = molecule.atom(0);
    const double s = angleof(c, molecule.atom(1), molecule.atom(2)) +
                     angleof(c, molecule.atom(1), molecule.atom(3)) +
                     angleof(c, molecule.atom(2), molecule.atom(3)) - 2 * pi;
    EXPECT_NEAR(field.planarities()[0].energy, 20000.0 * s * s, 1e-6);
  }
}

/// Graph distance between every pair of atoms of the drawing (by index).
std::vector<std::vector<int>> graphdistances(const tforcefield& field,
                                             const tdrawing& drawing) {
  const auto& atoms = field.atoms();
  const std::size_t n = atoms.size();
  std::vector<std::vector<int>> adjacency(n);
  auto indexof = [&atoms](const tatm* atom) {
    return static_cast<int>(std::find(atoms.begin(), atoms.end(), atom) -
                            atoms.begin());
  };
  for (const tbond* bond : drawing.bonds) {
    adjacency[static_cast<std::size_t>(indexof(bond->atom1))].push_back(
        indexof(bond->atom2));
    adjacency[static_cast<std::size_t>(indexof(bond->atom2))].push_back(
        indexof(bond->atom1));
  }
  std::vector<std::vector<int>> distance(n, std::vector<int>(n, 1000));
  for (std::size_t start = 0; start < n; ++start) {
    std::queue<int> queue;
    queue.push(static_cast<int>(start));
    distance[start][start] = 0;
    while (!queue.empty()) {
      const auto at = static_cast<std::size_t>(queue.front());
      queue.pop();
      for (int next : adjacency[at]) {
        auto& d = distance[start][static_cast<std::size_t>(next)];
        if (d > distance[start][at] + 1) {
          d = distance[start][at] + 1;
          queue.push(next);
        }
      }
    }
  }
  return distance;
}

/// A zigzag chain with a triple bond, a carbonyl, a three-membered ring and
/// a loose atom, in rough 3D positions.
tmolecule mixedmolecule() {
  return tmolecule({{6, 0, 0, 0},
                    {6, 1.5, 0.3, 0.1},
                    {6, 2.2, 1.6, 0},
                    {6, 3.4, 1.8, 0.2},
                    {6, 4.6, 2.0, 0.4},
                    {8, 5.5, 3.1, 0.1},
                    {6, -0.8, 1.2, 0.3},
                    {6, -0.9, 0.1, 1.3},
                    {7, 3.0, -2.0, 1.0},
                    {1, 6.3, 2.9, 0.5},
                    {1, -0.4, -0.9, -0.4},
                    {8, 2.0, 2.6, -0.8}},
                   {{0, 1, 2},
                    {1, 2, 2},
                    {2, 3, 2},
                    {3, 4, 6},
                    {4, 5, 2},
                    {0, 6, 2},
                    {6, 7, 2},
                    {7, 0, 2},
                    {5, 9, 2},
                    {0, 10, 2},
                    {2, 11, 4}});
}

TEST(ForceField, OnlyPairsFurtherThanThreeBondsAreNonBonded) {
  for (auto build : {ethane, formaldehyde, mixedmolecule}) {
    tmolecule molecule = build();
    tforcefield field(molecule.drawing);
    ASSERT_EQ(field.setupforcefield(), "");
    const auto distance = graphdistances(field, molecule.drawing);
    const std::size_t n = field.atoms().size();
    std::vector<std::vector<int>> terms(n, std::vector<int>(n, 0));
    for (const tnbpair& pair : field.nonbonded()) {
      const auto a = static_cast<std::size_t>(pair.atoms[0]);
      const auto b = static_cast<std::size_t>(pair.atoms[1]);
      ++terms[a][b];
      ++terms[b][a];
    }
    for (std::size_t a = 0; a < n; ++a) {
      for (std::size_t b = a + 1; b < n; ++b) {
        EXPECT_EQ(terms[a][b], distance[a][b] > 3 ? 1 : 0)
            << a << "-" << b << " at " << distance[a][b] << " bonds";
      }
    }
  }
}

TEST(ForceField, PackBookkeepingMatchesAFullSum) {
  tmolecule molecule = mixedmolecule();
  molecule.atom(8).setcharge(1);
  molecule.atom(5).setcharge(-1);
  tforcefield field(molecule.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  ASSERT_EQ(field.planarities().size(), 1U);
  std::mt19937 random(14);
  std::uniform_int_distribution<int> pick(
      0, static_cast<int>(field.atoms().size()) - 1);
  // Each move puts one atom somewhere near where it started, so the
  // geometry stays bounded and atoms never collide.
  std::normal_distribution<double> jump(0.0, 0.15 * molecule.units());
  std::vector<TXYZ> start;
  for (const tatm* atom : field.atoms()) {
    start.push_back({atom->x, atom->y, atom->z});
  }
  for (int move = 1; move <= 5000; ++move) {
    const int i = pick(random);
    tatm& atom = molecule.atom(i);
    const TXYZ& from = start[static_cast<std::size_t>(i)];
    atom.x = from.x + jump(random);
    atom.y = from.y + jump(random);
    atom.z = from.z + jump(random);
    field.packenergy(atom.ownerposition());
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
  for (const tatomspec& spec :
       {tatomspec{6, 0, 0, 0}, tatomspec{8, 1.21, 0, 0},
        tatomspec{1, -0.55, 0.94, 0}, tatomspec{1, -0.55, -0.94, 0}}) {
    atoms.push_back(piece->addatom(
        std::make_unique<tatm>(spec.element, 0, spec.x * f, spec.y * f, 0.0)));
  }
  for (int i = 1; i < 4; ++i) {
    piece->addbond(
        std::make_unique<tbond>(atoms[0], 0, 1, i == 1 ? 4 : 2, atoms[i]));
  }
  drawing.placestructure(std::move(piece), 0, 0);
  tforcefield field(drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  ASSERT_EQ(field.groups().size(), 1U);
  for (tatm* atom : atoms) {
    atom->x *= 1.05;
  }
  atoms[0]->z += 0.3 * f;
  const double running = field.packenergy(field.groups()[0]);
  EXPECT_GT(field.planarities()[0].energy, 0.0);
  EXPECT_NEAR(running, field.totalenergy(), 1e-9);
}

TEST(ForceField, SetupReportsEachStepAndEndsClear) {
  tmolecule molecule = formaldehyde();
  tforcefield field(molecule.drawing);
  std::vector<std::string> texts;
  int pumps = 0;
  tsetupreport report{[&texts](const std::string& t) { texts.push_back(t); },
                      [&pumps] { ++pumps; }};
  ASSERT_EQ(field.setupforcefield(report), "");
  EXPECT_EQ(texts,
            (std::vector<std::string>{
                "freeing coordinates", "Hybridizing Atoms",
                "Creating stretches", "Creating bends", "Creating torsions",
                "Creating dihedrals", "Creating non-bonded interactions", ""}));
  EXPECT_EQ(pumps, 3 + 3 + 0 + 1 + 0);
  ASSERT_NE(molecule.atom(0).pack, nullptr);
  field.freeterms();
  EXPECT_EQ(molecule.atom(0).pack, nullptr);
}

TEST(ForceField, DegenerateDrawingsGiveAMessageOrAFiniteEnergy) {
  {
    tdrawing empty;
    tforcefield field(empty);
    EXPECT_EQ(field.setupforcefield(), "The drawing has no chemical atoms.");
    EXPECT_EQ(field.totalenergy(), 0.0);
    field.refreshterms();
  }
  {
    tmolecule one({{6, 1, 2, 3}}, {});
    tforcefield field(one.drawing);
    EXPECT_EQ(field.setupforcefield(), "");
    EXPECT_EQ(field.totalenergy(), 0.0);
  }
  {
    tmolecule broken({{6, 0, 0, 0}, {6, 1.5, 0, 0}}, {{0, 1, 2}});
    broken.atom(1).y = std::numeric_limits<double>::quiet_NaN();
    tforcefield field(broken.drawing);
    EXPECT_EQ(field.setupforcefield(),
              "An atom has coordinates that are not numbers.");
    EXPECT_TRUE(field.stretches().empty());
    EXPECT_EQ(broken.atom(0).pack, nullptr);
  }
  // Atoms on top of each other, pseudo-atoms, unnamed points, heavy and
  // noble elements, charged and not.
  tmolecule odd({{6, 0, 0, 0},
                 {6, 0, 0, 0},
                 {6, 0, 0, 0},
                 {-1, 0, 0, 0},
                 {0, 1, 0, 0},
                 {103, 1, 1, 0},
                 {2, 1, 1, 0},
                 {1, 1, 1, 0},
                 {8, 2, 0, 0},
                 {1, 2, 0, 0}},
                {{0, 1, 2},
                 {1, 2, 4},
                 {2, 3, 2},
                 {3, 4, 6},
                 {4, 5, 2},
                 {5, 6, 2},
                 {8, 9, 2},
                 {1, 5, 2},
                 {0, 2, 2}});
  odd.atom(5).setcharge(3);
  odd.atom(8).setcharge(-1);
  tforcefield field(odd.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  field.refreshterms();
  EXPECT_TRUE(std::isfinite(field.totalenergy()));
  for (const tstretch& term : field.stretches()) {
    for (const TXYZ& v : term.bvectors) {
      EXPECT_TRUE(std::isfinite(v.x + v.y + v.z));
    }
  }
}

/// Central differences of a coordinate against its derivative vectors.
template <typename tterm, typename tvalue>
void checkderivatives(tforcefield& field, tmolecule& molecule, tterm& term,
                      tvalue value) {
  SCOPED_TRACE(static_cast<int>(term.kind));
  field.measure(term);
  const double h = 1e-5 * molecule.units();
  for (std::size_t slot = 0; slot < 4; ++slot) {
    if (term.atoms[slot] < 0) {
      continue;
    }
    tatm& atom = *field.atoms()[static_cast<std::size_t>(term.atoms[slot])];
    double* axes[3] = {&atom.x, &atom.y, &atom.z};
    const double expected[3] = {term.bvectors[slot].x, term.bvectors[slot].y,
                                term.bvectors[slot].z};
    for (int axis = 0; axis < 3; ++axis) {
      const double keep = *axes[axis];
      *axes[axis] = keep + h;
      const double up = value(term);
      *axes[axis] = keep - h;
      const double down = value(term);
      *axes[axis] = keep;
      // Dihedrals wrap round at ±π.
      const double change = std::remainder(up - down, 2 * pi);
      EXPECT_NEAR(change / (2 * h), expected[axis], 1e-5)
          << "slot " << slot << " axis " << axis;
    }
  }
}

TEST(ForceField, DerivativeVectorsMatchCentralDifferences) {
  // Formaldehyde, bent out of plane and with a nearly straight H-C-O.
  for (double lift : {0.2, 0.7}) {
    tmolecule molecule = formaldehyde();
    molecule.atom(0).z = lift * molecule.units();
    molecule.atom(2).x = 0.6 * molecule.units();
    tforcefield field(molecule.drawing);
    ASSERT_EQ(field.setupforcefield(), "");
    for (tstretch& term : field.stretches()) {
      checkderivatives(field, molecule, term, [&](tstretch& t) {
        const tatm* a = field.atoms()[static_cast<std::size_t>(t.atoms[0])];
        return a->distance(
            *field.atoms()[static_cast<std::size_t>(t.atoms[1])]);
      });
    }
    for (tangle& term : field.bends()) {
      checkderivatives(field, molecule, term, [&](tangle& t) {
        field.termenergy(t);
        return t.angle;
      });
    }
    for (tstrain& term : field.planarities()) {
      checkderivatives(field, molecule, term, [&](tstrain&) {
        for (tangle& bend : field.bends()) {
          field.termenergy(bend);
        }
        double sum = -2 * pi;
        for (const tangle& bend : field.bends()) {
          sum += bend.angle;
        }
        return sum;
      });
    }
  }
  tmolecule molecule = ethane();
  molecule.atom(7).y *= 0.5;
  tforcefield field(molecule.drawing);
  ASSERT_EQ(field.setupforcefield(), "");
  for (ttorque& term : field.torsions()) {
    checkderivatives(field, molecule, term, [&](ttorque& t) {
      const tatm* p[4];
      for (std::size_t i = 0; i < 4; ++i) {
        p[i] = field.atoms()[static_cast<std::size_t>(t.atoms[i])];
      }
      const double b1[3] = {p[1]->x - p[0]->x, p[1]->y - p[0]->y,
                            p[1]->z - p[0]->z};
      const double b2[3] = {p[2]->x - p[1]->x, p[2]->y - p[1]->y,
                            p[2]->z - p[1]->z};
      const double b3[3] = {p[3]->x - p[2]->x, p[3]->y - p[2]->y,
                            p[3]->z - p[2]->z};
      auto cross = [](const double* a, const double* b, double* out) {
        out[0] = a[1] * b[2] - a[2] * b[1];
        out[1] = a[2] * b[0] - a[0] * b[2];
        out[2] = a[0] * b[1] - a[1] * b[0];
      };
      double n1[3], n2[3];
      cross(b1, b2, n1);
      cross(b2, b3, n2);
      const double l2 =
          std::sqrt(b2[0] * b2[0] + b2[1] * b2[1] + b2[2] * b2[2]);
      return std::atan2(l2 * (b1[0] * n2[0] + b1[1] * n2[1] + b1[2] * n2[2]),
                        n1[0] * n2[0] + n1[1] * n2[1] + n1[2] * n2[2]);
    });
  }
}

}  // namespace
}  // namespace molvane
