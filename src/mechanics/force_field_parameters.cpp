// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/force_field_parameters.h"

#include "model/electron_config.h"
#include "model/element_data.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace molvane {

namespace {

constexpr double pi = std::numbers::pi;

/// The shortest ideal bond we accept: pseudo-atoms have no covalent radius,
/// and a length at or below zero would turn the stretch inside out.
constexpr double shortestbondangstrom = 0.5;

constexpr double hydrogenbondradius = 0.33;
constexpr double aromaticorderfactor = 1.395;
/// Å per unit of electronegativity difference across a double bond.
constexpr double polarshortening = 0.035;

/// How much shorter a single bond gets at an atom of hybridisation code h:
/// 1.50 Å between tetrahedral and trigonal carbon, 1.47 Å between two
/// trigonal ones, 1.46 Å from a linear carbon.
double conjugationshortening(int h) {
  switch (h) {
    case 1:
      return 0.07;
    case 2:
    case 4:
      return 0.03;
    case lonepairdonor:
      return 0.06;
    default:
      return 0.0;
  }
}

/// How much longer a bond between two of nitrogen, oxygen and fluorine
/// gets at an end z of that kind: their lone pairs push each other apart,
/// so covalent radii alone make H2O2 1.31 Å (1.48), F2 1.27 (1.41) and
/// O2 1.16 (1.21). Multiple bonds (c above 3) lengthen less.
double lonepairlengthening(int z, int c) {
  switch (z) {
    case 7:
      return c > 3 ? 0.015 : 0.03;
    case 8:
      return c > 3 ? 0.025 : 0.08;
    case 9:
      return 0.07;
    default:
      return 0.0;
  }
}

/// How much shorter a double bond gets at a linear (cumulated) centre:
/// CO2 1.16 Å against 1.21 in a ketone, allene 1.31 against 1.34.
constexpr double cumulatedshortening = 0.05;

struct ttorsionrow {
  int key;
  ttorsionparameters parameters;
};

// key = c * 1000 + h2 * h3 * (h2 + h3): 16 sp2-sp2, 30 sp2-sp3,
// 48 sp2-aromatic, 54 sp3-sp3, 84 sp3-aromatic, 128 aromatic-aromatic.
constexpr ttorsionrow torsionrows[] = {
    {1016, {5000, 2, pi}},     {1048, {5000, 2, pi}},
    {2016, {5000, 2, pi}},     {2048, {5000, 2, pi}},
    {1030, {1000, 6, 0}},      {1084, {1000, 6, 0}},
    {2030, {1000, 6, 0}},      {2084, {1000, 6, 0}},
    {1054, {2000, 3, pi / 3}}, {2054, {2000, 3, pi / 3}},
    {1128, {10000, 2, pi}},    {2128, {10000, 2, pi}},
    {3016, {25000, 2, 0}},     {3128, {25000, 2, 0}},
    {4016, {45000, 2, 0}},     {4128, {45000, 2, 0}},
};

struct thydrogenbondrow {
  int key;  // 10 * Z(acceptor) + Z(donor's heavy atom)
  twell well;
};

constexpr thydrogenbondrow hydrogenbondrows[] = {
    {77, {7000, 2.75}},  {78, {8000, 2.75}},  {87, {8000, 2.75}},
    {79, {9700, 2.78}},  {97, {9700, 2.78}},  {88, {9000, 2.73}},
    {89, {12100, 2.66}}, {98, {12100, 2.66}}, {99, {15700, 2.55}},
};

struct tcarbonrow {
  int key;  // 10 * hybridisation + implicit hydrogens
  twell well;
};

constexpr tcarbonrow carbonrows[] = {
    {1, {146.7, 3.983}},  {2, {198.4, 4.0677}},  {32, {198.4, 4.0677}},
    {3, {305.0, 4.1524}}, {33, {305.0, 4.1524}}, {4, {301.6, 4.237}},
    {34, {301.6, 4.237}}, {10, {95.0, 3.898}},   {20, {95.0, 3.898}},
    {30, {95.0, 3.898}},  {40, {95.0, 3.898}},   {11, {145.0, 3.983}},
    {21, {145.0, 3.983}}, {31, {145.0, 3.983}},  {41, {145.0, 3.983}},
    {22, {215.0, 4.08}},
};
/// A carbon pattern outside the table keeps the default well depth and
/// takes the size of a bare sp3 carbon.
constexpr twell barecarbon = {95.0, 3.898};

/// Main-group rows by element (of the isoelectronic neutral atom) and a
/// range of hybridisation codes. A radius of 0 means twice the covalent
/// radius.
struct tmaingrouprow {
  int element;
  int firsthybrid;
  int lasthybrid;
  twell well;
};

constexpr tmaingrouprow maingrouprows[] = {
    {1, 1, 3, {15.2, 3.195}},  {5, 0, 0, {95.0, 0}},
    {5, 1, 4, {95.0, 4.02}},   {7, 0, 0, {95.0, 0}},
    {7, 1, 4, {77.4, 3.6621}}, {8, 0, 0, {95.7, 0}},
    {8, 1, 4, {95.7, 3.325}},  {9, 0, 0, {72.5, 0}},
    {9, 1, 4, {72.5, 3.472}},  {11, 0, 0, {500, 0}},
    {11, 1, 4, {500, 3.144}},  {13, 0, 0, {310, 0}},
    {13, 1, 4, {310, 4.39}},   {14, 0, 0, {310, 0}},
    {14, 1, 4, {310, 4.27}},   {15, 0, 4, {320, 4.15}},
    {16, 0, 4, {344, 4.03}},   {17, 0, 4, {283.3, 3.9503}},
    {31, 0, 4, {400, 4.39}},   {32, 0, 4, {400, 4.27}},
    {33, 0, 4, {410, 4.15}},   {34, 0, 4, {430, 4.03}},
    {35, 0, 4, {370, 3.95}},   {49, 0, 4, {550, 4.59}},
    {50, 0, 4, {550, 4.47}},   {51, 0, 4, {550, 4.35}},
    {52, 0, 4, {570, 4.23}},   {53, 0, 4, {510, 4.15}},
};

const tmaingrouprow* maingrouprow(int element, int hybridization) {
  for (const tmaingrouprow& row : maingrouprows) {
    if (row.element == element && hybridization >= row.firsthybrid &&
        hybridization <= row.lasthybrid) {
      return &row;
    }
  }
  return nullptr;
}

/// Pair distances at the minimum for the noble-gas configurations (twice
/// the van der Waals radius): the covalent radius would let closed shells
/// sit at bonding distance.
struct tnoblerow {
  int electrons;
  double radius;
};
constexpr tnoblerow noblerows[] = {{2, 2.80},  {10, 3.08}, {18, 3.76},
                                   {36, 4.04}, {54, 4.32}, {86, 4.40}};

/// Metals take the radius of a reference element scaled by their size.
struct tmetalrow {
  int first;
  int last;
  int reference;
  double radius;
};
constexpr tmetalrow metalrows[] = {
    {3, 4, 11, 3.144},    {12, 12, 11, 3.144}, {19, 19, 11, 3.144},
    {37, 37, 11, 3.144},  {55, 80, 11, 3.144}, {85, 85, 11, 3.144},
    {87, 103, 11, 3.144}, {20, 30, 31, 4.39},  {38, 48, 49, 4.59},
    {81, 81, 49, 4.59},   {82, 82, 50, 4.47},  {83, 83, 51, 4.35},
    {84, 84, 52, 4.23},
};

double orbitalsize(int element, int charge) {
  return TEConfig(element, charge).orbitalradius(charge);
}

}  // namespace

double stretchdepth(int first, int second, int c) {
  switch (100 * first + second) {
    case 606:
      return 29300.0 * c + 25600.0;
    case 607:
    case 706:
      return 35400.0 * c + 2200.0;
    case 608:
    case 806:
      return 42500.0 * c;
    case 707:
      return 5890.3 * c * c + 11714.3;
    case 808:
      if (c == 1 || c == 2) {
        return 17500.0 * c;
      }
      return c >= 3 && c <= 6 ? 21300.0 * c : 0.0;
    default:
      return c * 0.5 * bondenergyof(first, second);
  }
}

double stretchlengthangstrom(int z1, int z2, int c, int h1, int h2, int q1,
                             int q2) {
  // The covalent radius of hydrogen in the element table (0.29 Å) makes
  // C-H 1.05 Å; bonds to hydrogen are 1.09 (C), 1.02 (N) and 0.97 Å (O).
  auto bondradius = [](int z) {
    return z == 1 ? hydrogenbondradius : radiusof(z);
  };
  // A single bond from an unsaturated cation to an anion is half of a π
  // bond written as two charges (nitro, azide, N2O, ozone): N-O 1.22 Å in
  // nitromethane, 1.18 in N2O; O-O 1.28 in ozone (CRC Handbook, bond
  // lengths in free molecules). The lone pairs do not push it apart.
  const int cationhybrid = q1 > 0 ? h1 : h2;
  if (c == 2 && q1 * q2 < 0 && (cationhybrid == 1 || cationhybrid == 2)) {
    return aromaticorderfactor * (bondradius(z1) + bondradius(z2) - 0.01) /
           standardbondangstrom;
  }
  // One and a half bonds: the straight line through single (1.53 Å) and
  // double (1.35 Å) would give 1.44 Å for benzene, which is 1.39 Å.
  const double orderfactor = c == 3 ? aromaticorderfactor : 1.71 - 0.09 * c;
  double length = orderfactor * (bondradius(z1) + bondradius(z2) - 0.01) /
                  standardbondangstrom;
  if (c == 2 && z1 > 1 && z2 > 1) {
    length -= conjugationshortening(h1) + conjugationshortening(h2);
  }
  if (c == 4) {
    // Polar double bonds are shorter: C=O 1.22 Å, C=N 1.27 Å.
    length -= polarshortening *
              std::abs(electronegativityof(z1) - electronegativityof(z2));
    length -= cumulatedshortening * ((h1 == 1 ? 1 : 0) + (h2 == 1 ? 1 : 0));
  }
  // By the lone pairs of the isoelectronic atom: N+ has none, O- has three.
  const double push1 = lonepairlengthening(z1 - q1, c);
  const double push2 = lonepairlengthening(z2 - q2, c);
  if (push1 > 0.0 && push2 > 0.0) {
    length += push1 + push2;
  }
  return std::max(length, shortestbondangstrom);
}

double chargedtriplelengthening(bool secondbond, bool anionside,
                                bool anionpartner) {
  if (!secondbond) {
    return 0.0;
  }
  if (anionside) {
    return 0.065;
  }
  return anionpartner ? 0.05 : 0.0;
}

double bendredundancy(int bondcount) {
  if (bondcount < 4) {
    return 1.0;
  }
  double pairs = bondcount * (bondcount - 1) / 2.0;
  return (pairs - 1.0) / pairs;
}

ttorsionparameters torsionparameters(int c, int h2, int h3, int z2, int z3) {
  const int key = c * 1000 + h2 * h3 * (h2 + h3);
  ttorsionparameters parameters;
  for (const ttorsionrow& row : torsionrows) {
    if (row.key == key) {
      parameters = row.parameters;
    }
  }
  auto chalcogen = [](int z) {
    return z == 8 || z == 16 || z == 34 || z == 52;
  };
  if (c == 2 && chalcogen(z2) && chalcogen(z3)) {
    parameters = {2000.0, 2, pi / 2};
  }
  return parameters;
}

twell hydrogenbondwell(int za, int zx) {
  for (const thydrogenbondrow& row : hydrogenbondrows) {
    if (row.key == 10 * za + zx) {
      return row.well;
    }
  }
  return {};
}

twell vdwparameters(int element, int hybridization, int hydrogens, int charge) {
  const int h = hybridization > 4 || hybridization < 0 ? 0 : hybridization;
  const int isoelectronic = element - charge;
  twell well{TEConfig(element, charge).welldepthcal(), 0.0};
  if (element == 6) {
    well.radius = barecarbon.radius;
    for (const tcarbonrow& row : carbonrows) {
      if (row.key == 10 * h + hydrogens) {
        well = row.well;
      }
    }
  } else {
    // An ion without a row of its own (N+ looks like carbon) takes the row
    // of its neutral element.
    int rowelement = isoelectronic;
    const tmaingrouprow* row = maingrouprow(isoelectronic, h);
    if (row == nullptr) {
      rowelement = element;
      row = maingrouprow(element, h);
    }
    if (row != nullptr) {
      well = row->well;
      if (well.radius == 0.0) {
        well.radius = 2.0 * radiusof(rowelement);
      }
    }
  }
  for (const tnoblerow& noble : noblerows) {
    if (noble.electrons == isoelectronic) {
      well.radius = noble.radius;
    }
  }
  for (const tmetalrow& metal : metalrows) {
    if (isoelectronic >= metal.first && isoelectronic <= metal.last) {
      // Larger atoms get larger radii.
      well.radius = metal.radius * orbitalsize(element, charge) /
                    orbitalsize(metal.reference, 0);
    }
  }
  if (!(well.radius > 0.0)) {
    well.radius =
        radiusof(element) > 0.0 ? 2.0 * radiusof(element) : barecarbon.radius;
  }
  return well;
}

}  // namespace molvane
