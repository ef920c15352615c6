// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/electron_config.h"

#include "model/element_data.h"
#include "support/units.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace molvane {
namespace {

using toccupancy = TEConfig::toccupancy;

// Subshell indices, named for the shielding rules below.
constexpr int shell1s = 0;
constexpr int shell2s = 1;
constexpr int shell2p = 2;
constexpr int shell3s = 3;
constexpr int shell3p = 4;
constexpr int shell3d = 5;
constexpr int shell4s = 6;
constexpr int shell4p = 7;
constexpr int shell4d = 8;
constexpr int shell4f = 9;
constexpr int shell5s = 10;
constexpr int shell5p = 11;
constexpr int shell5d = 12;
constexpr int shell5f = 13;
constexpr int shell6s = 14;
constexpr int shell6p = 15;
constexpr int shell6d = 16;
constexpr int shell7s = 17;

struct tsubshell {
  std::string_view name;
  int capacity;
  double effectiveprincipal;  // n*, the principal quantum number used in
                              // the energy and radius formulas
};

constexpr std::array<tsubshell, subshellcount> subshells = {{
    {"1s", 2, 1.0},
    {"2s", 2, 2.0},
    {"2p", 6, 2.0},
    {"3s", 2, 3.0},
    {"3p", 6, 3.0},
    {"3d", 10, 3.0},
    {"4s", 2, 3.7},
    {"4p", 6, 3.7},
    {"4d", 10, 3.7},
    {"4f", 14, 3.7},
    {"5s", 2, 4.0},
    {"5p", 6, 4.0},
    {"5d", 10, 4.0},
    {"5f", 14, 4.0},
    {"6s", 2, 4.2},
    {"6p", 6, 4.2},
    {"6d", 10, 4.2},
    {"7s", 2, 4.2},
}};

constexpr std::array<int, subshellcount> fillingorder = {
    shell1s, shell2s, shell2p, shell3s, shell3p, shell4s,
    shell3d, shell4p, shell5s, shell4d, shell5p, shell6s,
    shell4f, shell5d, shell6p, shell7s, shell5f, shell6d};

// Ground states that do not follow the filling order: a half-filled or full
// d shell taken at the cost of an s electron, and the lanthanide and
// actinide rows that keep a d electron.
struct tfillingexception {
  int electrons;
  int subshell1;
  int count1;
  int subshell2;
  int count2;
};

constexpr std::array<tfillingexception, 19> fillingexceptions = {{
    {24, shell3d, 5, shell4s, 1},  {29, shell3d, 10, shell4s, 1},
    {41, shell4d, 4, shell5s, 1},  {42, shell4d, 5, shell5s, 1},
    {43, shell4d, 6, shell5s, 1},  {44, shell4d, 7, shell5s, 1},
    {45, shell4d, 8, shell5s, 1},  {46, shell4d, 10, shell5s, 0},
    {47, shell4d, 10, shell5s, 1}, {57, shell4f, 0, shell5d, 1},
    {64, shell4f, 7, shell5d, 1},  {78, shell5d, 9, shell6s, 1},
    {79, shell5d, 10, shell6s, 1}, {89, shell5f, 0, shell6d, 1},
    {90, shell5f, 0, shell6d, 2},  {91, shell5f, 2, shell6d, 1},
    {92, shell5f, 3, shell6d, 1},  {96, shell5f, 7, shell6d, 1},
    {97, shell5f, 8, shell6d, 1},
}};

constexpr int sum(const toccupancy& occupancy) {
  int total = 0;
  for (int count : occupancy) {
    total += count;
  }
  return total;
}

constexpr std::array<toccupancy, maxelectrons + 1> makeconfigurations() {
  std::array<toccupancy, maxelectrons + 1> rows{};
  for (int electrons = 0; electrons <= maxelectrons; ++electrons) {
    toccupancy& row = rows[static_cast<std::size_t>(electrons)];
    int left = electrons;
    for (int subshell : fillingorder) {
      const int count = std::min(
          left, subshells[static_cast<std::size_t>(subshell)].capacity);
      row[static_cast<std::size_t>(subshell)] = count;
      left -= count;
    }
  }
  for (const tfillingexception& exception : fillingexceptions) {
    toccupancy& row = rows[static_cast<std::size_t>(exception.electrons)];
    row[static_cast<std::size_t>(exception.subshell1)] = exception.count1;
    row[static_cast<std::size_t>(exception.subshell2)] = exception.count2;
  }
  return rows;
}

constexpr std::array<toccupancy, maxelectrons + 1> configurations =
    makeconfigurations();

constexpr bool everyrowholdsitselectrons() {
  for (int electrons = 0; electrons <= maxelectrons; ++electrons) {
    if (sum(configurations[static_cast<std::size_t>(electrons)]) != electrons) {
      return false;
    }
  }
  return true;
}
static_assert(everyrowholdsitselectrons(),
              "a filling exception moves electrons instead of swapping them");

// Clamped, so that hostile charges neither overflow nor index past the rows.
long long electronsfor(long long z, long long q) {
  return std::clamp(z - q, 0LL, static_cast<long long>(maxelectrons));
}

const toccupancy& configurationof(long long electrons) {
  return configurations[static_cast<std::size_t>(
      std::clamp(electrons, 0LL, static_cast<long long>(maxelectrons)))];
}

bool isvalidsubshell(int subshell) {
  return subshell >= 0 && subshell < subshellcount;
}

std::size_t at(int subshell) { return static_cast<std::size_t>(subshell); }

double principalof(int subshell) {
  return subshells[at(subshell)].effectiveprincipal;
}

int occupancysumof(const toccupancy& occupancy, int first, int last) {
  int total = 0;
  for (int i = std::max(first, 0); i <= std::min(last, subshellcount - 1);
       ++i) {
    total += occupancy[at(i)];
  }
  return total;
}

int highestoccupiedof(const toccupancy& occupancy) {
  for (int i = subshellcount - 1; i >= 0; --i) {
    if (occupancy[at(i)] > 0) {
      return i;
    }
  }
  return nosubshell;
}

// Screening constants of the effective-charge model.
constexpr double screenA = 0.3218;
constexpr double screenB = 0.8921;
constexpr double screenBp = 0.9355;
constexpr double screenC = 0.0352;
constexpr double screenD = 0.9143;
constexpr double screenE = 0.8933;
constexpr double screenG = 0.941;
constexpr double screenH = 0.2959;
constexpr double screenS = 0.35;
constexpr double screenT = 0.85;

double shielding(const toccupancy& occupancy, int subshell) {
  const auto occ = [&](int i) { return static_cast<double>(occupancy[at(i)]); };
  const auto range = [&](int first, int last) {
    return static_cast<double>(occupancysumof(occupancy, first, last));
  };
  switch (subshell) {
    case shell1s:
      return (occ(shell1s) - 1) * screenH;
    case shell2s:
      return (range(shell2s, shell2p) - 1) * screenA + occ(shell1s) * screenB;
    case shell2p:
      return (range(shell2s, shell2p) - 1) * screenA + occ(shell1s) * screenBp;
    case shell3s:
      return (range(shell3s, shell3p) - 1) * screenA + occ(shell3d) * screenC +
             range(shell2s, shell2p) * screenB + occ(shell1s) * screenG;
    case shell3p:
      return (range(shell3s, shell3p) - 1) * screenA + occ(shell3d) * screenC +
             range(shell2s, shell2p) * screenBp + occ(shell1s) * screenG;
    case shell3d:
      return (occ(shell3d) - 1) * screenA + range(shell3s, shell3p) * screenE +
             range(shell1s, shell2p) * screenG;
    case shell4s:
      return (range(shell4s, shell4p) - 1) * screenA + occ(shell4d) * screenC +
             occ(shell3d) * screenD + range(shell3s, shell3p) * screenB +
             range(shell1s, shell2p) * screenG;
    case shell4p:
      return (range(shell4s, shell4p) - 1) * screenA + occ(shell4d) * screenC +
             occ(shell3d) * screenD + range(shell3s, shell3p) * screenBp +
             range(shell1s, shell2p) * screenG;
    case shell4d:
      return (occ(shell4d) - 1) * screenA + range(shell4s, shell4p) * screenE +
             range(shell1s, shell3d) * screenG;
    case shell4f:
      return (occ(shell4f) - 1) * screenS + range(shell1s, shell4d) * screenG;
    case shell5s:
    case shell5p:
      // 4f does not screen 5s and 5p in this model.
      return (range(shell5s, shell5p) - 1) * screenA + occ(shell5d) * screenC +
             occ(shell4d) * screenD + range(shell1s, shell4p) * screenG;
    case shell5d:
      return (occ(shell5d) - 1) * screenA + range(shell1s, shell5p) * screenG;
    case shell5f:
      return (occ(shell5f) - 1) * screenS + range(shell1s, shell5d) * screenG;
    case shell6s:
      return (range(shell6s, shell6p) - 1) * screenS +
             range(shell5s, shell5f) * screenT +
             range(shell1s, shell4f) * screenG;
    case shell6p:
      return (range(shell6s, shell6p) - 1) * screenS + occ(shell5d) * screenT +
             range(shell1s, shell5p) * screenG;
    case shell6d:
      return (occ(shell6d) - 1) * screenS + range(shell1s, shell6p) * screenG;
    case shell7s:
      return (occ(shell7s) - 1) * screenS + range(shell6s, shell6d) * screenT +
             range(shell1s, shell5f) * screenG;
    default:
      return 0.0;
  }
}

double zeffof(double z, const toccupancy& occupancy, int subshell) {
  if (!isvalidsubshell(subshell)) {
    return 0.0;
  }
  return z - shielding(occupancy, subshell);
}

constexpr double rydbergev = 13.595;
constexpr double bohrangstrom = 0.5292;

// Electron-pairing penalty in eV: one unit for each electron beyond half
// filling of a p or d subshell, scaled down with the shell's n.
double pairingenergy(int subshell, int count) {
  constexpr std::array<int, 7> ppairs = {0, 0, 0, 0, 1, 2, 3};
  constexpr std::array<int, 11> dpairs = {0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5};
  constexpr double punit = 14.1;
  constexpr double dunit = 99.6;
  int n = 0;
  bool isd = false;
  switch (subshell) {
    case shell2p:
      n = 2;
      break;
    case shell3p:
      n = 3;
      break;
    case shell4p:
      n = 4;
      break;
    case shell5p:
      n = 5;
      break;
    case shell3d:
      n = 3;
      isd = true;
      break;
    case shell4d:
      n = 4;
      isd = true;
      break;
    case shell5d:
      n = 5;
      isd = true;
      break;
    default:
      return 0.0;
  }
  // An edited occupancy may be outside the subshell's range.
  const double pairs = isd ? dpairs[at(std::clamp(count, 0, 10))] * dunit
                           : ppairs[at(std::clamp(count, 0, 6))] * punit;
  return pairs / (n * n);
}

double energyof(double z, const toccupancy& occupancy) {
  const int highest = highestoccupiedof(occupancy);
  if (highest == nosubshell) {
    return 0.0;
  }
  double energy = 0.0;
  for (int i = 0; i <= highest; ++i) {
    const double effective = zeffof(z, occupancy, i);
    if (effective <= 0.0) {
      continue;
    }
    const double ratio = effective / principalof(i);
    energy += -rydbergev * occupancy[at(i)] * ratio * ratio +
              pairingenergy(i, occupancy[at(i)]);
  }
  return energy;
}

double energyatcharge(int z, long long q) {
  return energyof(z, configurationof(electronsfor(z, q)));
}

// A state without electrons gets the radius of a 1s electron around the
// charge Z + q. Z + q is at least 2 for a real element stripped bare; the
// floor of 1 only catches "R" and the unnamed point (Z <= 0), which have no
// nucleus to speak of.
double barenucleusradius(double zplusq) {
  return bohrangstrom / std::max(1.0, zplusq);
}

// Radius of the outermost occupied subshell for the ground state of z - q
// electrons. A neutral atom or cation always binds its outermost electron
// (every screening constant is below 1), but an anion may not: its Z_eff
// comes out zero or negative. Such a state takes the radius of the largest
// electron count below it that does bind, widened in proportion to the
// electron count, which keeps the radius finite, positive and growing with
// each added electron. The search is bounded by the 108-electron rows. With
// no nucleus (Z <= 0) nothing binds, and the floored bare-nucleus radius is
// widened the same way.
double radiusatcharge(int z, long long q) {
  const long long electrons = electronsfor(z, q);
  if (electrons == 0) {
    return barenucleusradius(static_cast<double>(z) + static_cast<double>(q));
  }
  for (long long count = electrons; count > 0; --count) {
    const toccupancy& occupancy = configurationof(count);
    const int outer = highestoccupiedof(occupancy);
    const double effective = zeffof(z, occupancy, outer);
    if (effective > 0.0) {
      const double n = principalof(outer);
      return bohrangstrom * n * n / effective *
             (static_cast<double>(electrons) / static_cast<double>(count));
    }
  }
  return barenucleusradius(2.0 * z) * static_cast<double>(electrons);
}

// Allred-Rochow: the force on an electron arriving at the atom, with Z* the
// effective charge of the state that holds it (charge q - 1) and its
// distance the covalent radius scaled by how much that state grows.
double electronegativityatcharge(int z, double covalentradius, long long q) {
  if (!(covalentradius > 0.0)) {
    return 0.0;
  }
  const toccupancy& anion = configurationof(electronsfor(z, q - 1));
  const int outer = highestoccupiedof(anion);
  const double zstar =
      outer == nosubshell ? static_cast<double>(z) : zeffof(z, anion, outer);
  const double r =
      covalentradius * radiusatcharge(z, q - 1) / radiusatcharge(z, q);
  return 0.359 * zstar / (r * r) + 0.744;
}

}  // namespace

TEConfig::TEConfig(int element, int q)
    : Z(element), charge(q), covalentradius(radiusof(element)) {
  occupancy = configurationof(electronsfor(Z, charge));
}

std::string_view TEConfig::subshellname(int subshell) {
  return isvalidsubshell(subshell) ? subshells[at(subshell)].name : "";
}

int TEConfig::subshellcapacity(int subshell) {
  return isvalidsubshell(subshell) ? subshells[at(subshell)].capacity : 0;
}

int TEConfig::nextsubshell(int subshell) {
  const auto position =
      std::find(fillingorder.begin(), fillingorder.end(), subshell);
  if (position == fillingorder.end() || position + 1 == fillingorder.end()) {
    return nosubshell;
  }
  return *(position + 1);
}

int TEConfig::previoussubshell(int subshell) {
  const auto position =
      std::find(fillingorder.begin(), fillingorder.end(), subshell);
  if (position == fillingorder.end() || position == fillingorder.begin()) {
    return nosubshell;
  }
  return *(position - 1);
}

void TEConfig::loadconfiguration(int electrons) {
  occupancy = configurationof(electrons);
}

bool TEConfig::addelectron(int subshell) {
  if (!isvalidsubshell(subshell) ||
      occupancy[at(subshell)] >= subshellcapacity(subshell)) {
    return false;
  }
  ++occupancy[at(subshell)];
  return true;
}

bool TEConfig::addelectron() {
  for (int subshell : fillingorder) {
    if (addelectron(subshell)) {
      return true;
    }
  }
  return false;
}

bool TEConfig::removeelectron(int subshell) {
  if (!isvalidsubshell(subshell) || occupancy[at(subshell)] <= 0) {
    return false;
  }
  --occupancy[at(subshell)];
  return true;
}

bool TEConfig::removeelectron() {
  for (auto position = fillingorder.rbegin(); position != fillingorder.rend();
       ++position) {
    if (removeelectron(*position)) {
      return true;
    }
  }
  return false;
}

bool TEConfig::moveelectron(int from, int to) {
  if (!isvalidsubshell(from) || !isvalidsubshell(to) ||
      occupancy[at(from)] <= 0 || occupancy[at(to)] >= subshellcapacity(to)) {
    return false;
  }
  --occupancy[at(from)];
  ++occupancy[at(to)];
  return true;
}

int TEConfig::highestoccupied() const { return highestoccupiedof(occupancy); }

int TEConfig::firstnotfull() const {
  for (int i = 0; i < subshellcount; ++i) {
    if (occupancy[at(i)] < subshellcapacity(i)) {
      return i;
    }
  }
  return nosubshell;
}

int TEConfig::firstempty() const {
  for (int i = 0; i < subshellcount; ++i) {
    if (occupancy[at(i)] == 0) {
      return i;
    }
  }
  return nosubshell;
}

int TEConfig::electroncount() const { return sum(occupancy); }

int TEConfig::occupancysum(int first, int last) const {
  return occupancysumof(occupancy, first, last);
}

double TEConfig::zeff(int subshell) const {
  return zeffof(Z, occupancy, subshell);
}

double TEConfig::totalenergy() const { return energyof(Z, occupancy); }

double TEConfig::ionisationenergy() const {
  return std::max(0.0, chargeenergy(1));
}

double TEConfig::electronaffinity() const { return -chargeenergy(-1); }

double TEConfig::hardness() const {
  return (chargeenergy(1) + chargeenergy(-1)) / 2.0;
}

double TEConfig::chargeenergy(int k) const {
  const long long q = charge;
  return energyatcharge(Z, q + k) - energyatcharge(Z, q);
}

double TEConfig::orbitalradius(int q) const { return radiusatcharge(Z, q); }

double TEConfig::electronegativity() const {
  return electronegativityatcharge(Z, covalentradius, charge);
}

double TEConfig::welldepthcal() const {
  // Dispersion grows with polarisability, and polarisability with the cube
  // of the atom's size, so the depth is taken as proportional to the cube of
  // the orbital radius at the object's own charge: carbon (0.67 Å) comes to
  // about 100 cal/mol, a cation gets shallower and an anion deeper. The
  // model's hardness is left out on purpose: in the f block it swings by
  // hundreds of eV and even changes sign. The clamp keeps open-shell metals,
  // bare nuclei and the unbound anions within what the force field can use.
  constexpr double calpercubicangstrom = 330.0;
  constexpr double shallowestcal = 10.0;
  constexpr double deepestcal = 1000.0;
  const double r = orbitalradius(charge);
  return std::clamp(calpercubicangstrom * r * r * r, shallowestcal, deepestcal);
}

std::string TEConfig::configtext() const {
  std::string text;
  const int highest = highestoccupied();
  if (highest == nosubshell) {
    return text;
  }
  for (int i = 0; i <= highest; ++i) {
    if (!text.empty()) {
      text += ' ';
    }
    text += subshellname(i);
    text += std::to_string(occupancy[at(i)]);
  }
  return text;
}

double electronegativityatpartial(int Z, int q, double delta) {
  const double radius = radiusof(Z);
  const long long charge = q;
  const double middle = electronegativityatcharge(Z, radius, charge);
  const double above = electronegativityatcharge(Z, radius, charge + 1);
  const double below = electronegativityatcharge(Z, radius, charge - 1);
  const double slope = (above - below) / 2.0;
  const double curvature = (above + below - 2.0 * middle) / 2.0;
  return std::max(0.0, middle + slope * delta + curvature * delta * delta);
}

double ionradiusof(int Z, int q) {
  const double radius = radiusof(Z);
  if (q == 0) {
    return radius;
  }
  return radius * radiusatcharge(Z, q) / radiusatcharge(Z, 0);
}

double bondlength(int Z1, int Z2, int electrons, double standardlength) {
  // The carbon-carbon single bond's radius sum and order factor are each
  // angstromperbond, so that bond comes out exactly one standard length.
  return (radiusof(Z1) + radiusof(Z2) - 0.01) * standardlength *
         (1.71 - 0.09 * electrons) / (angstromperbond * angstromperbond);
}

}  // namespace molvane
