// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/partition_function.h"

#include "document/drawing.h"
#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"
#include "model/vector3.h"
#include "thermo/bond_enthalpy.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <utility>

namespace molvane {
namespace {

using namespace thermoconstant;
using namespace detail;

constexpr double pi = std::numbers::pi;
/// Mass of an implicit hydrogen in the modes, u.
constexpr double hydrogenmass = 1.00797;
/// Grams per u and square centimetres per square ångström.
constexpr double gramsperunit = 1.673668165e-24;
constexpr double squarecmperangstrom = 1e-16;
/// cal/mol per radian² to erg per radian² and molecule.
constexpr double curvaturetoerg = 4.184e7 / 6.02256e23;
/// Offset that keeps the vibrational sums finite at T = 0.
constexpr double temperatureoffset = 0.001;
/// Modes at or below this wavenumber (cm⁻¹) are left out.
constexpr double lowestwavenumber = 0.01;

double bounded(double temperature) {
  return std::isfinite(temperature) ? std::max(temperature, lowesttemperature)
                                    : lowesttemperature;
}

double modemass(const tatm& atom) {
  return atom.mass + atom.implicithydrogens() * hydrogenmass;
}

double wavenumberof(double g, double fconst) {
  const double product = g * fconst;
  return product > 0.0 ? Fnu * std::sqrt(product) : 0.0;
}

/// Angle at b between a and c, radians.
double angleat(const tatm& a, const tatm& b, const tatm& c) {
  const TXYZ u = unit(minus(pointof(a), pointof(b)));
  const TXYZ v = unit(minus(pointof(c), pointof(b)));
  return std::acos(std::clamp(dot(u, v), -1.0, 1.0));
}

/// Whether b can be reached from a without the direct step a-b.
bool inring(const std::vector<std::vector<std::int32_t>>& around,
            std::int32_t a, std::int32_t b) {
  std::vector<bool> seen(around.size(), false);
  std::vector<std::int32_t> stack{a};
  seen[static_cast<std::size_t>(a)] = true;
  while (!stack.empty()) {
    const std::int32_t at = stack.back();
    stack.pop_back();
    for (const std::int32_t next : around[static_cast<std::size_t>(at)]) {
      if (at == a && next == b) {
        continue;
      }
      if (next == b) {
        return true;
      }
      if (!seen[static_cast<std::size_t>(next)]) {
        seen[static_cast<std::size_t>(next)] = true;
        stack.push_back(next);
      }
    }
  }
  return false;
}

/// Turns the atoms about the axis through origin by angle (radians).
void turnatoms(const std::vector<tatm*>& atoms, const TXYZ& origin,
               const TXYZ& axis, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  for (tatm* atom : atoms) {
    const TXYZ r = minus(pointof(*atom), origin);
    // Rodrigues' rotation formula.
    const TXYZ turned = plus(plus(times(r, c), times(cross(axis, r), s)),
                             times(axis, dot(axis, r) * (1.0 - c)));
    const TXYZ p = plus(origin, turned);
    atom->x = p.x;
    atom->y = p.y;
    atom->z = p.z;
  }
}

/// The hindered rotor's torsional energy: the torsion terms and the
/// non-bonded pairs.
double rotorpotential(tforcefield& field) {
  double sum = 0.0;
  for (ttorque& term : field.torsions()) {
    sum += field.termenergy(term);
  }
  for (tnbpair& term : field.nonbonded()) {
    sum += field.termenergy(term);
  }
  return sum;
}

/// Whether every torsion about the bond between atoms a and b has three
/// minima a turn (a bond between two tetrahedral atoms), and there is one.
bool isthreefold(tforcefield& field, std::int32_t a, std::int32_t b) {
  bool found = false;
  for (const ttorque& term : field.torsions()) {
    if (std::minmax(term.atoms[1], term.atoms[2]) != std::minmax(a, b)) {
      continue;
    }
    if (term.periodicity != 3) {
      return false;
    }
    found = true;
  }
  return found;
}

/// The energies of a three-fold bond's staggered positions from the drawn
/// one, turning the two sides rigidly by thirds of a turn with turn
/// (degrees), when no side turns onto itself; otherwise none.
template <typename tturn>
std::vector<double> conformerwells(tforcefield& field, const tbond& bond,
                                   const TNu_HR& rotor, const tturn& turn) {
  const auto& atoms = field.atoms();
  const auto indexof = [&](const tatm* atom) {
    return static_cast<std::int32_t>(
        std::find(atoms.begin(), atoms.end(), atom) - atoms.begin());
  };
  if (rotor.rotorsymmetry > 1.0 ||
      !isthreefold(field, indexof(bond.atom1), indexof(bond.atom2))) {
    return {};
  }
  const double drawn = rotorpotential(field);
  std::vector<double> wells{0.0};
  for (int third = 1; third < 3; ++third) {
    turn(120.0);
    wells.push_back(rotorpotential(field) - drawn);
  }
  turn(120.0);
  return wells;
}

std::vector<tatm*> atomsof(const tAtoms& list) {
  return {list.begin(), list.end()};
}

/// The Boltzmann sum over the rotor's wells (1 without distinct wells).
double wellsum(const TNu_HR& rotor, double temperature) {
  double sum = rotor.wells.empty() ? 1.0 : 0.0;
  for (const double well : rotor.wells) {
    sum += std::exp(-well / (R * temperature));
  }
  return sum;
}

/// The Boltzmann mean of the wells' energies, cal/mol.
double wellenergy(const TNu_HR& rotor, double temperature) {
  double sum = 0.0;
  for (const double well : rotor.wells) {
    sum += well * std::exp(-well / (R * temperature));
  }
  return sum / wellsum(rotor, temperature);
}

/// The free rotor's partition function.
double freerotorq(const TNu_HR& rotor, double temperature) {
  return std::sqrt(8.0 * pi * pi * pi * rotor.moment * k * temperature) /
         (rotor.rotorsymmetry * h);
}

}  // namespace

double harmonicenergy(double theta, double temperature) {
  const double u = theta / bounded(temperature);
  // R θ (1/2 + 1/(e^u - 1)), written so that a large u does not overflow.
  return R * theta * (std::exp(-u) / (1.0 - std::exp(-u)) + 0.5);
}

double rotorenergy(const TNu_HR& rotor, double temperature) {
  const double t = bounded(temperature);
  const double theta = rotor.theta();
  if (!(theta > 0.0)) {
    return 0.5 * R * t;  // a free rotor
  }
  const double wells = wellenergy(rotor, t);
  const double x = 2.0 * pi * theta * std::sqrt(2.0 * pi * rotor.moment * k) /
                   (h * rotor.rotorsymmetry * std::sqrt(t));
  // x / sinh(2x) tends to 0 for large x and to 1/2 for small.
  const double damping = x > 300.0 ? 0.0 : x / std::sinh(2.0 * x);
  return harmonicenergy(theta, t) -
         (std::isfinite(damping) ? damping : 0.5) * R * t + wells;
}

double rotorlnq(const TNu_HR& rotor, double temperature) {
  const double t = bounded(temperature);
  const double free = freerotorq(rotor, t);
  const double theta = rotor.theta();
  if (!(theta > 0.0)) {
    return std::log(free);
  }
  const double quantum = 1.0 / (-std::expm1(-theta / t));
  const double classical = t / theta;
  // n wells each holding an oscillator while the free rotor's states are
  // many; a low barrier leaves the free rotor, which visits them all.
  const double wells = wellsum(rotor, t);
  return std::log(quantum) + std::log(wells) +
         std::log(std::tanh(free / (classical * wells)));
}

tPF::tPF(tStructure& owner)
    : state(owner.phase), structure(&owner), energyoffset(owner.energyoffset) {
  tspeciescopy copy = copyspecies(owner);
  // The copy holds the implicit hydrogens as atoms: the rotation, the
  // moments and the mass come from it, so that a skeletal drawing and one
  // with every hydrogen drawn give the same entropy.
  const tStructure& whole = *copy.drawing;
  rotation_ = rotationtype(whole);
  tforcefield field(*copy.drawing);
  if (field.setupforcefield().empty()) {
    addstretches(field);
    const std::size_t stretchmodes = modes.size();
    addbends(field);
    const std::size_t bendmodes = modes.size();
    addtorsions(field);
    addrotors(field, copy);
    limitmodes(stretchmodes, bendmodes,
               static_cast<std::size_t>(copy.drawing->atoms.count()));
    stretchcount = static_cast<int>(field.stretches().size());
    bendcount = static_cast<int>(field.bends().size());
    torsioncount = static_cast<int>(field.torsions().size());
  }
  field.freeterms();

  symmetrynumber = molvane::symmetrynumber(whole);
  electronicdegeneracy = molvane::electronicdegeneracy(whole);
  mass_ = whole.molmasskg();
  const tmoments moments = whole.principalmoments();
  // X = h⁶ / (512 π⁵ k³ Π): with it the rotational partition function of a
  // rigid non-linear top, √π/σ (8π²kT/h²)^(3/2) √Π, is what the gas sum
  // holds. Kept as a logarithm, since Π is about 1e-120.
  if (moments.positive > 0 && moments.product > 0.0) {
    lnX_ = 6.0 * std::log(h) - 9.0 * std::log(2.0) - 5.0 * std::log(pi) -
           3.0 * std::log(k) - std::log(moments.product);
    linearmoment_ =
        *std::max_element(moments.moments.begin(), moments.moments.end());
  }
  if (rotation_ == trotortype::linear && !(linearmoment_ > 0.0)) {
    rotation_ = trotortype::atom;
  }
}

void tPF::limitmodes(std::size_t stretchmodes, std::size_t bendmodes,
                     std::size_t atoms) {
  if (atoms < 2) {
    return;
  }
  // A molecule has 3N - 6 internal motions (3N - 5 when linear). The
  // redundancy weights count them right in open chains, but a ring's
  // torsions come on top of bends that already span its motions.
  const bool linear = rotation_ == trotortype::linear;
  double excess = -(3.0 * static_cast<double>(atoms) - (linear ? 5.0 : 6.0) -
                    static_cast<double>(rotors.size()));
  std::array<double, 3> counts{};
  for (std::size_t i = 0; i < modes.size(); ++i) {
    const std::size_t group = i < stretchmodes ? 0 : i < bendmodes ? 1 : 2;
    counts[group] += modes[i].degeneracy * modes[i].weight;
  }
  excess += counts[0] + counts[1] + counts[2];
  // The surplus comes from the ring's torsions and bends alike: a ring of
  // n atoms puckers in n - 3 ways and deforms within its plane in n - 3
  // more. What the torsions cannot give, the bends give.
  const double fromtorsions = std::min(counts[2], 0.5 * std::max(excess, 0.0));
  const double frombends =
      std::min(counts[1], std::max(excess, 0.0) - fromtorsions);
  const auto scale = [&](std::size_t first, std::size_t last, double removed,
                         double count) {
    if (removed <= 0.0) {
      return;
    }
    const double factor = removed >= count ? 0.0 : 1.0 - removed / count;
    for (std::size_t i = first; i < last; ++i) {
      modes[i].weight *= factor;
    }
  };
  scale(bendmodes, modes.size(), fromtorsions, counts[2]);
  scale(stretchmodes, bendmodes, frombends, counts[1]);
  std::erase_if(modes, [](const TNu_vib& mode) { return mode.weight <= 0.0; });
}

void tPF::addstretches(tforcefield& field) {
  const auto& atoms = field.atoms();
  const auto& stretches = field.stretches();
  for (auto term = stretches.rbegin(); term != stretches.rend(); ++term) {
    const tatm& a = *atoms[static_cast<std::size_t>(term->atoms[0])];
    const tatm& b = *atoms[static_cast<std::size_t>(term->atoms[1])];
    const double g = 1.0 / modemass(a) + 1.0 / modemass(b);
    const double wavenumber = wavenumberof(g, term->fconst);
    if (wavenumber > lowestwavenumber) {
      modes.push_back({1, 1.0, wavenumber});
    }
  }
}

void tPF::addbends(tforcefield& field) {
  const auto& atoms = field.atoms();
  const auto& bends = field.bends();
  for (auto term = bends.rbegin(); term != bends.rend(); ++term) {
    const tatm& a1 = *atoms[static_cast<std::size_t>(term->atoms[0])];
    const tatm& a2 = *atoms[static_cast<std::size_t>(term->atoms[1])];
    const tatm& centre = *atoms[static_cast<std::size_t>(term->atoms[2])];
    const double r1 = a1.angstromdistance(centre);
    const double r2 = a2.angstromdistance(centre);
    if (!(r1 > 0.0) || !(r2 > 0.0)) {
      continue;
    }
    const double theta = angleat(a1, centre, a2);
    const double g = 1.0 / (r1 * r1 * modemass(a1)) +
                     1.0 / (r2 * r2 * modemass(a2)) +
                     (1.0 / (r1 * r1) + 1.0 / (r2 * r2) -
                      2.0 * std::cos(theta) / (r1 * r2)) /
                         modemass(centre);
    const double wavenumber = wavenumberof(g, term->fconst);
    if (wavenumber > lowestwavenumber) {
      const int degeneracy = std::cos(term->ideal) <= -0.999 ? 2 : 1;
      modes.push_back({degeneracy, term->redundancy, wavenumber});
    }
  }
}

void tPF::addtorsions(tforcefield& field) {
  const auto& atoms = field.atoms();
  const std::vector<std::vector<std::int32_t>> around =
      stretchneighbours(field);
  auto& torsions = field.torsions();
  // Every torsion about one bond measures the same twist: the bond's
  // stiffness is the sum of their constants, each term a share of the mode.
  std::map<std::pair<std::int32_t, std::int32_t>, double> bondstiffness;
  const auto bondof = [](const ttorque& term) {
    return std::minmax(term.atoms[1], term.atoms[2]);
  };
  for (const ttorque& term : torsions) {
    bondstiffness[bondof(term)] += term.fconst;
  }
  for (auto term = torsions.rbegin(); term != torsions.rend(); ++term) {
    if (!inring(around, term->atoms[1], term->atoms[2])) {
      continue;
    }
    const tatm& a1 = *atoms[static_cast<std::size_t>(term->atoms[0])];
    const tatm& a2 = *atoms[static_cast<std::size_t>(term->atoms[1])];
    const tatm& a3 = *atoms[static_cast<std::size_t>(term->atoms[2])];
    const tatm& a4 = *atoms[static_cast<std::size_t>(term->atoms[3])];
    const double phi1 = angleat(a1, a2, a3);
    const double phi2 = angleat(a2, a3, a4);
    const double r12 = a1.angstromdistance(a2);
    const double r23 = a2.angstromdistance(a3);
    const double r34 = a3.angstromdistance(a4);
    double g = 0.0;
    if (phi1 > 0.0175 && phi1 < 3.14 && phi2 > 0.0175 && phi2 < 3.14 &&
        r12 > 0.0 && r23 > 0.0 && r34 > 0.0) {
      g = 1.0 / (modemass(a1) * r12 * r12) + 1.0 / (modemass(a4) * r34 * r34) +
          (r23 - std::cos(phi1) * r12) /
              (std::sin(phi1) * modemass(a2) * r23 * r12) +
          (r23 - std::cos(phi2) * r34) /
              (std::sin(phi2) * modemass(a3) * r23 * r34);
    } else {
      term->redundancy = 0.0;
    }
    const double stiffness = bondstiffness[bondof(*term)];
    const double wavenumber = wavenumberof(g, stiffness);
    if (wavenumber > lowestwavenumber) {
      modes.push_back({1, term->redundancy, wavenumber});
    }
  }
}

void tPF::addrotors(tforcefield& field, tspeciescopy& copy) {
  const double angstrom =
      standardbondangstrom * copy.drawing->geometry().lengthscale();
  for (tbond* bond : copy.drawing->bonds) {
    if (!bond->isrotatable()) {
      continue;
    }
    const tbondsides sides = bond->splitsides();
    const std::vector<tatm*> side1 = atomsof(sides.side1);
    const std::vector<tatm*> side2 = atomsof(sides.side2);
    const TXYZ origin = pointof(*bond->atom1);
    const TXYZ axis = unit(minus(pointof(*bond->atom2), origin));
    if (norm(axis) == 0.0) {
      continue;
    }
    // Moments of each side about the bond axis.
    const auto momentof = [&](const std::vector<tatm*>& side) {
      double sum = 0.0;
      for (const tatm* atom : side) {
        const TXYZ r = minus(pointof(*atom), origin);
        const TXYZ off = minus(r, times(axis, dot(r, axis)));
        sum += modemass(*atom) * dot(off, off) * angstrom * angstrom;
      }
      return sum * gramsperunit * squarecmperangstrom;
    };
    const double ia = momentof(side1);
    const double ib = momentof(side2);
    if (!(ia > 0.0) || !(ib > 0.0)) {
      continue;
    }
    TNu_HR rotor;
    rotor.moment = ia * ib / (ia + ib);
    // A methyl top turns onto itself three times a turn.
    rotor.rotorsymmetry =
        std::max(rotationorder(side1, origin, axis, angstrom),
                 rotationorder(side2, origin, axis, angstrom));

    // The largest curvature of the torsional energy over a sweep of the
    // bond, each side turning half the angle.
    const auto turn = [&](double degrees) {
      const double half = 0.5 * degrees * pi / 180.0;
      turnatoms(side1, origin, axis, -half);
      turnatoms(side2, origin, axis, half);
    };
    std::vector<TXYZ> saved;
    for (const tatm* atom : field.atoms()) {
      saved.push_back(pointof(*atom));
    }
    const auto restore = [&] {
      for (std::size_t i = 0; i < saved.size(); ++i) {
        tatm* atom = field.atoms()[i];
        atom->x = saved[i].x;
        atom->y = saved[i].y;
        atom->z = saved[i].z;
      }
    };
    const double step = pi / 180.0;
    double curvature = 0.0;
    for (int i = -6; i <= 6; ++i) {
      turn(6.0 * i);
      const double middle = rotorpotential(field);
      turn(-1.0);
      const double below = rotorpotential(field);
      turn(2.0);
      const double above = rotorpotential(field);
      turn(-1.0);
      curvature =
          std::max(curvature, (above + below - 2.0 * middle) / (step * step));
    }
    restore();
    rotor.wells = conformerwells(field, *bond, rotor, turn);
    restore();
    const double kerg = curvature * curvaturetoerg;
    if (kerg > 0.0) {
      rotor.wavenumber = std::sqrt(kerg / rotor.moment) / (2.0 * pi) / c;
    }
    rotor.valid = std::isfinite(rotor.wavenumber);
    if (rotor.valid) {
      rotors.push_back(rotor);
    }
  }
}

double tPF::lnQvib(double temperature) const {
  const double t = bounded(temperature) + temperatureoffset;
  double sum = 0.0;
  for (const TNu_vib& mode : modes) {
    const double u = mode.theta() / t;
    // Each mode counts with its degeneracy and its share of a redundant
    // coordinate.
    sum +=
        mode.degeneracy * mode.weight * (-0.5 * u - std::log(-std::expm1(-u)));
  }
  return NA * sum;
}

double tPF::dlnQvib(double temperature) const {
  const double t = bounded(temperature) + temperatureoffset;
  double sum = 0.0;
  for (const TNu_vib& mode : modes) {
    const double theta = mode.theta();
    const double e = std::exp(-theta / t);
    sum += mode.degeneracy * mode.weight * theta / (2.0 * t * t) * (1.0 + e) /
           (1.0 - e);
  }
  return NA * sum;
}

double tPF::Evib(double temperature) const {
  double sum = 0.0;
  for (const TNu_vib& mode : modes) {
    sum += mode.degeneracy * mode.weight *
           harmonicenergy(mode.theta(), temperature);
  }
  return sum;
}

double tPF::EHR(double temperature) const {
  double sum = 0.0;
  for (const TNu_HR& rotor : rotors) {
    sum += rotorenergy(rotor, temperature);
  }
  return sum;
}

double tPF::lnQrotors(double temperature) const {
  double sum = 0.0;
  for (const TNu_HR& rotor : rotors) {
    sum += rotorlnq(rotor, temperature);
  }
  return NA * sum;
}

double tPF::dlnQrotors(double temperature) const {
  const double t = bounded(temperature);
  const double delta = 1e-4 * t;
  return (lnQrotors(t + delta) - lnQrotors(t - delta)) / (2.0 * delta);
}

double tPF::lnQmotion(double temperature, double pressure) const {
  if (!(mass_ > 0.0)) {
    return 0.0;  // nothing that moves
  }
  const double t = bounded(temperature);
  const double p = std::isfinite(pressure) ? std::max(pressure, lowestpressure)
                                           : lowestpressure;
  // Translation in the molar volume RT/P, with Stirling's + 1, and the
  // electronic ground state.
  double sum = std::log(electronicdegeneracy) + std::log(Rv) +
               1.5 * std::log(k) + 1.5 * std::log(2.0) + 1.5 * std::log(mass_) +
               1.5 * std::log(pi) + 2.5 * std::log(t) - 3.0 * std::log(h) -
               std::log(p) - std::log(NA) + 1.0;
  switch (rotation_) {
    case trotortype::nonlinear:
      sum += std::log(pi) + 1.5 * std::log(t) - std::log(symmetrynumber) -
             0.5 * lnX_;
      break;
    case trotortype::linear:
      sum += std::log(8.0 * pi * pi * linearmoment_ * k * t /
                      (symmetrynumber * h * h));
      break;
    case trotortype::atom:
      break;
  }
  return NA * sum;
}

double tPF::zeropointenergy() const {
  double sum = 0.0;
  for (const TNu_vib& mode : modes) {
    sum += mode.degeneracy * mode.weight * 0.5 * R * mode.theta();
  }
  for (const TNu_HR& rotor : rotors) {
    sum += 0.5 * R * rotor.theta();
  }
  return sum;
}

double tPF::lnQgas(double temperature, double pressure) const {
  return lnQvib(temperature) + lnQrotors(temperature) +
         lnQmotion(temperature, pressure);
}

double tPF::dlnQgas(double temperature) const {
  // At constant volume: translation 3/2, rotation 1 (linear) or 3/2.
  double degrees = 1.5;
  if (rotation_ == trotortype::nonlinear) {
    degrees += 1.5;
  } else if (rotation_ == trotortype::linear) {
    degrees += 1.0;
  }
  return dlnQvib(temperature) + dlnQrotors(temperature) +
         NA * degrees / bounded(temperature);
}

double tPF::Sgas(double temperature, double pressure) {
  state = gasphase;
  const double t = bounded(temperature);
  return kcal * (lnQgas(t, pressure) + t * dlnQgas(t));
}

double tPF::lnQcond(double temperature) const {
  const double t = bounded(temperature);
  if (!(mass_ > 0.0)) {
    return lnQvib(t);
  }
  return lnQvib(t) +
         NA *
             (0.75 * std::log(2.0) + 1.25 * std::log(pi) + 2.0 * std::log(t) -
              0.5 * std::log(symmetrynumber) - 0.25 * lnX_ +
              0.75 * std::log(mass_) + 0.75 * std::log(k) - 1.5 * std::log(h) +
              0.5 * std::log(Rv) - 0.5 * std::log(NA) - energyoffset / (R * t));
}

double tPF::dlnQcond(double temperature) const {
  const double t = bounded(temperature);
  return dlnQvib(t) + NA * (2.0 / t + energyoffset / (R * t * t));
}

double tPF::Scond(double temperature) {
  state = liquidphase;
  const double t = bounded(temperature);
  return kcal * (lnQcond(t) + t * dlnQcond(t));
}

double tPF::Hcond(double temperature) const {
  const double t = bounded(temperature);
  return kcal * t * t * dlnQcond(t);
}

double tPF::energy(double temperature) const {
  const double t = bounded(temperature);
  double motion = 3.0;
  if (rotation_ == trotortype::linear) {
    motion = 2.5;
  } else if (rotation_ == trotortype::atom) {
    motion = 1.5;
  }
  switch (state) {
    case 0:
    case gasphase:
      return Evib(t) + motion * R * t + EHR(t);
    case solidphase:
      return Evib(t) + motion * R * t + energyoffset;
    case liquidphase:
      return Hcond(t);
    default:
      return 0.0;
  }
}

double tPF::enthalpy(double temperature, double pressure) const {
  static_cast<void>(pressure);
  const double t = bounded(temperature);
  switch (state) {
    case 0:
    case gasphase:
      return energy(t) + R * t;
    case solidphase:
      // A solid does no work against the pressure to speak of.
      return energy(t);
    default:
      return Hcond(t);
  }
}

double tPF::entropy(double temperature, double pressure) {
  switch (state) {
    case 0:
    case gasphase:
      return Sgas(temperature, pressure);
    case liquidphase:
      return Scond(temperature);
    default:
      return 0.0;
  }
}

tPF& makethermo(tStructure& structure) {
  structure.thermo.reset();
  auto object = std::make_unique<tPF>(structure);
  tPF& result = *object;
  structure.thermo = std::move(object);
  return result;
}

tPF& thermoobject(tStructure& structure) {
  if (auto* existing = dynamic_cast<tPF*>(structure.thermo.get())) {
    return *existing;
  }
  return makethermo(structure);
}

double thermoenergy(tStructure& structure, double temperature) {
  return thermoobject(structure).energy(temperature);
}

double thermoenthalpy(tStructure& structure, double temperature,
                      double pressure) {
  return thermoobject(structure).enthalpy(temperature, pressure);
}

double thermoentropy(tStructure& structure, double temperature,
                     double pressure) {
  return thermoobject(structure).entropy(temperature, pressure);
}

}  // namespace molvane
