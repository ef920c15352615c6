// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fragment.h"

#include "model/atom.h"
#include "model/element_data.h"
#include "model/jacobi.h"
#include "support/cell_list.h"
#include "support/number_text.h"
#include "support/units.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace molvane {

namespace {

/// Mass of the hydrogen atoms added to the molecular mass, in u.
constexpr double implicithydrogenmass = 1.0079;
/// Mass of a hydrogen atom in formula sums, in u.
constexpr double hydrogenatommass = 1.00794;
/// Kilograms per unit of molmass.
constexpr double kilogramsperunit = 1.673668165e-24;
/// Avogadro's number as the moments of inertia use it, per mol.
constexpr double avogadro = avogadronumber;
/// Centimetres per drawing unit before the length scale.
constexpr double centimetresperunit = angstromperbond * 1e-8;
/// Jacobi tolerance of the inertia tensor, relative to its norm.
constexpr double inertiatolerance = 1e-16;
/// Moments below this fraction of the largest are rounding noise; a
/// linear molecule must come out with exactly one zero moment whatever its
/// orientation.
constexpr double negligiblemoment = 1e-10;
/// Scale of the electronegativity difference in the charge estimate.
constexpr double chargefactor = 0.92 / 3.3;

bool ischemicalatom(const tatm* atom) { return atom->ischemical(); }

std::vector<tatm*> chemicalatoms(const tAtoms& atoms) {
  std::vector<tatm*> chemical;
  std::copy_if(atoms.begin(), atoms.end(), std::back_inserter(chemical),
               ischemicalatom);
  return chemical;
}

// The main-group elements whose implicit hydrogens count in the mass.
bool carriesimplicitmass(int element) {
  return (element >= 5 && element <= 9) || (element >= 14 && element <= 17) ||
         (element >= 33 && element <= 35) || (element >= 52 && element <= 53);
}

}  // namespace

TXYZ TFragment::centroid() {
  const TXYZ centre = atoms.centroid3();
  cx = centre.x;
  cy = centre.y;
  cz = centre.z;
  return centre;
}

std::array<int, 3> TFragment::centroidint() {
  const TXYZ centre = centroid();
  return {roundhalfeven(centre.x), roundhalfeven(centre.y),
          roundhalfeven(centre.z)};
}

TXYZ TFragment::centreofmass() const {
  double total = 0.0;
  TXYZ sum;
  for (const tatm* atom : atoms) {
    if (atom->ischemical()) {
      total += atom->mass;
      sum.x += atom->mass * atom->x;
      sum.y += atom->mass * atom->y;
      sum.z += atom->mass * atom->z;
    }
  }
  // Massless points (unnamed atoms, "R") have no centre of mass; their
  // centroid stands in for it.
  if (total <= 0.0) {
    return atoms.centroid3();
  }
  return {sum.x / total, sum.y / total, sum.z / total};
}

double TFragment::distancefromcom(double x, double y, double z) const {
  const TXYZ centre = centreofmass();
  return std::hypot(x - centre.x, y - centre.y, z - centre.z);
}

double TFragment::comdistance(const TFragment& other) const {
  const TXYZ centre = other.centreofmass();
  return distancefromcom(centre.x, centre.y, centre.z);
}

void TFragment::translate(double dx, double dy, double dz) {
  for (tatm* atom : atoms) {
    atom->move(dx, dy, dz);
  }
}

void TFragment::movecentroidto(double x, double y) {
  if (locked != 0) {
    return;
  }
  const TXYZ centre = centroid();
  translate(x - centre.x, y - centre.y, 0.0);
}

void TFragment::moveto(double x, double y, double z) {
  if (locked != 0) {
    return;
  }
  atoms.moveto(x, y, z);
}

void TFragment::rotateaxis(int axis, double degrees, const TXYZ& centre,
                           bool fromreference) {
  if (axis < 1 || axis > 3) {
    return;
  }
  const double theta = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  for (tatm* atom : atoms) {
    if (!atom->ischemical()) {
      continue;
    }
    double dx = (fromreference ? atom->x0 : atom->x) - centre.x;
    double dy = (fromreference ? atom->y0 : atom->y) - centre.y;
    double dz = (fromreference ? atom->z0 : atom->z) - centre.z;
    // Right-handed turns: axis 1 takes y towards z, axis 2 z towards x,
    // axis 3 x towards y.
    if (axis == 1) {
      const double ry = dy * c - dz * s;
      dz = dy * s + dz * c;
      dy = ry;
    } else if (axis == 2) {
      const double rz = dz * c - dx * s;
      dx = dz * s + dx * c;
      dz = rz;
    } else {
      const double rx = dx * c - dy * s;
      dy = dx * s + dy * c;
      dx = rx;
    }
    atom->x = centre.x + dx;
    atom->y = centre.y + dy;
    atom->z = centre.z + dz;
    atom->updatescreen();
  }
}

void TFragment::scale(double factor) { atoms.scale(factor); }

void TFragment::scaleabout(double x, double y, double z, double factor) {
  atoms.scaleabout(x, y, z, factor);
}

void TFragment::shake(double amplitude,
                      const std::function<double()>& uniform) {
  const TXYZ centre = centreofmass();
  // a * (1 - 2u) with u in [0, 1) lies in (-a, a].
  const auto displacement = [&uniform, amplitude] {
    return amplitude * (1.0 - 2.0 * uniform());
  };
  for (tatm* atom : atoms) {
    if (!atom->ischemical() || atom->fixed != 0 ||
        atom->distanceto(centre.x, centre.y, centre.z) <= 1.0) {
      continue;
    }
    // Three separate statements fix the order in which x, y and z draw
    // their numbers, so a seed gives the same shape on every compiler.
    atom->x += displacement();
    atom->y += displacement();
    atom->z += displacement();
  }
  atoms.moveto(centre.x, centre.y, centre.z);
}

int TFragment::totalcharge() const {
  double sum = 0.0;
  for (const tatm* atom : atoms) {
    if (atom->ischemical()) {
      sum += atom->getcharge();
    }
  }
  return roundhalfeven(sum);
}

tmoments TFragment::principalmoments() const {
  tmoments result;
  const std::vector<tatm*> chemical = chemicalatoms(atoms);
  if (chemical.size() < 2) {
    return result;
  }
  const TXYZ centre = centreofmass();
  tsquarematrix inertia(3, std::vector<double>(3, 0.0));
  for (const tatm* atom : chemical) {
    const double m = atom->mass;
    const double rx = atom->x - centre.x;
    const double ry = atom->y - centre.y;
    const double rz = atom->z - centre.z;
    inertia[0][0] += m * (ry * ry + rz * rz);
    inertia[1][1] += m * (rx * rx + rz * rz);
    inertia[2][2] += m * (rx * rx + ry * ry);
    inertia[0][1] -= m * rx * ry;
    inertia[0][2] -= m * rx * rz;
    inertia[1][2] -= m * ry * rz;
  }
  const std::vector<double> values =
      jacobieigenvalues(std::move(inertia), inertiatolerance);

  const double centimetres = centimetresperunit * geometry().lengthscale();
  const double factor = centimetres * centimetres / avogadro;
  const double largest = *std::max_element(values.begin(), values.end());
  result.product = 1.0;
  for (std::size_t k = 0; k < result.moments.size(); ++k) {
    double moment = values[k];
    if (std::abs(moment) <= negligiblemoment * largest) {
      moment = 0.0;
    }
    result.moments[k] = moment * factor;
    if (result.moments[k] > 0.0) {
      result.product *= result.moments[k];
      ++result.positive;
    }
  }
  if (result.positive == 0) {
    result.product = 0.0;
  }
  return result;
}

double TFragment::molmass() const {
  double sum = 0.0;
  for (const tatm* atom : atoms) {
    if (!atom->ischemical() || atom->element <= 0) {
      continue;
    }
    sum += atom->mass;
    if (carriesimplicitmass(atom->element) && atom->valence2 > 0) {
      sum += atom->implicithydrogens() * implicithydrogenmass;
    }
  }
  return sum;
}

double TFragment::molmasskg() const { return molmass() * kilogramsperunit; }

namespace {

/// Past this many chemical atoms the charges take only the pairs within
/// chargecutoff, faded out smoothly from chargefadestart: beyond it the
/// sixth-power weights add less than a percent, and every pair would cost
/// time with the square of the size.
constexpr std::size_t chargeexactlimit = 500;
constexpr double chargefadestart = 9.0;  ///< Å
constexpr double chargecutoff = 10.0;    ///< Å

/// 1 up to chargefadestart, 0 from chargecutoff, and smooth in between
/// (value and slope), of the distance in Å.
double chargefade(double distance) {
  if (distance <= chargefadestart) {
    return 1.0;
  }
  if (distance >= chargecutoff) {
    return 0.0;
  }
  const double off2 = chargecutoff * chargecutoff;
  const double on2 = chargefadestart * chargefadestart;
  const double r2 = distance * distance;
  const double width = off2 - on2;
  return (off2 - r2) * (off2 - r2) * (off2 + 2.0 * r2 - 3.0 * on2) /
         (width * width * width);
}

/// What the first pass of the equilibration adds up.
struct tchargepull {
  std::vector<double> pulled;
  double totalweight = 0.0;
};

/// Every ordered pair of atoms, as the charges have always been worked out.
tchargepull pullofeverypair(const std::vector<tatm*>& chemical) {
  tchargepull pull;
  pull.pulled.assign(chemical.size(), 0.0);
  for (std::size_t i = 0; i < chemical.size(); ++i) {
    const tatm& a = *chemical[i];
    for (std::size_t j = 0; j < chemical.size(); ++j) {
      const tatm& b = *chemical[j];
      // Two atoms on one point have no defined weight; they are left out.
      if (i == j || a.distance2(b) == 0.0) {
        continue;
      }
      const double reach =
          (radiusof(a.element) + radiusof(b.element)) / a.angstromdistance(b);
      const double pairweight = std::pow(reach, 6);
      if (a.fcharge == 0 && b.fcharge == 0) {
        pull.pulled[i] -=
            (electronegativityof(a.element) - electronegativityof(b.element)) *
            chargefactor * pairweight;
      }
      pull.totalweight += pairweight;
    }
  }
  return pull;
}

/// The same over the pairs within the cutoff, found through a cell list;
/// nullopt when the coordinates cannot be sorted into cells.
std::optional<tchargepull> pullofnearpairs(const std::vector<tatm*>& chemical) {
  const tatm& first = *chemical.front();
  const double angstromperunit =
      angstromperbond * first.geometry().lengthscale();
  if (!std::isfinite(angstromperunit) || angstromperunit <= 0.0) {
    return std::nullopt;
  }
  std::vector<double> xyz;
  xyz.reserve(3 * chemical.size());
  for (const tatm* atom : chemical) {
    for (double value : {atom->x, atom->y, atom->z}) {
      if (!std::isfinite(value)) {
        return std::nullopt;
      }
      xyz.push_back(value);
    }
  }
  tcelllist cells;
  // A little beyond the cutoff, as angstromdistance adds a hair.
  cells.build(xyz, (chargecutoff + 0.001) / angstromperunit);
  tchargepull pull;
  pull.pulled.assign(chemical.size(), 0.0);
  cells.forpairs(xyz, [&](std::int32_t p, std::int32_t q) {
    const auto i = static_cast<std::size_t>(p);
    const auto j = static_cast<std::size_t>(q);
    const tatm& a = *chemical[i];
    const tatm& b = *chemical[j];
    if (a.distance2(b) == 0.0) {
      return true;
    }
    const double distance = a.angstromdistance(b);
    const double reach = (radiusof(a.element) + radiusof(b.element)) / distance;
    const double square = reach * reach;
    const double pairweight = square * square * square * chargefade(distance);
    if (a.fcharge == 0 && b.fcharge == 0) {
      const double difference =
          electronegativityof(a.element) - electronegativityof(b.element);
      pull.pulled[i] -= difference * chargefactor * pairweight;
      pull.pulled[j] += difference * chargefactor * pairweight;
    }
    pull.totalweight += 2.0 * pairweight;
    return true;
  });
  return pull;
}

}  // namespace

void TFragment::equilibratecharges() {
  const std::vector<tatm*> chemical = chemicalatoms(atoms);
  if (chemical.size() < 2) {
    return;
  }
  // First pass: each neutral atom pulls charge from every other neutral
  // atom in proportion to their electronegativity difference, weighted
  // steeply by distance. W sums every weight, both directions.
  std::optional<tchargepull> near;
  if (chemical.size() > chargeexactlimit) {
    near = pullofnearpairs(chemical);
  }
  const tchargepull pull = near ? std::move(*near) : pullofeverypair(chemical);
  const std::vector<double>& pulled = pull.pulled;
  const double totalweight = pull.totalweight;
  // Second pass over the whole list; formal charges are kept as they are.
  const double n = atoms.count();
  std::size_t i = 0;
  for (tatm* atom : atoms) {
    const bool neutralchemical = atom->ischemical() && atom->fcharge == 0;
    const double q = neutralchemical ? n * pulled[i] : atom->fcharge * n;
    if (atom->ischemical()) {
      ++i;
    }
    atom->eqcharge = totalweight > 0.0 ? q / totalweight : atom->fcharge;
  }
}

int TFragment::hydrogencount() const {
  int count = 0;
  for (const tatm* atom : atoms) {
    if (!atom->ischemical()) {
      continue;
    }
    if (atom->element == 1) {
      ++count;
    } else {
      count += std::max(0, atom->implicithydrogens());
    }
  }
  return count;
}

std::string TFragment::hydrogentext(const std::string& formula) const {
  const int count = hydrogencount();
  if (count < 1) {
    return formula;
  }
  return formula + "H" + std::to_string(count);
}

double TFragment::hydrogenmass() const {
  return hydrogencount() * hydrogenatommass;
}

int TFragment::countelement(int element) const {
  const bool withimplicit = geometry().showimplicithydrogens;
  int count = 0;
  for (const tatm* atom : atoms) {
    if (!atom->ischemical()) {
      continue;
    }
    if (atom->element == element) {
      ++count;
    }
    if (withimplicit && atom->implicithydrogens() > 0) {
      ++count;
    }
  }
  return count;
}

tatm* TFragment::nearestatom(const tAtoms* list, double x, double y) const {
  const tAtoms& candidates = list != nullptr ? *list : atoms;
  tatm* nearest = nullptr;
  double best = std::numeric_limits<double>::infinity();
  for (tatm* atom : candidates) {
    const double dx = atom->x - x;
    const double dy = atom->y - y;
    const double distance2 = dx * dx + dy * dy;
    // Strictly smaller, so that the earlier of two equal atoms wins.
    if (nearest == nullptr || distance2 < best) {
      nearest = atom;
      best = distance2;
    }
  }
  return nearest;
}

void TFragment::setscale(double scale) {
  setweight(scale);
  for (tatm* atom : atoms) {
    atom->setweight(scale);
  }
}

void TFragment::setmarkall(std::uint8_t value) {
  setmark(value);
  for (tatm* atom : atoms) {
    atom->setmark(value);
  }
}

void TFragment::calcbounds() {
  const int left = atoms.minx();
  const int right = atoms.maxx();
  const int top = atoms.miny();
  const int bottom = atoms.maxy();
  bbox = {left, right, top, bottom};
  frame = {left, top, right, bottom};
  width = std::abs(right - left);
}

std::string TFragment::phasetext() const {
  switch (phase) {
    case solidphase:
      return "(s)";
    case solventphase:
      return "solv";
    case liquidphase:
      return formatfixed(amount, 2, 5) + "(l)";
    case otherphase:
      return formatfixed(amount, 2, 5) + "(x)";
    case 0:
    case gasphase:
      return formatfixed(amount, 2, 5) + "(g)";
    default:
      return formatfixed(amount, 2, 5);
  }
}

bool TFragment::isreactive() const {
  return amount > 0.001 && phase != solventphase;
}

}  // namespace molvane
