// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/species.h"

#include "chemistry/hybridization.h"
#include "chemistry/hydrogens.h"
#include "document/drawing.h"
#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"
#include "model/element_data.h"
#include "model/jacobi.h"
#include "model/vector3.h"
#include "thermo/bond_enthalpy.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <set>
#include <unordered_map>
#include <utility>

namespace molvane {
namespace {

using namespace detail;

/// Two atoms closer than this (Å) after a symmetry operation coincide.
constexpr double symmetrytolerance = 0.2;
/// The rotation group of an icosahedron, the largest a molecule has.
constexpr std::size_t largestgroup = 60;
/// Candidate axes are taken from at most this many atoms of one element.
constexpr std::size_t largestaxisclass = 24;
/// A moment below this fraction of the largest counts as zero.
constexpr double linearratio = 1e-3;
/// Energy change (cal/mol) at which the completed hydrogens have settled.
constexpr double hydrogentolerance = 1.0;

using toperation = std::array<double, 9>;

struct tpoint {
  int element = 0;
  TXYZ position;  ///< Å from the centre of mass
};

/// The structure's chemical atoms in Å about their centre of mass.
std::vector<tpoint> centredpoints(const tStructure& structure) {
  std::vector<tpoint> points;
  const double angstrom =
      standardbondangstrom * structure.geometry().lengthscale();
  double total = 0.0;
  TXYZ centre;
  for (const tatm* atom : structure.atoms) {
    if (!atom->ischemical() || atom->element <= 0) {
      continue;
    }
    const TXYZ p{atom->x * angstrom, atom->y * angstrom, atom->z * angstrom};
    points.push_back({atom->element, p});
    centre = plus(centre, times(p, atom->mass));
    total += atom->mass;
  }
  if (total > 0.0) {
    centre = times(centre, 1.0 / total);
  }
  for (tpoint& point : points) {
    point.position = minus(point.position, centre);
  }
  return points;
}

toperation rotationabout(const TXYZ& axis, double angle) {
  const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
  const double x = axis.x, y = axis.y, z = axis.z;
  return {t * x * x + c,     t * x * y - s * z, t * x * z + s * y,
          t * x * y + s * z, t * y * y + c,     t * y * z - s * x,
          t * x * z - s * y, t * y * z + s * x, t * z * z + c};
}

TXYZ apply(const toperation& m, const TXYZ& p) {
  return {m[0] * p.x + m[1] * p.y + m[2] * p.z,
          m[3] * p.x + m[4] * p.y + m[5] * p.z,
          m[6] * p.x + m[7] * p.y + m[8] * p.z};
}

/// Where the operation takes each atom: the index of the atom of the same
/// element at its image; empty when some image meets no atom or two meet
/// the same one.
std::vector<int> permutationof(const std::vector<tpoint>& points,
                               const toperation& m) {
  const double limit = symmetrytolerance * symmetrytolerance;
  std::vector<int> images;
  std::vector<bool> taken(points.size(), false);
  for (const tpoint& point : points) {
    const TXYZ image = apply(m, point.position);
    // The nearest free atom of the element, when near enough.
    int found = -1;
    double nearest = limit;
    for (std::size_t j = 0; j < points.size(); ++j) {
      const TXYZ off = minus(points[j].position, image);
      const double distance = dot(off, off);
      if (!taken[j] && points[j].element == point.element &&
          distance < nearest) {
        found = static_cast<int>(j);
        nearest = distance;
      }
    }
    if (found < 0) {
      return {};
    }
    taken[static_cast<std::size_t>(found)] = true;
    images.push_back(found);
  }
  return images;
}

bool mapsonto(const std::vector<tpoint>& points, const toperation& m) {
  return !permutationof(points, m).empty();
}

/// The atoms of the element with the fewest atoms (the candidates for
/// symmetry axes: every axis maps that set onto itself).
std::vector<TXYZ> rarestclass(const std::vector<tpoint>& points) {
  std::unordered_map<int, std::vector<TXYZ>> classes;
  for (const tpoint& point : points) {
    classes[point.element].push_back(point.position);
  }
  const std::vector<TXYZ>* rarest = nullptr;
  for (const auto& [element, members] : classes) {
    if (rarest == nullptr || members.size() < rarest->size()) {
      rarest = &members;
    }
  }
  return rarest == nullptr ? std::vector<TXYZ>{} : *rarest;
}

/// Unit axes through the centre of mass that a rotation of the molecule
/// could turn about.
std::vector<TXYZ> candidateaxes(const std::vector<tpoint>& points) {
  std::vector<TXYZ> candidates;
  const auto consider = [&](const TXYZ& v) {
    const double length = norm(v);
    if (length < 1e-3) {
      return;
    }
    const TXYZ axis = times(v, 1.0 / length);
    const bool known =
        std::any_of(candidates.begin(), candidates.end(), [&](const TXYZ& a) {
          return std::abs(std::abs(dot(a, axis)) - 1.0) < 1e-6;
        });
    if (!known) {
      candidates.push_back(axis);
    }
  };
  // The principal axes hold the unique axis of every symmetric top.
  tsquarematrix inertia(3, std::vector<double>(3, 0.0));
  for (const tpoint& point : points) {
    const TXYZ& r = point.position;
    const double m = massof(point.element);
    inertia[0][0] += m * (r.y * r.y + r.z * r.z);
    inertia[1][1] += m * (r.x * r.x + r.z * r.z);
    inertia[2][2] += m * (r.x * r.x + r.y * r.y);
    inertia[0][1] -= m * r.x * r.y;
    inertia[0][2] -= m * r.x * r.z;
    inertia[1][2] -= m * r.y * r.z;
  }
  for (const auto& v : jacobieigensystem(inertia, 1e-12).vectors) {
    consider({v[0], v[1], v[2]});
  }
  // Other axes pass through an atom, through the middle of two atoms of
  // one element, or stand on the plane of two atoms of the rarest element.
  const std::size_t reach = std::min(points.size(), 2 * largestaxisclass);
  for (std::size_t i = 0; i < reach; ++i) {
    consider(points[i].position);
    for (std::size_t j = i + 1; j < reach; ++j) {
      if (points[i].element == points[j].element) {
        consider(times(plus(points[i].position, points[j].position), 0.5));
      }
    }
  }
  std::vector<TXYZ> members = rarestclass(points);
  if (members.size() > largestaxisclass) {
    members.resize(largestaxisclass);
  }
  for (std::size_t i = 0; i < members.size(); ++i) {
    for (std::size_t j = i + 1; j < members.size(); ++j) {
      consider(cross(members[i], members[j]));
    }
  }
  return candidates;
}

bool hasimplicithydrogens(const tStructure& structure) {
  return std::any_of(structure.atoms.begin(), structure.atoms.end(),
                     [](const tatm* atom) {
                       return atom->ischemical() && atom->element > 0 &&
                              atom->implicithydrogens() > 0;
                     });
}

/// Turns the hydrogens the copy added at one end of each bond between
/// copied atoms a sixth of a turn about the bond where that lowers the
/// energy. They are placed one atom at a time, each in the frame of its
/// own bond, so neighbouring groups can come out eclipsed; settling alone
/// does not leave that symmetric spot.
void staggerhydrogens(tspeciescopy& copy) {
  tdrawing& drawing = *copy.drawing;
  const std::set<const tatm*> copied(copy.atoms.begin(), copy.atoms.end());
  tforcefield field(drawing);
  if (!field.setupforcefield().empty()) {
    return;
  }
  for (const tbond* bond : drawing.bonds) {
    const tatm* from = bond->atom1;
    tatm* at = bond->atom2;
    if (copied.count(from) == 0 || copied.count(at) == 0) {
      continue;
    }
    std::vector<tatm*> added;
    for (const tbond* other : drawing.bondsof(at)) {
      tatm* end = other->other(at);
      if (end != nullptr && copied.count(end) == 0) {
        added.push_back(end);
      }
    }
    const TXYZ axis = unit(minus(pointof(*at), pointof(*from)));
    if (added.empty() || norm(axis) == 0.0) {
      continue;
    }
    const auto turn = [&](double angle) {
      const toperation m = rotationabout(axis, angle);
      for (tatm* hydrogen : added) {
        const TXYZ p =
            plus(pointof(*at),
                 molvane::apply(m, minus(pointof(*hydrogen), pointof(*at))));
        hydrogen->x = p.x;
        hydrogen->y = p.y;
        hydrogen->z = p.z;
      }
    };
    const double before = field.totalenergy();
    turn(std::numbers::pi / 3.0);
    if (!(field.totalenergy() < before)) {
      turn(-std::numbers::pi / 3.0);
    }
  }
  field.freeterms();
}

/// Draws the copy's implicit hydrogens in 3D and lets them settle with the
/// copied atoms held still, so that the force field, the modes and the
/// symmetry see the molecule the user meant, at the geometry the user
/// gave. Only atoms that carry implicit hydrogens get any: a bare atom
/// drawn without them stays bare.
void completehydrogens(tspeciescopy& copy) {
  tdrawing& drawing = *copy.drawing;
  assignhybridization(drawing);
  int added = 0;
  for (auto each = copy.atoms.rbegin(); each != copy.atoms.rend(); ++each) {
    tatm& atom = **each;
    if (atom.implicithydrogens() > 0 && accepts3dhydrogens(atom.element)) {
      added += completehydrogens3d(drawing, atom);
    }
  }
  if (added == 0) {
    return;
  }
  assignhybridization(drawing);
  staggerhydrogens(copy);
  for (tatm* atom : copy.atoms) {
    atom->fixed = 1;
  }
  toptimizer optimizer(drawing);
  optimizer.settings.tolerance = hydrogentolerance;
  // A run that fails leaves the hydrogens where they were placed.
  static_cast<void>(optimizer.runoptimizer(toptimizermethod::normal));
  optimizer.forcefield().freeterms();
  for (tatm* atom : copy.atoms) {
    atom->fixed = 0;
  }
}

}  // namespace

tspeciescopy copyspecies(const tStructure& structure) {
  tspeciescopy copy;
  copy.drawing = std::make_unique<tdrawing>();
  copy.drawing->setgeometry(structure.geometry());
  copy.drawing->bondlength = structure.geometry().bondlength;
  std::unordered_map<const tatm*, tatm*> twins;
  for (tatm* atom : structure.atoms) {
    // Pseudo-atoms have no mass to vibrate with.
    if (!atom->ischemical() || atom->element <= 0) {
      continue;
    }
    tatm* twin = copy.drawing->addatom(std::make_unique<tatm>(*atom));
    twin->mass = atom->mass;
    twin->hybridization = atom->hybridization;
    twins.emplace(atom, twin);
    copy.atoms.push_back(twin);
    copy.originals.push_back(atom);
  }
  for (const tbond* bond : structure.bonds) {
    const auto a = twins.find(bond->atom1);
    const auto b = twins.find(bond->atom2);
    if (a == twins.end() || b == twins.end()) {
      continue;
    }
    copy.drawing->addbond(tbond::copyof(*bond, a->second, b->second));
  }
  if (hasimplicithydrogens(*copy.drawing)) {
    completehydrogens(copy);
  }
  return copy;
}

double structureenergy(const tStructure& structure) {
  tspeciescopy copy = copyspecies(structure);
  tforcefield field(*copy.drawing);
  if (!field.setupforcefield().empty()) {
    return 0.0;
  }
  return field.totalenergy();
}

double speciesenergy(const tStructure& structure) {
  tspeciescopy copy = copyspecies(structure);
  tforcefield field(*copy.drawing);
  if (!field.setupforcefield().empty()) {
    return 0.0;
  }
  // Bond terms are zero at their minimum; counting from separated atoms
  // takes each bond's dissociation depth off, so that making and breaking
  // bonds shows in a reaction's enthalpy.
  double depths = 0.0;
  for (const double depth : bonddissociationdepths(field)) {
    depths += depth;
  }
  return field.totalenergy() - depths;
}

std::string optimizespecies(tStructure& structure,
                            const toptimizersettings& settings,
                            const toptimizerhooks& hooks) {
  tspeciescopy copy = copyspecies(structure);
  toptimizer optimizer(*copy.drawing);
  optimizer.settings = settings;
  optimizer.hooks = hooks;
  std::string problem = optimizer.runoptimizer(toptimizermethod::normal);
  optimizer.forcefield().freeterms();
  if (!problem.empty()) {
    return problem;
  }
  for (std::size_t i = 0; i < copy.atoms.size(); ++i) {
    tatm& original = *copy.originals[i];
    const tatm& moved = *copy.atoms[i];
    original.x = moved.x;
    original.y = moved.y;
    original.z = moved.z;
  }
  structure.calcbounds();
  return {};
}

std::string optimizereactivespecies(tdrawing& drawing,
                                    const toptimizerhooks& hooks,
                                    const std::function<void()>& done) {
  for (tStructure* structure : drawing.structures) {
    if (!structure->isreactive()) {
      continue;
    }
    std::string problem =
        optimizespecies(*structure, toptimizersettings{}, hooks);
    if (done) {
      done();
    }
    if (!problem.empty()) {
      return problem;
    }
  }
  return {};
}

int rotationorder(const std::vector<tatm*>& atoms, const TXYZ& origin,
                  const TXYZ& axis, double angstromperunit) {
  const TXYZ direction = detail::unit(axis);
  if (norm(direction) == 0.0) {
    return 1;
  }
  std::vector<tpoint> points;
  for (const tatm* atom : atoms) {
    points.push_back(
        {atom->element,
         times(minus(detail::pointof(*atom), origin), angstromperunit)});
  }
  for (int order = 6; order >= 2; --order) {
    if (mapsonto(points,
                 rotationabout(direction, 2.0 * std::numbers::pi / order))) {
      return order;
    }
  }
  return 1;
}

int electronicdegeneracy(const tStructure& structure) {
  int electrons = 0;
  int oxygens = 0;
  int atoms = 0;
  for (const tatm* atom : structure.atoms) {
    if (!atom->ischemical() || atom->element <= 0) {
      continue;
    }
    ++atoms;
    oxygens += atom->element == 8 ? 1 : 0;
    electrons +=
        atom->element + std::max(0, atom->implicithydrogens()) - atom->fcharge;
  }
  if (atoms == 2 && oxygens == 2 && electrons == 16) {
    return 3;
  }
  return electrons % 2 != 0 ? 2 : 1;
}

namespace {

/// The rotation of the structure's atoms as they are drawn.
trotortype drawnrotationtype(const tStructure& structure) {
  const std::vector<tpoint> points = centredpoints(structure);
  if (points.size() < 2) {
    return trotortype::atom;
  }
  // Linear when every atom lies on the line through the first two.
  TXYZ axis;
  for (const tpoint& point : points) {
    if (dot(point.position, point.position) > dot(axis, axis)) {
      axis = point.position;
    }
  }
  const double length = norm(axis);
  if (length < 1e-6) {
    return trotortype::atom;
  }
  axis = times(axis, 1.0 / length);
  for (const tpoint& point : points) {
    const TXYZ off =
        minus(point.position, times(axis, dot(point.position, axis)));
    if (dot(off, off) > linearratio * length * length) {
      return trotortype::nonlinear;
    }
  }
  return trotortype::linear;
}

/// The symmetry number of the structure's atoms as they are drawn.
int drawnsymmetrynumber(const tStructure& structure) {
  const std::vector<tpoint> points = centredpoints(structure);
  if (points.size() < 2) {
    return 1;
  }
  if (drawnrotationtype(structure) == trotortype::linear) {
    // Centrosymmetric linear molecules turn onto themselves about any
    // perpendicular axis by half a turn.
    const toperation inversion{-1, 0, 0, 0, -1, 0, 0, 0, -1};
    return mapsonto(points, inversion) ? 2 : 1;
  }
  // Distinct proper rotations, told apart by how they permute the atoms;
  // the identity is one of them.
  std::set<std::vector<int>> found{
      permutationof(points, {1, 0, 0, 0, 1, 0, 0, 0, 1})};
  for (const TXYZ& axis : candidateaxes(points)) {
    for (int order = 6; order >= 2; --order) {
      for (int step = 1; step < order; ++step) {
        std::vector<int> images = permutationof(
            points, rotationabout(axis, 2.0 * std::numbers::pi * step / order));
        if (!images.empty()) {
          found.insert(std::move(images));
        }
      }
    }
  }
  // Rotations found within the tolerance generate the whole group: two
  // that compose to one the search missed still count it.
  std::vector<std::vector<int>> members(found.begin(), found.end());
  for (std::size_t i = 0; i < members.size() && members.size() < largestgroup;
       ++i) {
    for (std::size_t j = 0; j <= i && members.size() < largestgroup; ++j) {
      for (const auto& [a, b] : {std::pair{i, j}, std::pair{j, i}}) {
        std::vector<int> product(members[a].size());
        for (std::size_t k = 0; k < product.size(); ++k) {
          product[k] = members[a][static_cast<std::size_t>(members[b][k])];
        }
        if (found.insert(product).second) {
          members.push_back(std::move(product));
        }
      }
    }
  }
  return static_cast<int>(found.size());
}

}  // namespace

trotortype rotationtype(const tStructure& structure) {
  if (hasimplicithydrogens(structure)) {
    return drawnrotationtype(*copyspecies(structure).drawing);
  }
  return drawnrotationtype(structure);
}

int symmetrynumber(const tStructure& structure) {
  if (hasimplicithydrogens(structure)) {
    return drawnsymmetrynumber(*copyspecies(structure).drawing);
  }
  return drawnsymmetrynumber(structure);
}

}  // namespace molvane
