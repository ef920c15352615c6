// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/bend_term.h"
#include "mechanics/chirality_term.h"
#include "mechanics/force_field_parameters.h"
#include "mechanics/force_field_term.h"
#include "mechanics/nonbonded_term.h"
#include "mechanics/planarity_term.h"
#include "mechanics/stretch_term.h"
#include "mechanics/torsion_term.h"
#include "model/atom_list.h"
#include "model/atom_pack.h"
#include "support/cell_list.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace molvane {

class tatm;
class tbond;
class tdrawing;

/// The terms one atom (or one structure) takes part in, as positions in the
/// force field's lists, one for each kind of term.
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
  /// Asked after each step and every few milliseconds while pairs are
  /// listed; once it answers true, setup ends with no terms and returns
  /// `setupstoppedtext`.
  std::function<bool()> stopped;
};

/// What setup returns when its report asked it to stop.
inline constexpr const char* setupstoppedtext = "The setup was stopped.";

/// Up to this many atoms every pair of atoms counts in full; a larger
/// drawing takes its pairs from a list of those near each other, with a
/// smooth cut-off.
inline constexpr std::size_t allpairslimit = 500;

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
  /// the user (no chemical atoms, coordinates that are not numbers, atoms
  /// packed too closely to list their pairs); then there are no terms.
  [[nodiscard]] std::string setupforcefield(const tsetupreport& report = {});
  /// Sets up when there are no terms yet, then measures every bonded term
  /// (last to first) and re-evaluates every energy.
  void refreshterms();
  /// Frees the terms, the exclusions and the atoms' packs.
  void freeterms();
  /// Drawings with more chemical atoms than this get the cut-off pair list
  /// at the next setup (allpairslimit unless changed).
  void setallpairslimit(std::size_t atoms) { pairlimit_ = atoms; }
  /// Called every few milliseconds while the pairs are listed again during
  /// a run (setup uses the hook of its report), so a window stays
  /// responsive. Once stopped answers true, a listing in progress is given
  /// up and the pairs listed before stay.
  void setlistinghook(std::function<void()> hook,
                      std::function<bool()> stopped = {}) {
    poll_ = std::move(hook);
    runstopping_ = std::move(stopped);
  }

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
  double termenergy(tchirality& term) const;

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
  /// The gradient (cal/mol per drawing unit) of the energy by the position
  /// of the atom at that position, from its pack's terms as they stand; the
  /// cached energies are left alone.
  TXYZ packgradient(std::int32_t atomindex) const;
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

  /// The positions of the atoms (x, y, z of each in the order of `atoms`,
  /// drawing units), as `energy` and `gradient` take them.
  std::vector<double> coordinates() const;
  /// The total energy (cal/mol) with the atoms at xyz, the same sum as
  /// `totalenergy` there; the atoms and the terms' cached energies are left
  /// alone. With the cut-off pair list, pairs are listed again first when
  /// atoms have moved too far for the list.
  double energy(std::span<const double> xyz);
  /// The same energy; grad (as long as xyz) receives its gradient, cal/mol
  /// per drawing unit.
  double gradient(std::span<const double> xyz, std::span<double> grad);
  /// Lists the pairs again from xyz when the cut-off list is in use and some
  /// atom has moved further than allowed since the last listing, less
  /// margin (drawing units) for moves still to come; returns whether it
  /// did. The running total must then be refreshed (`totalenergy`).
  bool updatepairs(std::span<const double> xyz, double margin = 0.0);
  /// Whether pairs come from the cut-off list.
  bool listspairs() const { return fade_.active(); }
  /// The distance (Å) at which listed pairs have faded out, and the extra
  /// reach of the list that lets atoms move before it is made again.
  static constexpr double fadestart = 10.0;
  static constexpr double fadeend = 12.0;
  static constexpr double skin = 2.0;
  /// The fade of drawings that are not dense, such as open chains, where
  /// it lists few enough pairs.
  static constexpr double longfadestart = 28.0;
  static constexpr double longfadeend = 30.0;
  /// The fade in use (inactive when every pair counts).
  const tpairswitch& pairfade() const { return fade_; }
  /// Whether one of these atoms (positions in the atom list) stands further
  /// from where the cut-off list was made than it allows.
  bool outgrown(std::span<const std::int32_t> atoms) const;
  /// How many times the pairs were listed since setup.
  long pairlistings() const { return listings_; }

  /// 1-2, 1-3 and 1-4 pairs of the atom list.
  bool isexcluded(std::int32_t a, std::int32_t b) const;

  const std::vector<tatm*>& atoms() const { return atoms_; }
  std::vector<tnbpair>& nonbonded() { return nonbonded_; }
  std::vector<tstretch>& stretches() { return stretches_; }
  std::vector<tangle>& bends() { return bends_; }
  std::vector<ttorque>& torsions() { return torsions_; }
  std::vector<tstrain>& planarities() { return planarities_; }
  /// The restraints that hold stated stereo centres and double bonds;
  /// empty unless an atom or a double bond is marked stated.
  std::vector<tchirality>& chiralities() { return chiralities_; }
  /// The term lists of each structure, made when first asked for after
  /// setup or a new pair listing (the runs themselves never read them).
  std::vector<tgroupPack>& groups() {
    if (groupsstale_) {
      creategroups();
    }
    return groups_;
  }
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
  /// What a pair needs to know of each of its atoms.
  struct tpairatom {
    twell well;
    double charge = 0.0;
    bool donor = false;
    bool acceptor = false;
  };

  TXYZ position(std::int32_t atom) const;
  tpairplaces placesof(const tnbpair& term) const;
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
  void createchiralities();
  /// Returns "" or why the pairs could not be listed.
  std::string createnonbonded(const tsetupreport& report);
  void describepairatoms();
  /// The pair of atoms i < j, unless it is excluded.
  bool makepair(std::size_t i, std::size_t j, tnbpair& term) const;
  /// Lists the pairs near each other at xyz; false when there are too many.
  bool listpairs(std::span<const double> xyz);
  /// Whether the pairs within the reach of the fade in use number at most
  /// peratom per atom.
  bool fitsinlist(std::span<const double> xyz, std::size_t peratom);
  /// Asks for messages through the setup's hook, during long listings.
  void poll();
  void creategroups();
  /// Makes the compact copy of the pairs that the whole-field sums read.
  void compactpairs();

  tdrawing& drawing_;
  double angstromperunit_ = 0.0;
  double running_ = 0.0;
  std::size_t pairlimit_ = allpairslimit;
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
  std::vector<tpairatom> pairatoms_;
  std::vector<tnbpair> nonbonded_;
  /// The pairs that are not hydrogen bonds, compact, and the positions in
  /// nonbonded_ of those that are.
  std::vector<tcompactpair> compact_;
  std::vector<std::int32_t> hydrogenbonds_;
  std::vector<tstretch> stretches_;
  std::vector<tangle> bends_;
  std::vector<ttorque> torsions_;
  std::vector<tstrain> planarities_;
  std::vector<tchirality> chiralities_;
  std::vector<tgroupPack> groups_;
  bool groupsstale_ = false;
  /// The cut-off list: how pairs fade (inactive for all pairs), where the
  /// atoms were when it was made, and the grid that made it.
  tpairswitch fade_;
  std::vector<double> listedat_;
  tcelllist cells_;
  std::function<void()> poll_;
  /// The setup's stop question while it lists, the run's, and whether the
  /// one in use said yes.
  std::function<bool()> stopping_;
  std::function<bool()> runstopping_;
  bool cancelled_ = false;
  long listings_ = 0;
  /// Angles of the bends at the last `energy` or `gradient`, for the
  /// planarity terms; kept so evaluations allocate nothing.
  std::vector<double> angles_;
  /// What `savepack` remembered; kept between calls so trial moves
  /// allocate nothing.
  std::vector<double> savedenergies_;
  std::vector<double> savedangles_;
  double savedrunning_ = 0.0;
};

}  // namespace molvane
