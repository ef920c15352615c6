// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Molecules method: each molecule is turned and shifted as a rigid
// body, so only the pairs between molecules change.
#include "document/drawing.h"
#include "mechanics/optimizer.h"
#include "mechanics/rigid_motion.h"
#include "model/vector3.h"

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

using detail::minus;
using detail::norm;
using detail::plus;
using detail::times;
using rigid::apply;
using rigid::positionof;
using rigid::put;
using rigid::turnmatrix;

/// Probing turn and shift of the rigid moves (degrees, drawing units).
constexpr double probeturn = 3.0;
constexpr double probeshift = 0.1;
/// First rigid turn, and the smallest worth trying, in degrees.
constexpr double firstturn = 30.0;
constexpr double smallestturn = 1.0;

}  // namespace

void toptimizer::findmolecules(const tStructure* still) {
  molecules_.clear();
  stillmolecule_.clear();
  const auto& atoms = field_.atoms();
  std::vector<std::int32_t> owner(atoms.size(), -1);
  std::vector<std::int32_t> members;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    if (owner[i] >= 0) {
      continue;
    }
    graph_.reachable(static_cast<std::int32_t>(i), -1, members);
    tgroupPack group;
    group.drawing = &drawing_;
    bool held = false;
    for (std::int32_t m : members) {
      owner[static_cast<std::size_t>(m)] =
          static_cast<std::int32_t>(molecules_.size());
      group.atoms.push_back(m);
      held = held || (still != nullptr &&
                      still->hasatom(atoms[static_cast<std::size_t>(m)]));
    }
    molecules_.push_back(std::move(group));
    stillmolecule_.push_back(held);
  }
  // The molecule that stays still is also left out when the others are
  // moved back to their common centre.
  movable_.clear();
  for (std::size_t m = 0; m < molecules_.size(); ++m) {
    if (!stillmolecule_[m]) {
      movable_.insert(movable_.end(), molecules_[m].atoms.begin(),
                      molecules_[m].atoms.end());
    }
  }
  owner_ = std::move(owner);
  listmoleculepairs();
  snapshot(saved_);
}

void toptimizer::listmoleculepairs() {
  // A molecule's energy changes only through its pairs with the others.
  for (tgroupPack& molecule : molecules_) {
    molecule.lists.terms[termslot(ttermkind::nonbonded)].clear();
  }
  for (std::size_t p = 0; p < field_.nonbonded().size(); ++p) {
    const tnbpair& pair = field_.nonbonded()[p];
    const std::int32_t m1 = owner_[static_cast<std::size_t>(pair.atoms[0])];
    const std::int32_t m2 = owner_[static_cast<std::size_t>(pair.atoms[1])];
    if (m1 != m2) {
      for (std::int32_t m : {m1, m2}) {
        molecules_[static_cast<std::size_t>(m)]
            .lists.terms[termslot(ttermkind::nonbonded)]
            .push_back(static_cast<std::int32_t>(p));
      }
    }
  }
}

double toptimizer::moleculeenergy(std::size_t molecule) {
  // Only this molecule has moved since the last evaluation; once it has
  // gone too far for the cut-off list, the pairs are listed again, and with
  // them every molecule's pairs and the running total.
  if (field_.outgrown(molecules_[molecule].atoms) &&
      field_.updatepairs(field_.coordinates())) {
    listmoleculepairs();
    return field_.totalenergy();
  }
  return field_.packenergy(molecules_[molecule]);
}

void toptimizer::placemolecule(std::size_t molecule,
                               const std::array<double, 9>& turn,
                               const TXYZ& shift) {
  const auto& members = molecules_[molecule].atoms;
  TXYZ middle{};
  for (std::int32_t m : members) {
    middle = plus(middle, saved_[static_cast<std::size_t>(m)]);
  }
  middle = times(middle, 1.0 / static_cast<double>(members.size()));
  for (std::int32_t m : members) {
    const TXYZ relative = minus(saved_[static_cast<std::size_t>(m)], middle);
    put(*field_.atoms()[static_cast<std::size_t>(m)],
        plus(plus(middle, apply(turn, relative)), shift));
  }
}

void toptimizer::rotatemolecule(std::size_t molecule) {
  if (stillmolecule_[molecule]) {
    return;
  }
  for (std::int32_t m : molecules_[molecule].atoms) {
    saved_[static_cast<std::size_t>(m)] =
        positionof(*field_.atoms()[static_cast<std::size_t>(m)]);
  }
  auto energyat = [&](const TXYZ& angles) {
    placemolecule(molecule, turnmatrix(angles), {});
    return moleculeenergy(molecule);
  };
  const TXYZ g{energyat({-probeturn, 0, 0}) - energyat({probeturn, 0, 0}),
               energyat({0, -probeturn, 0}) - energyat({0, probeturn, 0}),
               energyat({0, 0, -probeturn}) - energyat({0, 0, probeturn})};
  double best = energyat({});
  const double length = norm(g);
  // A single atom (an ion) has no gradient of turning at all.
  if (!(length > 0.0) || !std::isfinite(length)) {
    state_.energy = best;
    return;
  }
  TXYZ step = times(g, firstturn / length);
  TXYZ current{};
  for (int tries = 0; norm(step) >= smallestturn && !stop_ && tries < 1000;
       ++tries) {
    const TXYZ trial = plus(current, step);
    const double energy = energyat(trial);
    if (energy < best) {
      current = trial;
      best = energy;
    } else {
      step = times(step, 0.5);
    }
    pump();
  }
  state_.energy = energyat(current);
}

double toptimizer::translationgradient(std::size_t molecule, TXYZ& gradient) {
  for (std::int32_t m : molecules_[molecule].atoms) {
    saved_[static_cast<std::size_t>(m)] =
        positionof(*field_.atoms()[static_cast<std::size_t>(m)]);
  }
  const auto still = turnmatrix({});
  auto energyat = [&](const TXYZ& shift) {
    placemolecule(molecule, still, shift);
    return moleculeenergy(molecule);
  };
  gradient = {energyat({-probeshift, 0, 0}) - energyat({probeshift, 0, 0}),
              energyat({0, -probeshift, 0}) - energyat({0, probeshift, 0}),
              energyat({0, 0, -probeshift}) - energyat({0, 0, probeshift})};
  state_.energy = energyat({});
  return norm(gradient);
}

void toptimizer::translatemolecule(std::size_t molecule, double meangradient) {
  if (stillmolecule_[molecule]) {
    return;
  }
  TXYZ g{};
  const double length = translationgradient(molecule, g);
  if (!std::isfinite(length) || !(length > meangradient) ||
      !(length * 0.5 * bond_ > settings.tolerance)) {
    return;
  }
  const auto still = turnmatrix({});
  const double before = state_.energy;
  TXYZ step = times(g, 0.5 * bond_ / length);
  while (norm(step) >= minjump_ && !stop_) {
    placemolecule(molecule, still, step);
    const double energy = moleculeenergy(molecule);
    pump();
    if (energy < before) {
      state_.energy = energy;
      return;
    }
    step = times(step, 0.5);
  }
  placemolecule(molecule, still, {});
  state_.energy = moleculeenergy(molecule);
}

void toptimizer::runmolecules(bool anneal) {
  state_.bestenergy = state_.energy;
  snapshot(best_);
  show();
  const TXYZ home = centre();
  for (std::size_t m = 0; m < molecules_.size() && !stop_; ++m) {
    rotatemolecule(m);
  }
  settle(field_.runningenergy());
  std::array<double, 3> history{3.0 * state_.energy, 2.0 * state_.energy,
                                state_.energy};
  TXYZ g{};
  while (!stop_) {
    const double delta = converged(history, state_.energy);
    double mean = 0.0;
    long counted = 0;
    for (std::size_t m = 0; m < molecules_.size() && !stop_; ++m) {
      if (!stillmolecule_[m]) {
        ++counted;
        mean +=
            (translationgradient(m, g) - mean) / static_cast<double>(counted);
        pump();
      }
    }
    for (std::size_t m = 0; m < molecules_.size() && !stop_; ++m) {
      translatemolecule(m, mean);
    }
    movecentreto(home);
    settle(field_.runningenergy());
    ++state_.sweeps;
    show();
    pump();
    if (settings.tolerance > delta) {
      if (!anneal) {
        state_.converged = true;
        break;
      }
      if (state_.energy < state_.bestenergy) {
        state_.bestenergy = state_.energy;
        snapshot(best_);
      }
      const auto pick = static_cast<std::size_t>(
          uniform() * static_cast<double>(molecules_.size()));
      const std::size_t chosen = std::min(pick, molecules_.size() - 1);
      if (!stillmolecule_[chosen]) {
        for (std::int32_t m : molecules_[chosen].atoms) {
          saved_[static_cast<std::size_t>(m)] =
              positionof(*field_.atoms()[static_cast<std::size_t>(m)]);
        }
        const double a = bond_;
        placemolecule(chosen,
                      turnmatrix({180.0 * (1.0 - 2.0 * uniform()),
                                  180.0 * (1.0 - 2.0 * uniform()),
                                  180.0 * (1.0 - 2.0 * uniform())}),
                      {a * (1.0 - 2.0 * uniform()), a * (1.0 - 2.0 * uniform()),
                       a * (1.0 - 2.0 * uniform())});
      }
      refresh();
    }
  }
  // A run that ends by itself gives every molecule a last turn; one that
  // was stopped, or ran out of time, ends at once, as a large drawing takes
  // seconds over those turns.
  for (std::size_t m = 0; m < molecules_.size() && !stop_; ++m) {
    rotatemolecule(m);
  }
  settle(field_.runningenergy());
  restorebestiflower();
}

}  // namespace molvane
