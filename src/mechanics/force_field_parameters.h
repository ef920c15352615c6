// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/units.h"

namespace molvane {

/// Energies are cal/mol throughout the force field; this turns them into
/// the kcal/mol that users see.
inline constexpr double kcalpercal = 0.001;
/// Ångström that one standard bond (L drawing units) stands for.
inline constexpr double standardbondangstrom = angstromperbond;
/// Force constants of the vibrational analysis per cal/mol of a term's
/// energy constant.
inline constexpr double vibrationfactor = 6.947e-6;
/// Coulomb's constant in cal·Å/mol for unit charges.
inline constexpr double coulombconstant = 332063.7;

/// Dissociation depth D in cal/mol of a bond between elements first and
/// second (in the bond's own order) with effective order code c.
double stretchdepth(int first, int second, int c);

/// Equilibrium bond length in Å for elements z1, z2 and effective code c;
/// a carbon-carbon single bond between tetrahedral atoms gives exactly the
/// standard 1.53 Å. h1 and h2 are the atoms' hybridisation codes: a single
/// bond to a trigonal, aromatic or linear atom is shorter. lonepairdonor
/// stands for a flat nitrogen whose lone pair joins the other end's π system
/// (amides): those bonds are shorter still. q1 and q2 are the formal
/// charges: an atom without lone pairs (N+) does not push its bond apart.
inline constexpr int lonepairdonor = 5;
double stretchlengthangstrom(int z1, int z2, int c, int h1 = 3, int h2 = 3,
                             int q1 = 0, int q2 = 0);

/// How much longer a triple bond from a cation that carries a second bond
/// is when a resonance form makes it part double: N2O's N≡N+–O− is 1.128 Å
/// and an azide's terminal N≡N 1.13 Å (N2 1.098), an isocyanide's N+≡C−
/// 1.166 Å (CRC Handbook, bond lengths in free molecules). anionside is
/// true when the cation's other neighbour is an anion, anionpartner when
/// the triple bond's far end is one; a diazonium (neither) and CO (no
/// second bond) keep their lengths.
double chargedtriplelengthening(bool secondbond, bool anionside,
                                bool anionpartner);

/// Redundancy weight of a bend at a centre with that many bonds.
double bendredundancy(int bondcount);

/// Torsion parameters about a bond.
struct ttorsionparameters {
  double barrier = 0.0;  ///< V, cal/mol
  int periodicity = 2;   ///< n
  double phase = 0.0;    ///< φ0, radians
};

/// From the stored order code c of the central bond, the hybridisation
/// codes of its atoms and their elements (the chalcogen single bond has a
/// right-angle preference). Patterns outside the table have no barrier.
ttorsionparameters torsionparameters(int c, int h2, int h3, int z2, int z3);

/// A well depth (cal/mol) and a pair distance at the minimum (Å).
struct twell {
  double epsilon = 0.0;
  double radius = 0.0;
};

/// Hydrogen-bond well of acceptor element za with the donor's heavy atom
/// zx; epsilon 0 when the pair is not in the table.
twell hydrogenbondwell(int za, int zx);

/// Van der Waals well of an atom from its element, hybridisation code,
/// implicit hydrogen count and formal charge. Always finite and positive,
/// also for pseudo-atoms and elements without a table row.
twell vdwparameters(int element, int hybridization, int hydrogens, int charge);

}  // namespace molvane
