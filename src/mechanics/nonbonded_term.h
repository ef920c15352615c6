// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/force_field_term.h"

#include <span>

namespace molvane {

/// Types of non-bonded pair; the numbers are those of stored terms.
enum class tpairtype : std::uint8_t {
  vanderwaals = 0,
  hydrogenbond = 1,
  charged = 2
};

/// A non-bonded pair. For a hydrogen bond a1 is the hydrogen, a2 the
/// acceptor and a3 the hydrogen's neighbour.
struct tnbpair : tcoordinate {
  tpairtype type = tpairtype::vanderwaals;
  double epsilon = 0.0;  ///< cal/mol
  double radius = 0.0;   ///< distance of the minimum, Å
  double coulomb = 0.0;  ///< 332063.7 q1 q2, cal·Å/mol
};

/// A pair that is not a hydrogen bond, in the compact form the sums over
/// the whole field read (a third of a stored pair's size, so the pairs of a
/// few hundred atoms stay in the cache). coulomb is 0 for uncharged pairs.
struct tcompactpair {
  std::int32_t a = 0;
  std::int32_t b = 0;
  double epsilon = 0.0;
  double radius = 0.0;
  double coulomb = 0.0;
};

/// How pairs fade out with distance: not at all (every pair counts in
/// full), or smoothly from `on` to nothing at `off` (Å). The fade has a
/// continuous slope, so a minimiser sees no step at the cut-off.
struct tpairswitch {
  double on = 0.0;
  double off = 0.0;
  bool active() const { return off > 0.0; }
};

/// Where the pair's atoms are (drawing units); x is the hydrogen's
/// neighbour of a hydrogen bond and unused otherwise.
struct tpairplaces {
  TXYZ p1, p2, x;
};

/// Energy (cal/mol) of the pair; angstromperunit turns drawing units into
/// the Å of the pair's parameters.
double pairenergy(const tnbpair& term, const tpairplaces& at,
                  double angstromperunit, const tpairswitch& fade = {});
/// The same energy; g receives its gradient by p1, p2 and x (cal/mol per
/// drawing unit).
double pairgradient(const tnbpair& term, const tpairplaces& at,
                    double angstromperunit, const tpairswitch& fade,
                    std::array<TXYZ, 3>& g);

/// The summed energy (cal/mol) of compact pairs, last to first, with the
/// atoms at xyz (drawing units, x, y, z of each atom in turn); the same
/// value pair by pair as `pairenergy`. When grad (as long as xyz) is not
/// empty, the pairs' gradient is added to it.
double compactpairsum(std::span<const tcompactpair> pairs,
                      std::span<const double> xyz, double angstromperunit,
                      const tpairswitch& fade, std::span<double> grad);

}  // namespace molvane
