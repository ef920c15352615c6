// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The searches that leave the nearest minimum: Anneal and Global kick the
// atoms and turn the rotatable bonds, Random turns one bond at a time.
#include "document/drawing.h"
#include "mechanics/optimizer.h"
#include "mechanics/rigid_motion.h"
#include "model/vector3.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace molvane {

namespace {

using detail::minus;
using detail::norm;
using detail::plus;
using detail::times;

constexpr double degree = std::numbers::pi / 180.0;
/// The trial structures of Anneal and Global are relaxed down to this
/// root-mean-square gradient, kcal/(mol·Å): close enough to compare their
/// minima, and much quicker than the full descent.
constexpr double trialgradient = 0.01;
/// The largest torsion kick, degrees at temperature 1.
constexpr double torsionkick = 120.0;

using rigid::positionof;
using rigid::put;
using rigid::turnabout;

}  // namespace

void toptimizer::findrotors() {
  rotors_.clear();
  const auto& atoms = field_.atoms();
  for (const tstretch& stretch : field_.stretches()) {
    const tbond& bond = *stretch.bond;
    const std::int32_t a = stretch.atoms[0];
    const std::int32_t b = stretch.atoms[1];
    const tatm& first = *atoms[static_cast<std::size_t>(a)];
    const tatm& second = *atoms[static_cast<std::size_t>(b)];
    // Turning a ring bond moves both sides, which share the ring, by equal
    // and opposite angles: nothing at all. Only open-chain single bonds are
    // turned, which also keeps double bonds from flipping E and Z.
    if (bond.kind() != 2 || bond.isdelocalised() || first.hybridization < 2 ||
        second.hybridization < 2 || first.fixed != 0 || second.fixed != 0 ||
        graph_.neighbours(a).size() < 2 || graph_.neighbours(b).size() < 2 ||
        graph_.isringbond(a, b)) {
      continue;
    }
    rotors_.push_back({a, b});
  }
}

void toptimizer::rotatebond(std::int32_t bond, double degrees) {
  const trotor& rotor = rotors_[static_cast<std::size_t>(bond)];
  const auto& atoms = field_.atoms();
  const TXYZ pa = positionof(*atoms[static_cast<std::size_t>(rotor.a)]);
  const TXYZ axis =
      minus(positionof(*atoms[static_cast<std::size_t>(rotor.b)]), pa);
  const double length = norm(axis);
  if (!(length > 0.0)) {
    return;
  }
  const TXYZ u = times(axis, 1.0 / length);
  auto turn = [&](const std::vector<std::int32_t>& side, double angle) {
    for (std::int32_t i : side) {
      tatm& atom = *atoms[static_cast<std::size_t>(i)];
      if (atom.fixed == 0) {
        put(atom, plus(pa, turnabout(minus(positionof(atom), pa), u, angle)));
      }
    }
  };
  // The sides are found when needed: kept for every bond of a long chain
  // they would take memory in the square of its length.
  graph_.reachable(rotor.a, rotor.b, side_);
  turn(side_, -0.5 * degrees * degree);
  graph_.reachable(rotor.b, rotor.a, side_);
  turn(side_, 0.5 * degrees * degree);
}

void toptimizer::runanneal(bool global) {
  state_.bestenergy = state_.energy;
  snapshot(best_);
  show();
  prepare();
  const TXYZ home = centre();
  std::size_t next = 0;
  // Each trial structure is relaxed to its local minimum by the collective
  // descent, kept when it is the best so far, and kicked for the next.
  while (!stop_) {
    polish(trialgradient);
    movecentreto(home);
    settle(state_.energy);
    ++state_.sweeps;
    show();
    pump();
    if (stop_) {
      break;
    }
    keepbest();
    const double kick = torsionkick * settings.temperature;
    if (global) {
      if (!rotors_.empty()) {
        rotatebond(static_cast<std::int32_t>(next % rotors_.size()),
                   uniform() < 0.5 ? kick : -kick);
        ++next;
      }
    } else {
      randomize(settings.temperature * bond_);
      if (!rotors_.empty()) {
        const auto pick =
            std::min(rotors_.size() - 1,
                     static_cast<std::size_t>(
                         uniform() * static_cast<double>(rotors_.size())));
        rotatebond(static_cast<std::int32_t>(pick),
                   (1.0 - 2.0 * uniform()) * kick);
      }
    }
    refresh();
    pump();
  }
  restorebestiflower();
}

void toptimizer::runrandom() {
  const TXYZ home = centre();
  randomize(0.5 * bond_);
  runnormal(false);
  state_.converged = false;
  state_.bestenergy = state_.energy;
  while (!stop_) {
    // Even with nothing to turn the loop asks for messages, or a window
    // could never stop it.
    pump();
    if (stop_ || rotors_.empty()) {
      continue;
    }
    const double angle = uniform() * torsionkick;
    const auto pick = static_cast<std::int32_t>(std::min(
        rotors_.size() - 1,
        static_cast<std::size_t>(uniform() *
                                 static_cast<double>(rotors_.size()))));
    const double before = state_.energy;
    rotatebond(pick, angle);
    double after = field_.totalenergy();
    // A pass over every term takes a while on a large drawing: a stop asked
    // for meanwhile turns the bond back at once.
    pump();
    if (!(after < before) && !stop_) {
      rotatebond(pick, -2.0 * angle);
      after = field_.totalenergy();
      if (!(after < before)) {
        rotatebond(pick, angle);
      }
    } else if (!(after < before)) {
      rotatebond(pick, -angle);
    }
    if (after < before) {
      movecentreto(home);
      settle(after);
      show();
    } else {
      // Turned back: the geometry, and so the energy, of before.
      state_.energy = before;
    }
    state_.bestenergy = std::min(state_.bestenergy, state_.energy);
  }
}

}  // namespace molvane
