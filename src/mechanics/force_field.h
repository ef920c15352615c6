// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"
#include "model/atom_pack.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace molvane {

class tatm;
class tbond;
class tdrawing;

/// Kinds of term, stored in `tcoordinate::kind`.
inline constexpr std::uint8_t nonbondedkind = 0;
inline constexpr std::uint8_t stretchkind = 1;
inline constexpr std::uint8_t bendkind = 2;
inline constexpr std::uint8_t torsionkind = 3;
inline constexpr std::uint8_t planaritykind = 4;
inline constexpr int termkinds = 5;

/// What every energy term has. Atoms are positions in the force field's
/// atom list (-1 for unused slots); energies are cal/mol.
struct tcoordinate {
  std::array<std::int32_t, 4> atoms{-1, -1, -1, -1};
  std::uint8_t kind = 0;
  std::int32_t atomcount = 0;
  /// Force constant of the vibrational analysis.
  double fconst = 0.0;
  double redundancy = 1.0;
  double scale = 1.0;
  /// The energy at the last evaluation.
  double energy = 0.0;
};

/// A term over an internal coordinate, with the coordinate's derivatives by
/// each atom's position (drawing units) as `measure` last found them.
struct tmeasuredcoordinate : tcoordinate {
  std::array<TXYZ, 4> bvectors{};
};

/// Bond stretch: a1 the atom of lower element number.
struct tstretch : tmeasuredcoordinate {
  tbond* bond = nullptr;
  double inverselength = 1.0;  ///< 1 / r0, r0 in drawing units
  double depth = 0.0;          ///< D
  double tenfold = 0.0;        ///< 10 D
  double harmonic = 0.0;       ///< constant of the stretched side, 5 D
};

/// Angle bend at the centre a3 between a1 and a2.
struct tangle : tmeasuredcoordinate {
  double ideal = 0.0;  ///< θ0, radians
  double k = 50000.0;
  double ktheta = 50000.0;  ///< for the vibrational analysis
  double kmorse = 10000.0;
  std::int32_t coordination = 0;
  double angle = 0.0;  ///< radians, at the last evaluation
};

/// Torsion a1-a2-a3-a4 about the bond a2-a3.
struct ttorque : tmeasuredcoordinate {
  double barrier = 0.0;  ///< Vt, cal/mol
  std::int32_t periodicity = 2;
  double phase = 0.0;
  /// cos and sin of periodicity × phase, so the energy needs no angle.
  double cosphase = 1.0;
  double sinphase = 0.0;
};

/// Planarity of the trigonal centre a4 with neighbours a1, a2, a3.
struct tstrain : tmeasuredcoordinate {
  /// The bends a1-c-a2, a1-c-a3, a2-c-a3 in the bend list.
  std::array<std::int32_t, 3> bends{-1, -1, -1};
  double vibrationconstant = 4000.0;
  double kp = 20000.0;
};

/// Types of non-bonded pair.
inline constexpr std::uint8_t vanderwaalspair = 0;
inline constexpr std::uint8_t hydrogenbondpair = 1;
inline constexpr std::uint8_t chargedpair = 2;

/// A non-bonded pair. For a hydrogen bond a1 is the hydrogen, a2 the
/// acceptor and a3 the hydrogen's neighbour.
struct tnbpair : tcoordinate {
  std::uint8_t type = vanderwaalspair;
  double epsilon = 0.0;  ///< cal/mol
  double radius = 0.0;   ///< distance of the minimum, Å
  double coulomb = 0.0;  ///< 332063.7 q1 q2, cal·Å/mol
};

/// The terms one atom (or one structure) takes part in, as positions in the
/// force field's five lists.
struct ttermlists {
  std::array<std::vector<std::int32_t>, termkinds> terms;
};

/// The force-field data an atom carries during a run.
class tforcefieldpack final : public tAtmPack {
 public:
  tatm* atom = nullptr;
  tdrawing* drawing = nullptr;
  std::int32_t index = -1;  ///< position in the force field's atom list
  ttermlists lists;
};

/// The same for a whole structure, for rigid moves.
struct tgroupPack {
  tdrawing* drawing = nullptr;
  std::vector<std::int32_t> atoms;
  ttermlists lists;
};

/// How setup reports: a status line for each step (empty at the end) and a
/// hook called after each created term so windows stay responsive.
struct tsetupreport {
  std::function<void(const std::string&)> status;
  std::function<void()> processmessages;
};

/// The energy terms of one drawing. It works on the drawing it is given
/// (atoms and bonds as they stand), which must outlive it. Setup puts a
/// pack into every chemical atom; `freeterms` and the destructor take them
/// out again.
class tforcefield {
 public:
  explicit tforcefield(tdrawing& drawing);
  ~tforcefield();
  tforcefield(const tforcefield&) = delete;
  tforcefield& operator=(const tforcefield&) = delete;

  /// Builds every term. Returns "" on success, otherwise a sentence for
  /// the user (no chemical atoms, coordinates that are not numbers); then
  /// there are no terms.
  [[nodiscard]] std::string setupforcefield(const tsetupreport& report = {});
  /// Sets up when there are no terms yet, then measures every bonded term
  /// (last to first) and re-evaluates every energy.
  void refreshterms();
  /// Frees the terms, the exclusions and the atoms' packs.
  void freeterms();

  /// Recomputes a term's derivative vectors from the current geometry.
  void measure(tstretch& term) const;
  void measure(tangle& term) const;
  void measure(ttorque& term) const;
  void measure(tstrain& term) const;

  /// Recomputes, stores and returns a term's energy (cal/mol). A planarity
  /// term reads the angles its bends found at their last evaluation.
  double termenergy(tnbpair& term) const;
  double termenergy(tstretch& term) const;
  double termenergy(tangle& term) const;
  double termenergy(ttorque& term) const;
  /// The torsion's dihedral angle φ in radians, from the current positions.
  double dihedralangle(const ttorque& term) const;
  double termenergy(tstrain& term) const;

  /// total += new energy - previous energy of the term.
  template <typename tterm>
  void updateenergy(tterm& term, double& total) const {
    const double previous = term.energy;
    total += termenergy(term) - previous;
  }

  /// Re-evaluates the terms of an atom's (or structure's) pack and keeps
  /// the running total; returns it.
  double packenergy(const tforcefieldpack& pack);
  double packenergy(const tgroupPack& pack);
  double packenergy(std::int32_t atomindex);
  /// Remembers the cached energies (and bend angles) of the atom's terms and
  /// the running total, so that a rejected trial move can put them back
  /// without evaluating the terms again.
  void savepack(std::int32_t atomindex);
  /// Puts back what `savepack` remembered of the same atom's terms.
  void restorepack(std::int32_t atomindex);

  /// Re-evaluates every term and returns the sum (0 for fewer than two
  /// atoms); the running total becomes that sum.
  double totalenergy();
  /// The running total kept by `packenergy`.
  double runningenergy() const { return running_; }

  /// 1-2, 1-3 and 1-4 pairs of the atom list.
  bool isexcluded(std::int32_t a, std::int32_t b) const;

  const std::vector<tatm*>& atoms() const { return atoms_; }
  std::vector<tnbpair>& nonbonded() { return nonbonded_; }
  std::vector<tstretch>& stretches() { return stretches_; }
  std::vector<tangle>& bends() { return bends_; }
  std::vector<ttorque>& torsions() { return torsions_; }
  std::vector<tstrain>& planarities() { return planarities_; }
  std::vector<tgroupPack>& groups() { return groups_; }
  /// The pack of the atom at that position.
  const tforcefieldpack& pack(std::int32_t atomindex) const {
    return *packs_[static_cast<std::size_t>(atomindex)];
  }

  /// The hybridisation code the terms of the atom at that position were
  /// made with (a conjugated nitrogen counts as trigonal here only).
  int hybridization(std::int32_t atomindex) const {
    return hybrids_[static_cast<std::size_t>(atomindex)];
  }

  /// Ångström per drawing unit.
  double angstromperunit() const { return angstromperunit_; }

 private:
  TXYZ position(std::int32_t atom) const;
  void addexclusion(std::int32_t a, std::int32_t b);
  void registerterm(const tcoordinate& term, std::int32_t index);
  bool isbonded(std::int32_t a, std::int32_t b) const;
  /// A double bond joins a and b (rings of alternating bonds excluded).
  bool isdoublebond(std::int32_t a, std::int32_t b) const;
  /// The hybridisation a's end of its bond to other has for its length.
  int lengthhybrid(std::int32_t a, std::int32_t other) const;
  /// Carbon atoms bonded to a, other than b.
  int carbonneighbours(std::int32_t a, std::int32_t b) const;
  double packenergy(const ttermlists& lists);
  void createstretches(const tsetupreport& report);
  void createbends(const tsetupreport& report);
  void createtorsions(const tsetupreport& report);
  void createplanarities(const tsetupreport& report);
  void createnonbonded(const tsetupreport& report);
  void creategroups();

  tdrawing& drawing_;
  double angstromperunit_ = 0.0;
  double running_ = 0.0;
  std::vector<tatm*> atoms_;
  std::vector<tforcefieldpack*> packs_;
  /// Neighbour positions of each atom, in its bond order.
  std::vector<std::vector<std::int32_t>> neighbours_;
  std::vector<std::pair<tbond*, std::array<std::int32_t, 2>>> bonds_;
  /// Positions in bonds_ of each atom's bonds.
  std::vector<std::vector<std::int32_t>> atombonds_;
  /// Hybridisation codes of the atoms as the terms see them.
  std::vector<int> hybrids_;
  /// Bonds of rings drawn with alternating single and double bonds.
  std::vector<bool> alternating_;
  /// Single bonds of six-rings made aromatic by lone pairs.
  std::vector<bool> donorring_;
  /// Position in bends_ of the first bend at each centre, or -1.
  std::vector<std::int32_t> firstbend_;
  std::unordered_set<std::uint64_t> exclusions_;
  std::vector<tnbpair> nonbonded_;
  std::vector<tstretch> stretches_;
  std::vector<tangle> bends_;
  std::vector<ttorque> torsions_;
  std::vector<tstrain> planarities_;
  std::vector<tgroupPack> groups_;
  /// What `savepack` remembered; kept between calls so trial moves
  /// allocate nothing.
  std::vector<double> savedenergies_;
  std::vector<double> savedangles_;
  double savedrunning_ = 0.0;
};

}  // namespace molvane
