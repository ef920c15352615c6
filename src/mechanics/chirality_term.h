// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/force_field_term.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace molvane {

/// A restraint that holds a stated configuration. At a stereo centre a4 it
/// keeps the sign of the volume its neighbours a1, a2, a3 span; across a
/// double bond a2=a3 it keeps a1 and a4 on their side (cis or trans). It
/// is flat-bottomed: zero while the configuration is held with room to
/// spare, so the energies of correct structures do not change.
struct tchirality : tcoordinate {
  /// +1 or -1: the sign the normalised volume (or cos φ of the torsion
  /// a1-a2-a3-a4) keeps.
  double sense = 1.0;
  bool doublebond = false;
  /// Below this signed value the penalty starts: a sound tetrahedral
  /// centre spans about 0.77, a double bond has cos φ of 1.
  double threshold = 0.25;
  /// cal/mol per squared unit of the value short of the threshold.
  double kc = 200000.0;
};

/// The signed value the restraint judges with its atoms at p1 ... p4: the
/// volume of the three bonds divided by their lengths, or cos φ, times
/// the sense; 0 when undefined (atoms on top of each other).
double chiralityvalue(const tchirality& term, const TXYZ& p1, const TXYZ& p2,
                      const TXYZ& p3, const TXYZ& p4);
/// Energy (cal/mol) of the restraint with its atoms at p1 ... p4.
double chiralityenergy(const tchirality& term, const TXYZ& p1, const TXYZ& p2,
                       const TXYZ& p3, const TXYZ& p4);
/// The same energy; g receives its gradient by the four positions
/// (cal/mol per drawing unit), zero where the value is undefined.
double chiralitygradient(const tchirality& term, const TXYZ& p1, const TXYZ& p2,
                         const TXYZ& p3, const TXYZ& p4,
                         std::array<TXYZ, 4>& g);

class tatm;
struct tstatedstereo;

/// The restraints that hold the centres and double bonds of stereo, their
/// atoms given as positions by indexof (which must list every atom they
/// name): four volumes at a centre of four neighbours, one at a centre
/// whose fourth is implicit, one side at a double bond.
std::vector<tchirality> chiralityterms(
    const tstatedstereo& stereo,
    const std::unordered_map<const tatm*, std::int32_t>& indexof);

}  // namespace molvane
