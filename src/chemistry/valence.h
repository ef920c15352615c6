// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace molvane {

// Valence rules shared by the SMILES reader and writer and the drawing's
// valence check.

/// What the bonds of an unbracketed SMILES atom leave for hydrogens.
struct timpliedvalence {
  /// Hydrogens the atom carries without saying so.
  int hydrogens = 0;
  /// An aromatic atom that takes a double bond of its ring (benzene carbon,
  /// pyridine nitrogen); false for pyrrole-type nitrogen, furan oxygen and
  /// thiophene sulfur.
  bool needsdouble = false;
};

/// True for the elements SMILES writes without brackets (B C N O P S F Cl
/// Br I); aromatic only for B C N O P S.
bool isorganicsubset(int element, bool aromatic);

/// The implied hydrogens of an unbracketed atom whose bond orders sum to
/// bondsum (an aromatic bond counts 1): the lowest normal valence that the
/// bonds (and, for an aromatic atom, one more for its share of a double
/// bond) fit in.
timpliedvalence impliedvalence(int element, bool aromatic, int bondsum);

/// Whether a bracketed aromatic atom with these bonds, hydrogens and charge
/// still has room for a double bond of its ring.
bool bracketneedsdouble(int element, int charge, int bondsum, int hydrogens);

/// The most bonds (bond orders summed, hydrogens included) an atom of
/// element with charge can make: the largest normal valence, the lowest for
/// the second period, whose shell cannot widen (so pentavalent nitrogen is
/// too many, hypervalent sulfur and phosphorus are not), moved by the charge
/// as an isoelectronic atom bonds (N+ four, O- one). nullopt for elements
/// without a rule (metals, noble gases, pseudo atoms).
std::optional<int> largestvalence(int element, int charge);

}  // namespace molvane
