// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/atom_graph.h"
#include "mechanics/force_field.h"
#include "model/atom_list.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace molvane {

class tStructure;
class tdrawing;

/// Method codes of `runoptimizer`, the command codes the window hands out:
/// atoms of one structure, and whole molecules moved rigidly against each
/// other.
enum class toptimizermethod {
  normal = 760,
  anneal = 788,
  global = 795,
  random = 787,
  refine = 782,
  moleculesnormal = 756,
  moleculesanneal = 757
};

/// The tuning values of a run.
struct toptimizersettings {
  /// Energy change (cal/mol) below which a minimum is reached.
  double tolerance = 30.0;
  /// Shortest trial step, Å.
  double minjump = 0.01;
  /// Size of the random kicks, 0 ... 1 (a fraction of a bond length).
  double temperature = 0.273;
  /// Seeds the run's one random generator: the same seed and input give the
  /// same coordinates.
  std::uint64_t seed = 1;
  /// Wall-clock limit in seconds (0: none). Methods that run until stopped
  /// need it, or a stop request, to end.
  double maxseconds = 0.0;
  /// Normal makes one sweep of per-atom moves and then goes on with every
  /// atom moving at once, down to the minimum; off, it sweeps until the
  /// energy tolerance is met and stops there.
  bool polish = true;
  /// Root-mean-square gradient, kcal/(mol·Å), at which the descent of
  /// Refine and of Normal's polish has reached the minimum.
  double rmsgradientkcal = 1e-4;
};

/// What a run shows while it goes and leaves behind. Energies in cal/mol.
struct toptimizerstate {
  double startenergy = 0.0;
  double energy = 0.0;
  double bestenergy = 0.0;
  long sweeps = 0;
  /// Root-mean-square gradient of the moving atoms, kcal/(mol·Å), where
  /// it was last worked out (every show, and at the end of a run).
  double rmsgradient = 0.0;
  /// Iterations of the collective descent, and its evaluations of the
  /// energy alone and of energy with gradient.
  long iterations = 0;
  long energyevaluations = 0;
  long gradientevaluations = 0;
  double seconds = 0.0;
  bool converged = false;
  bool stopped = false;
  /// What the run could not follow of the stereo the drawing states, or "".
  std::string warning;
};

/// Hooks of a run. `show` receives the state every few iterations;
/// `processmessages` is called after every trial move so that a window can
/// stay responsive (and call `requeststop`).
struct toptimizerhooks {
  std::function<void(const toptimizerstate&)> show;
  std::function<void()> processmessages;
  /// The status lines of the force-field setup (empty at the end).
  std::function<void(const std::string&)> status;
};

/// Moves atoms (or molecules) of a drawing downhill in the force-field
/// energy. Works on the drawing it is given, which must outlive it; the
/// terms stay in place after a run until `forcefield().freeterms()`.
class toptimizer {
 public:
  explicit toptimizer(tdrawing& drawing);

  toptimizersettings settings;
  toptimizerhooks hooks;

  /// Runs a method on the atoms of structure (the whole drawing when it is
  /// null or not one of the drawing's structures); in molecule mode that
  /// structure stays still while the others move. Returns "" or a sentence
  /// for the user (unknown method, nothing to model, coordinates that are
  /// not numbers); a run never leaves coordinates that are not numbers.
  [[nodiscard]] std::string runoptimizer(toptimizermethod code,
                                         tStructure* structure = nullptr);
  /// Ends the run within one trial move, keeping the best geometry. The
  /// energy reported is that of the geometry left; the root-mean-square
  /// gradient is that of the last report (a run that reaches its time limit
  /// works it out anew), and the terms' cached energies may be those of a
  /// trial geometry.
  void requeststop() {
    stop_ = true;
    stoprequested_ = true;
  }
  const toptimizerstate& state() const { return state_; }
  tforcefield& forcefield() { return field_; }

  /// Shifts energy into the history of the last three energies and
  /// returns its distance from their mean.
  static double converged(std::array<double, 3>& history, double energy);

  /// Turns the two sides of rotatable bond number bond (below
  /// `rotatablecount`) against each other, each by half, so that the
  /// torsion across it grows by degrees.
  void rotatebond(std::int32_t bond, double degrees);
  /// How many open-chain single bonds between two centres with further
  /// neighbours the last run found; searches turn only these.
  std::size_t rotatablecount() const { return rotors_.size(); }

 private:
  struct trotor {
    std::int32_t a = 0, b = 0;
  };

  double uniform();
  void pump();
  /// Pumps once every so many atoms of a pass over them, k counting them.
  void pumpevery(std::size_t k);
  void show();
  TXYZ centre() const;
  void movecentreto(const TXYZ& target);
  void randomize(double amplitude);
  double atomgradient(std::int32_t atom, double probe, TXYZ& gradient);
  bool moveatom(std::int32_t atom, double threshold);
  void sweep();
  /// Moves every free atom together down to the nearest minimum, until
  /// the root-mean-square gradient is at most rmsgradientkcal.
  void polish(double rmsgradientkcal);
  /// The root-mean-square gradient of the free atoms, kcal/(mol·Å).
  double rmsgradient();
  /// The free atoms' coordinates in the field's coordinate array.
  void findfree();
  void prepare();
  void refresh();
  /// Takes the energy of the geometry as it stands after the moved atoms
  /// were shifted back to their centre: known, the energy before the shift,
  /// when the run was stopped and every atom moves; a new pass over every
  /// term otherwise.
  void settle(double known);
  void snapshot(std::vector<TXYZ>& into) const;
  void restore(const std::vector<TXYZ>& from);
  /// The same for a geometry whose energy is known: a stopped run takes it
  /// without a new pass.
  void restore(const std::vector<TXYZ>& from, double energy);
  void keepbest();
  void restorebestiflower();
  void findrotors();

  void runnormal(bool polishing);
  void runanneal(bool global);
  void runrandom();
  void runmolecules(bool anneal);
  void findmolecules(const tStructure* still);
  /// Puts every pair between two molecules into both molecules' lists.
  void listmoleculepairs();
  double moleculeenergy(std::size_t molecule);
  void placemolecule(std::size_t molecule, const std::array<double, 9>& turn,
                     const TXYZ& shift);
  void rotatemolecule(std::size_t molecule);
  double translationgradient(std::size_t molecule, TXYZ& gradient);
  void translatemolecule(std::size_t molecule, double meangradient);

  tdrawing& drawing_;
  tforcefield field_;
  std::mt19937_64 random_;
  toptimizerstate state_;
  bool stop_ = false;
  /// The stop came from requeststop, not from the time limit.
  bool stoprequested_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point deadline_;
  bool hasdeadline_ = false;
  /// L, the standard bond in drawing units.
  double bond_ = 30.0;
  double minjump_ = 0.01;
  double lastpackenergy_ = 0.0;
  /// Running mean of finite values.
  struct trunningmean {
    double value = 0.0;
    long count = 0;
    void add(double x) {
      if (std::isfinite(x)) {
        ++count;
        value += (x - value) / static_cast<double>(count);
      }
    }
  };
  /// Mean gradient of the moves of the sweep in progress.
  trunningmean movemean_;
  /// Force-field positions of the atoms being moved.
  std::vector<std::int32_t> movable_;
  /// Positions in the field's coordinate array of the movable atoms that
  /// are not fixed, and that array and its gradient for the descent.
  std::vector<std::size_t> free_;
  std::vector<double> xyz_;
  std::vector<double> grad_;
  tatomgraph graph_;
  std::vector<trotor> rotors_;
  /// One side of the bond being turned.
  std::vector<std::int32_t> side_;
  std::vector<TXYZ> best_;
  std::vector<TXYZ> saved_;
  std::vector<tgroupPack> molecules_;
  std::vector<bool> stillmolecule_;
  /// The molecule of each atom, by its position in the field's atom list.
  std::vector<std::int32_t> owner_;
};

}  // namespace molvane
