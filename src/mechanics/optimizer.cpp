// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/optimizer.h"

#include "chemistry/stereo_lift.h"
#include "document/drawing.h"
#include "mechanics/bonded_stiffness.h"
#include "mechanics/collective_descent.h"
#include "mechanics/force_field_parameters.h"
#include "mechanics/rigid_motion.h"
#include "model/vector3.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace molvane {

namespace {

using detail::minus;
using detail::norm;
using detail::plus;
using detail::times;

/// The longest step of an atom in one iteration of the collective descent,
/// Å.
constexpr double polishstep = 0.3;
/// Iterations of the polish between fresh estimates of the stiffness:
/// from 10 to 100 all end within 1.6 times the fewest iterations, while
/// the start's stiffness alone takes 2-3 times as many.
constexpr long restiffen = 25;
/// The probe of the sweep threshold, as a share of the minimum jump.
constexpr double thresholdprobe = 0.01;
/// A pass over every atom asks for messages after this many of them, a few
/// milliseconds.
constexpr std::size_t pumpatoms = 256;
/// A flat drawing gets at least this much (in bonds) out of its plane, or
/// rings would stay flat at temperature 0.
constexpr double flatkick = 0.1;

using rigid::positionof;
using rigid::put;

}  // namespace

toptimizer::toptimizer(tdrawing& drawing)
    : drawing_(drawing), field_(drawing) {}

double toptimizer::converged(std::array<double, 3>& history, double energy) {
  history[0] = history[1];
  history[1] = history[2];
  history[2] = energy;
  return std::abs(history[2] - (history[0] + history[1] + history[2]) / 3.0);
}

double toptimizer::uniform() {
  // 53 random bits give the same doubles on every platform.
  return static_cast<double>(random_() >> 11) * 0x1.0p-53;
}

void toptimizer::pumpevery(std::size_t k) {
  if (k % pumpatoms == pumpatoms - 1) {
    pump();
  }
}

void toptimizer::pump() {
  if (hooks.processmessages) {
    hooks.processmessages();
  }
  if (hasdeadline_ && std::chrono::steady_clock::now() >= deadline_) {
    stop_ = true;
  }
}

void toptimizer::show() {
  state_.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_)
          .count();
  if (hooks.show) {
    hooks.show(state_);
  }
}

TXYZ toptimizer::centre() const {
  TXYZ sum{};
  for (std::int32_t a : movable_) {
    sum = plus(sum, positionof(*field_.atoms()[static_cast<std::size_t>(a)]));
  }
  return movable_.empty()
             ? sum
             : times(sum, 1.0 / static_cast<double>(movable_.size()));
}

void toptimizer::movecentreto(const TXYZ& target) {
  const TXYZ shift = minus(target, centre());
  for (std::int32_t a : movable_) {
    tatm& atom = *field_.atoms()[static_cast<std::size_t>(a)];
    put(atom, plus(positionof(atom), shift));
  }
}

void toptimizer::refresh() { state_.energy = field_.totalenergy(); }

void toptimizer::settle(double known) {
  // Shifting every atom together changes no energy; shifting only some
  // does.
  if (stop_ && movable_.size() == field_.atoms().size()) {
    state_.energy = known;
  } else {
    refresh();
  }
}

void toptimizer::randomize(double amplitude) {
  if (stop_) {
    return;  // a stopped run makes no more moves
  }
  const TXYZ middle = centre();
  for (auto a = movable_.rbegin(); a != movable_.rend(); ++a) {
    tatm& atom = *field_.atoms()[static_cast<std::size_t>(*a)];
    if (atom.fixed != 0 || norm(minus(positionof(atom), middle)) <= 1.0) {
      continue;
    }
    const double dx = amplitude - 2.0 * amplitude * uniform();
    const double dy = amplitude - 2.0 * amplitude * uniform();
    const double dz = amplitude - 2.0 * amplitude * uniform();
    put(atom, plus(positionof(atom), {dx, dy, dz}));
  }
  movecentreto(middle);
  refresh();
}

double toptimizer::atomgradient(std::int32_t atom, double probe,
                                TXYZ& gradient) {
  if (probe == 0.0) {
    probe = thresholdprobe * minjump_;
  }
  // The pack's energy difference across the probe, E(p + h) - E(p - h) on
  // each axis, taken from the analytic gradient: 2 h g to within h², for a
  // seventh of the evaluations.
  gradient = times(field_.packgradient(atom), 2.0 * probe);
  // The cached energies of the atom's terms are those of the geometry as it
  // stands (each move re-evaluates its pack, and a rejected one is put
  // back), so the pack's energy is the running total without evaluating
  // them again.
  lastpackenergy_ = field_.runningenergy();
  return norm(gradient);
}

bool toptimizer::moveatom(std::int32_t atom, double threshold) {
  tatm& moved = *field_.atoms()[static_cast<std::size_t>(atom)];
  if (moved.fixed != 0) {
    return false;
  }
  const TXYZ p = positionof(moved);
  TXYZ g{};
  const double length = atomgradient(atom, minjump_, g);
  const double before = lastpackenergy_;
  movemean_.add(length);
  // A gradient that is not a number (atoms on top of each other) leaves
  // the atom where it is, as a vanishing one does.
  if (!std::isfinite(length) || !(length > threshold) || length == 0.0) {
    return false;
  }
  TXYZ d = times(g, -0.5 * bond_ / length);
  double s = 0.5 * bond_;
  field_.savepack(atom);
  for (;;) {
    put(moved, plus(p, d));
    const double after = field_.packenergy(atom);
    if (after < before) {
      state_.energy = after;
      pump();
      return true;
    }
    d = times(d, 0.5);
    s *= 0.5;
    put(moved, p);
    field_.restorepack(atom);
    pump();
    if (minjump_ > s || stop_) {
      return false;
    }
  }
}

void toptimizer::sweep() {
  // The threshold is the mean gradient with a probe a hundredth of the one
  // the moves use, so only atoms that barely feel a pull wait for a later
  // sweep (skipping every atom below the full mean converges more slowly).
  // Gradients are differences over the probe, so that mean is a hundredth of
  // the mean the moves of the previous sweep found: only the first sweep of
  // a run pays for a pass of its own.
  double threshold = 0.0;
  if (movemean_.count > 0) {
    threshold = thresholdprobe * movemean_.value;
  } else {
    trunningmean first;
    TXYZ g{};
    for (std::size_t k = 0; k < movable_.size() && !stop_; ++k) {
      first.add(atomgradient(movable_[k], 0.0, g));
      pumpevery(k);
    }
    threshold = first.value;
  }
  movemean_ = {};
  // No atom moves further than half a bond in one sweep, so a pair list
  // good for that much more movement serves the whole sweep.
  if (field_.listspairs() &&
      field_.updatepairs(field_.coordinates(), 0.5 * bond_)) {
    refresh();
  }
  const TXYZ middle = centre();
  for (auto a = movable_.rbegin(); a != movable_.rend() && !stop_; ++a) {
    moveatom(*a, threshold);
  }
  movecentreto(middle);
  settle(field_.runningenergy());
  ++state_.sweeps;
}

void toptimizer::findfree() {
  free_.clear();
  for (std::int32_t a : movable_) {
    if (field_.atoms()[static_cast<std::size_t>(a)]->fixed == 0) {
      free_.push_back(static_cast<std::size_t>(a) * 3);
    }
  }
  xyz_ = field_.coordinates();
  grad_.assign(xyz_.size(), 0.0);
}

double toptimizer::rmsgradient() {
  findfree();
  field_.gradient(xyz_, grad_);
  double sum = 0.0;
  for (std::size_t at : free_) {
    sum += grad_[at] * grad_[at] + grad_[at + 1] * grad_[at + 1] +
           grad_[at + 2] * grad_[at + 2];
  }
  // cal/(mol per drawing unit) to kcal/(mol·Å).
  const double perangstrom = kcalpercal / field_.angstromperunit();
  state_.rmsgradient =
      free_.empty() ? 0.0
                    : std::sqrt(sum / static_cast<double>(3 * free_.size())) *
                          perangstrom;
  return state_.rmsgradient;
}

void toptimizer::polish(double rmsgradientkcal) {
  findfree();
  std::vector<double> x(3 * free_.size());
  for (std::size_t k = 0; k < free_.size(); ++k) {
    std::copy_n(xyz_.begin() + static_cast<std::ptrdiff_t>(free_[k]), 3,
                x.begin() + static_cast<std::ptrdiff_t>(3 * k));
  }
  const double perangstrom = kcalpercal / field_.angstromperunit();
  tdescentproblem problem;
  problem.evaluate = [this](std::span<const double> at, std::span<double> g) {
    for (std::size_t k = 0; k < free_.size(); ++k) {
      std::copy_n(at.begin() + static_cast<std::ptrdiff_t>(3 * k), 3,
                  xyz_.begin() + static_cast<std::ptrdiff_t>(free_[k]));
    }
    if (g.empty()) {
      return field_.energy(xyz_);
    }
    const double energy = field_.gradient(xyz_, grad_);
    for (std::size_t k = 0; k < free_.size(); ++k) {
      std::copy_n(grad_.begin() + static_cast<std::ptrdiff_t>(free_[k]), 3,
                  g.begin() + static_cast<std::ptrdiff_t>(3 * k));
    }
    return energy;
  };
  // Steps follow the stiffness of the bonds and angles around each atom: a
  // hydrogen moves further for the same pull than a ring carbon held by
  // three, and across its bond further than along it. Where groups turn,
  // the bonds' directions change, so the stiffness is made anew now and
  // then; one that cannot be factored leaves the steps unshaped.
  tbondedstiffness stiffness(field_, free_);
  stiffness.update(xyz_);
  problem.precondition = [&stiffness](std::span<double> v) {
    stiffness.solve(v);
  };
  long iteration = 0;
  problem.stop = [&](double energy, double rms) {
    state_.energy = energy;
    state_.rmsgradient = rms * perangstrom;
    if (++iteration % 10 == 0) {
      show();
    }
    if (iteration % restiffen == 0) {
      // At the last position evaluated: the step just taken, or a trial
      // next to it when none was found.
      stiffness.update(xyz_);
    }
    pump();
    return stop_;
  };
  tdescentlimits limits;
  limits.largeststep = polishstep / field_.angstromperunit();
  limits.gradient = rmsgradientkcal / perangstrom;
  const tdescentresult result = descend(problem, x, limits);
  for (std::size_t k = 0; k < free_.size(); ++k) {
    put(*field_.atoms()[free_[k] / 3], {x[3 * k], x[3 * k + 1], x[3 * k + 2]});
  }
  state_.iterations += result.iterations;
  state_.energyevaluations += result.energies;
  state_.gradientevaluations += result.gradients;
  state_.rmsgradient = result.rmsgradient * perangstrom;
  // The pairs may have been listed again on the way: every cached energy
  // is made anew, unless the run was stopped.
  if (stop_) {
    state_.energy = result.energy;
  } else {
    refresh();
  }
}

void toptimizer::prepare() {
  movemean_ = {};
  double amplitude = settings.temperature * bond_;
  bool flat = true;
  for (std::int32_t a : movable_) {
    flat = flat && field_.atoms()[static_cast<std::size_t>(a)]->z ==
                       field_.atoms()[static_cast<std::size_t>(movable_[0])]->z;
  }
  if (flat && movable_.size() > 2) {
    amplitude = std::max(amplitude, flatkick * bond_);
  }
  randomize(amplitude);
}

void toptimizer::snapshot(std::vector<TXYZ>& into) const {
  into.resize(field_.atoms().size());
  for (std::size_t i = 0; i < into.size(); ++i) {
    into[i] = positionof(*field_.atoms()[i]);
  }
}

void toptimizer::restore(const std::vector<TXYZ>& from) {
  for (std::size_t i = 0; i < from.size(); ++i) {
    put(*field_.atoms()[i], from[i]);
  }
  refresh();
}

void toptimizer::restore(const std::vector<TXYZ>& from, double energy) {
  if (!stop_) {
    restore(from);
    return;
  }
  for (std::size_t i = 0; i < from.size(); ++i) {
    put(*field_.atoms()[i], from[i]);
  }
  state_.energy = energy;
}

void toptimizer::keepbest() {
  if (state_.bestenergy < state_.energy) {
    restore(best_, state_.bestenergy);
  } else {
    state_.bestenergy = state_.energy;
    snapshot(best_);
  }
}

void toptimizer::restorebestiflower() {
  if (state_.bestenergy < state_.energy) {
    restore(best_, state_.bestenergy);
  }
  state_.bestenergy = state_.energy;
}

void toptimizer::runnormal(bool polishing) {
  refresh();
  state_.bestenergy = state_.energy;
  show();
  prepare();
  std::array<double, 3> history{3.0 * state_.energy, 2.0 * state_.energy,
                                state_.energy};
  for (long i = 0; !stop_; ++i) {
    sweep();
    if (i % 3 == 0) {
      if (hooks.show && !stop_) {
        rmsgradient();
      }
      show();
    }
    const double delta = converged(history, state_.energy);
    if (stop_ || polishing) {
      // With a polish to follow, one sweep is enough: it takes the kick of
      // prepare out atom by atom, and the descent, moving every atom at
      // once, goes down much faster from there than more sweeps would.
      break;
    }
    if (settings.tolerance > delta) {
      state_.converged = true;
      break;
    }
  }
  if (polishing && !stop_) {
    polish(settings.rmsgradientkcal);
    state_.converged = !stop_;
  }
}

std::string toptimizer::runoptimizer(toptimizermethod code,
                                     tStructure* structure) {
  static constexpr std::array codes{
      toptimizermethod::normal,         toptimizermethod::anneal,
      toptimizermethod::global,         toptimizermethod::random,
      toptimizermethod::refine,         toptimizermethod::moleculesnormal,
      toptimizermethod::moleculesanneal};
  if (std::find(codes.begin(), codes.end(), code) == codes.end()) {
    return "Unknown optimizer method " +
           std::to_string(static_cast<int>(code)) + ".";
  }
  start_ = std::chrono::steady_clock::now();
  hasdeadline_ = settings.maxseconds > 0.0;
  deadline_ =
      start_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                   std::chrono::duration<double>(settings.maxseconds));
  stop_ = false;
  stoprequested_ = false;
  state_ = {};
  random_.seed(settings.seed);
  bond_ = drawing_.geometry().bondlength;
  minjump_ = bond_ * settings.minjump / standardbondangstrom;
  if (!(minjump_ > 0.0) || !std::isfinite(minjump_)) {
    return "The minimum jump must be a positive length.";
  }

  // Stated stereo gets its depth before anything moves; the restraints of
  // the setup then hold it through the run.
  const tstereopreparation stereo = preparestereo(drawing_);
  state_.warning = stereo.warning;
  // The window stays responsive while a large drawing is set up; a stop
  // asked for meanwhile ends the run at its first move.
  field_.setlistinghook([this] { pump(); }, [this] { return stop_; });
  if (std::string problem = field_.setupforcefield(
          {hooks.status, [this] { pump(); }, [this] { return stop_; }});
      !problem.empty()) {
    // Stopped while setting up: nothing has moved.
    state_.stopped = problem == setupstoppedtext;
    return state_.stopped ? "" : problem;
  }
  const auto& atoms = field_.atoms();
  std::vector<std::pair<std::int32_t, std::int32_t>> bonds;
  bonds.reserve(field_.stretches().size());
  for (const tstretch& stretch : field_.stretches()) {
    bonds.emplace_back(stretch.atoms[0], stretch.atoms[1]);
  }
  graph_.build(atoms.size(), bonds);
  const bool whole = structure == nullptr ||
                     drawing_.structurenumber(structure) == 0 ||
                     structure == &drawing_;
  const bool molecules = code == toptimizermethod::moleculesnormal ||
                         code == toptimizermethod::moleculesanneal;

  std::vector<std::uint8_t> marks;
  marks.reserve(static_cast<std::size_t>(drawing_.atoms.count()));
  for (tatm* atom : drawing_.atoms) {
    marks.push_back(atom->fixed);
    atom->fixed = 1;
  }
  movable_.clear();
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    if (whole || molecules || structure->hasatom(atoms[i])) {
      atoms[i]->fixed = 0;
      movable_.push_back(static_cast<std::int32_t>(i));
    }
  }
  std::vector<TXYZ> startgeometry;
  snapshot(startgeometry);
  const std::vector<unsigned char> heldatstart = stereoholdings(stereo.stated);
  // Setup has just evaluated every term at this geometry.
  state_.energy = field_.runningenergy();
  state_.startenergy = state_.energy;
  pump();
  state_.bestenergy = state_.energy;

  if (molecules) {
    findmolecules(whole ? nullptr : structure);
    runmolecules(code == toptimizermethod::moleculesanneal);
  } else if (movable_.size() == 2 && field_.stretches().size() == 1 &&
             atoms[static_cast<std::size_t>(field_.stretches()[0].atoms[0])]
                     ->fixed == 0 &&
             atoms[static_cast<std::size_t>(field_.stretches()[0].atoms[1])]
                     ->fixed == 0) {
    // Two bonded atoms need no search: the bond takes its own length.
    const tstretch& stretch = field_.stretches()[0];
    tatm& a = *atoms[static_cast<std::size_t>(stretch.atoms[0])];
    tatm& b = *atoms[static_cast<std::size_t>(stretch.atoms[1])];
    const TXYZ middle = times(plus(positionof(a), positionof(b)), 0.5);
    TXYZ along = minus(positionof(b), positionof(a));
    const double length = norm(along);
    along = length > 0.0 ? times(along, 1.0 / length) : TXYZ{1.0, 0.0, 0.0};
    const double half = 0.5 / stretch.inverselength;
    put(a, minus(middle, times(along, half)));
    put(b, plus(middle, times(along, half)));
    refresh();
    state_.converged = true;
  } else if (movable_.size() >= 2 && !stop_) {
    findrotors();
    switch (code) {
      case toptimizermethod::anneal:
        runanneal(false);
        break;
      case toptimizermethod::global:
        runanneal(true);
        break;
      case toptimizermethod::random:
        runrandom();
        break;
      case toptimizermethod::refine:
        // Every atom moving at once, straight down to the nearest minimum.
        state_.bestenergy = state_.energy;
        show();
        prepare();
        if (!stop_) {
          polish(settings.rmsgradientkcal);
        }
        state_.converged = !stop_;
        break;
      default:
        runnormal(settings.polish);
    }
  }
  state_.stopped = stop_;
  // A stopped run ends at once: the energy of where it ends is known by
  // now, from the running total of the terms or from a geometry kept with
  // its energy, so none of the passes over every term below are made
  // again; the terms' cached energies may then be those of a trial
  // geometry.
  if (!(state_.energy <= state_.startenergy)) {
    // Stopped between a kick and its relaxation, or a search that never
    // got back down: the start was better, and its stated centres are
    // sound. Every method returns the best geometry it saw.
    restore(startgeometry, state_.startenergy);
  }
  if (!molecules && lostsince(stereo.stated, heldatstart) > 0) {
    // A kick turned a centre over that the restraints could not bring
    // back. The start holds it: a run that was stopped ends there; one that
    // was not relaxes again from it, without the kick.
    restore(startgeometry, state_.startenergy);
    if (!state_.stopped) {
      polish(settings.rmsgradientkcal);
      if (lostsince(stereo.stated, heldatstart) > 0) {
        restore(startgeometry);
      }
    }
  }

  std::size_t mark = 0;
  for (tatm* atom : drawing_.atoms) {
    atom->fixed = mark < marks.size() ? marks[mark] : 0;
    ++mark;
  }
  bool finite = true;
  for (const tatm* atom : atoms) {
    finite = finite && std::isfinite(atom->x) && std::isfinite(atom->y) &&
             std::isfinite(atom->z);
  }
  if (!finite) {
    restore(startgeometry);
    show();
    return "The optimizer lost the geometry; the drawing was left as it was.";
  }
  if (!state_.stopped) {
    refresh();
  }
  // Every method ends on the lowest geometry it kept.
  state_.bestenergy = state_.energy;
  // A window that asked to stop has shown the gradient of the last report
  // already; a run that ran out of its time reports it anew.
  if (!molecules && (!state_.stopped || !stoprequested_)) {
    rmsgradient();
  }
  show();
  return "";
}

}  // namespace molvane
