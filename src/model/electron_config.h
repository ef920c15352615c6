// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace molvane {

/// Subshells 1s 2s 2p 3s 3p 3d 4s 4p 4d 4f 5s 5p 5d 5f 6s 6p 6d 7s, in this
/// index order. A returned subshell index of `nosubshell` means "none".
inline constexpr int subshellcount = 18;
inline constexpr int nosubshell = 18;
/// The configuration rows go up to this many electrons.
inline constexpr int maxelectrons = 108;

/// Ground-state electron configuration of an atom or monatomic ion with a
/// simple effective-charge model on top of it. Energies are in eV, lengths
/// in Å. An ion gets the configuration of the neutral atom with the same
/// number of electrons (Fe2+ has that of Cr: 3d5 4s1).
///
/// Any Z and charge are accepted: an electron count below 0 gives the empty
/// configuration and one above `maxelectrons` is clamped to it. The element
/// data is only meaningful for Z in -1..103; Z <= 0 has no covalent radius.
class TEConfig {
 public:
  /// Loads the covalent radius of element `element` and the configuration of
  /// element - q electrons.
  TEConfig(int element, int q);

  /// Electron counts per subshell; index `subshellcount` is not part of it.
  using toccupancy = std::array<int, subshellcount>;

  int Z = 0;
  int charge = 0;
  toccupancy occupancy{};
  /// Å, from the element table; 0 for Z outside 1..103.
  double covalentradius = 0.0;

  /// "1s" ... "7s"; "" for an index outside 0..17.
  static std::string_view subshellname(int subshell);
  /// Electrons the subshell holds when full; 0 outside 0..17.
  static int subshellcapacity(int subshell);
  /// Next and previous subshell in filling order (1s 2s 2p 3s 3p 4s 3d 4p 5s
  /// 4d 5p 6s 4f 5d 6p 7s 5f 6d); `nosubshell` past either end and for an
  /// index outside 0..17.
  static int nextsubshell(int subshell);
  static int previoussubshell(int subshell);

  /// Replaces the occupancy by the ground-state row for that many electrons
  /// (empty below 0, the 108-electron row above 108). Z and charge stay.
  void loadconfiguration(int electrons);

  /// Adds one electron to the subshell; false (and no change) when the index
  /// is outside 0..17 or the subshell is full.
  [[nodiscard]] bool addelectron(int subshell);
  /// Adds one electron to the first subshell of the filling order that is
  /// not full; false when all are full.
  [[nodiscard]] bool addelectron();
  /// Removes one electron from the subshell; false when it has none.
  [[nodiscard]] bool removeelectron(int subshell);
  /// Removes one electron from the last occupied subshell of the filling
  /// order, undoing addelectron(); false when there is no electron.
  [[nodiscard]] bool removeelectron();
  /// Moves one electron from `from` to `to`; false (and no change) when
  /// `from` is empty, `to` is full or either index is outside 0..17.
  [[nodiscard]] bool moveelectron(int from, int to);

  /// Highest subshell index with electrons; `nosubshell` when empty.
  int highestoccupied() const;
  /// Lowest subshell index that is not full; `nosubshell` when all are.
  int firstnotfull() const;
  /// Lowest subshell index without electrons; `nosubshell` when none.
  int firstempty() const;
  int electroncount() const;
  /// Electrons in subshells first..last (inclusive); indices outside 0..17
  /// contribute nothing.
  int occupancysum(int first, int last) const;

  /// Effective nuclear charge felt by an electron of the subshell in the
  /// current occupancy; 0 for an index outside 0..17.
  double zeff(int subshell) const;
  /// Electronic energy of the current occupancy in eV (0 without
  /// electrons). Subshells whose effective charge is not positive add
  /// nothing.
  double totalenergy() const;

  // The energy differences below use the ground-state rows for the charges
  // they compare, not an edited occupancy, and leave the object unchanged.

  /// Energy to remove one electron, eV; never negative.
  double ionisationenergy() const;
  /// Energy released on adding one electron, eV (negative when the anion is
  /// less stable).
  double electronaffinity() const;
  /// Half the difference of ionisation energy and electron affinity, eV.
  double hardness() const;
  /// Energy to raise the charge by k, eV.
  double chargeenergy(int k) const;

  /// Radius in Å of the outermost occupied subshell of this element at
  /// charge q; always finite and positive (see the source for states with
  /// no electron or no positive effective charge).
  double orbitalradius(int q) const;
  /// Allred-Rochow electronegativity at the object's charge; 0 when the
  /// element has no covalent radius (Z outside 1..103). Always finite, but
  /// below 0 for an anion whose next electron the model does not bind.
  double electronegativity() const;
  /// Default van der Waals well depth at the object's Z and charge, cal/mol;
  /// always within 10..1000.
  double welldepthcal() const;

  /// "1s2 2s2 2p2": every subshell from 1s to the highest occupied one,
  /// empty ones included; "" without electrons.
  std::string configtext() const;
};

/// Electronegativity of element Z around integer charge q at partial charge
/// q + delta: a parabola through the values at q - 1, q and q + 1, never
/// below 0.
double electronegativityatpartial(int Z, int q, double delta);

/// Radius of element Z at charge q in Å: the covalent radius, scaled for an
/// ion by the ratio of its orbital radius to the neutral atom's.
double ionradiusof(int Z, int q);

/// Ideal length of a bond between Z1 and Z2 with that many bonding electrons
/// (2 single, 4 double, 6 triple) in the units of `standardlength`, the
/// length a carbon-carbon single bond gets.
double bondlength(int Z1, int Z2, int electrons, double standardlength);

}  // namespace molvane
