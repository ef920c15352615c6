// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/embedding.h"

#include "chemistry/hybridization.h"
#include "chemistry/hydrogens.h"
#include "chemistry/stereo_lift.h"
#include "document/drawing.h"
#include "mechanics/distance_geometry.h"
#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"
#include "mechanics/optimizer.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "model/vector3.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <unordered_set>
#include <vector>

namespace molvane {

namespace {

using detail::minus;
using detail::norm;
using detail::pointof;

/// Atoms closer than this (in bond lengths) count as on top of each other.
constexpr double samespot = 1e-3;
/// How far such an atom is moved off its twin, in bond lengths.
constexpr double nudge = 0.3;
/// Seeds of the starts of one run lie this far apart, so that runs with
/// neighbouring seeds build different starts.
constexpr std::uint64_t startseedstride = 1000003;
/// Conformers this close in energy (cal/mol) have relaxed to one minimum.
constexpr double sameenergy = 100.0;
/// Root-mean-square gradient, kcal/(mol·Å), to which each conformer is
/// relaxed before the lowest is chosen: close enough to its minimum to
/// rank the conformers.
constexpr double screengradient = 0.6;
/// Root-mean-square gradient at which a conformer counts as relaxed,
/// kcal/(mol·Å): far below what moves a bond length by 0.001 Å.
constexpr double relaxedgradient = 0.05;

std::vector<tatm*> chemicalatoms(const tdrawing& drawing) {
  std::vector<tatm*> atoms;
  for (tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      atoms.push_back(atom);
    }
  }
  return atoms;
}

/// Moves apart atoms that lie on top of each other; returns how many moved.
int separate(tdrawing& drawing, std::mt19937_64& random) {
  const std::vector<tatm*> atoms = chemicalatoms(drawing);
  const double length = drawing.geometry().bondlength;
  std::uniform_real_distribution<double> turn(0.0, 2.0 * std::numbers::pi);
  int moved = 0;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (norm(minus(pointof(*atoms[i]), pointof(*atoms[j]))) <
          samespot * length) {
        const double angle = turn(random);
        atoms[i]->x += nudge * length * std::cos(angle);
        atoms[i]->y += nudge * length * std::sin(angle);
        ++moved;
        break;
      }
    }
  }
  return moved;
}

struct tplaces {
  std::vector<tatm*> atoms;
  std::vector<TXYZ> at;
  void take(const std::vector<tatm*>& from) {
    atoms = from;
    at.clear();
    for (const tatm* atom : atoms) {
      at.push_back(pointof(*atom));
    }
  }
  void put() const {
    for (std::size_t i = 0; i < atoms.size(); ++i) {
      atoms[i]->x = at[i].x;
      atoms[i]->y = at[i].y;
      atoms[i]->z = at[i].z;
    }
  }
  TXYZ centre() const {
    TXYZ sum{};
    for (const TXYZ& p : at) {
      sum = {sum.x + p.x, sum.y + p.y, sum.z + p.z};
    }
    const double n = at.empty() ? 1.0 : static_cast<double>(at.size());
    return {sum.x / n, sum.y / n, sum.z / n};
  }
};

/// Puts the hydrogen that adding hydrogens gave a centre into the slot its
/// implicit hydrogen held. Every restraint then names the hydrogen: with
/// only the other three held, a start may put it beside them, and the
/// relaxation turns the centre over to bring it back.
void nameaddedhydrogens(const tdrawing& drawing, tstatedstereo& stereo) {
  for (tstatedcentre& centre : stereo.centres) {
    auto open =
        std::find(centre.neighbours.begin(), centre.neighbours.end(), nullptr);
    if (open == centre.neighbours.end()) {
      continue;
    }
    tatm* added = nullptr;
    int unlisted = 0;
    for (const tbond* bond : drawing.bondsof(centre.centre)) {
      tatm* other = bond->other(centre.centre);
      if (bond->chemical != 0 && other->ischemical() &&
          std::find(centre.neighbours.begin(), centre.neighbours.end(),
                    other) == centre.neighbours.end()) {
        ++unlisted;
        added = other->element == 1 ? other : nullptr;
      }
    }
    if (unlisted == 1 && added != nullptr) {
      *open = added;
    }
  }
}

std::string joined(const std::string& a, const std::string& b) {
  return a.empty() ? b : b.empty() ? a : a + " " + b;
}

}  // namespace

int countclashes(const tdrawing& drawing) {
  const std::vector<tatm*> atoms = chemicalatoms(drawing);
  std::unordered_set<std::uint64_t> bonded;
  auto key = [](const tatm* a, const tatm* b) {
    const auto x = reinterpret_cast<std::uintptr_t>(a);
    const auto y = reinterpret_cast<std::uintptr_t>(b);
    return static_cast<std::uint64_t>(x < y ? x * 1000003u + y
                                            : y * 1000003u + x);
  };
  for (const tbond* bond : drawing.bonds) {
    if (bond->chemical != 0) {
      bonded.insert(key(bond->atom1, bond->atom2));
    }
  }
  const double length = drawing.geometry().bondlength;
  const double perangstrom = length / standardbondangstrom;
  int count = 0;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const double limit =
          0.8 * perangstrom *
          (radiusof(atoms[i]->element) + radiusof(atoms[j]->element));
      if (norm(minus(pointof(*atoms[i]), pointof(*atoms[j]))) < limit &&
          !bonded.contains(key(atoms[i], atoms[j]))) {
        ++count;
      }
    }
  }
  return count;
}

tembedresult embedmolecule(tdrawing& drawing, const tembedsettings& settings) {
  tembedresult result;
  std::vector<tatm*> atoms = chemicalatoms(drawing);
  if (atoms.empty()) {
    result.error = "The drawing has no chemical atoms.";
    return result;
  }
  tplaces drawn;
  drawn.take(atoms);
  // Where the structures were drawn, so the model stays in place.
  const TXYZ home = drawn.centre();
  std::mt19937_64 random(settings.seed);
  if (separate(drawing, random) > 0) {
    result.warning = "Atoms on top of each other were moved apart.";
  }
  tstereopreparation stereo = preparestereo(drawing);
  result.warning = joined(result.warning, stereo.warning);
  assignhybridization(drawing);
  result.hydrogens = addhydrogens3d(drawing);
  // Adding hydrogens reads the stereo again from the lifted model, where a
  // lift may have twisted a double bond; what the drawing stated holds.
  markstereo(drawing, stereo.stated);
  nameaddedhydrogens(drawing, stereo.stated);
  assignhybridization(drawing);
  atoms = chemicalatoms(drawing);
  const int conformers = std::max(1, settings.conformers);
  tplaces lifted;
  lifted.take(atoms);
  // Every conformer starts from its own build from the connectivity. The
  // builds share one field, set up while the lifted coordinates still give
  // the restraints their sense, and are made only for the conformers tried.
  tforcefield field(drawing);
  tsetupreport report;
  report.processmessages = settings.processmessages;
  const bool buildable = field.setupforcefield(report).empty();
  const std::vector<tatm*> order =
      buildable ? field.atoms() : std::vector<tatm*>{};
  tplaces best;
  double bestenergy = std::numeric_limits<double>::infinity();
  int bestunheld = std::numeric_limits<int>::max();
  std::string problem;
  auto relax = [&](std::uint64_t seed, double gradient) {
    toptimizer optimizer(drawing);
    optimizer.settings.seed = seed;
    optimizer.settings.rmsgradientkcal = gradient;
    // Each start is built apart already; a kick would only undo its care.
    optimizer.settings.temperature = 0.0;
    optimizer.hooks.processmessages = settings.processmessages;
    problem = optimizer.runoptimizer(toptimizermethod::refine);
    return optimizer.state().energy;
  };
  for (int k = 0; k < conformers; ++k) {
    lifted.put();
    if (buildable) {
      const tgeometrystart start = buildgeometrystart(
          field, stereo.stated,
          settings.seed * startseedstride + static_cast<std::uint64_t>(k));
      for (std::size_t i = 0; i < order.size() && !start.xyz.empty(); ++i) {
        order[i]->x = start.xyz[3 * i];
        order[i]->y = start.xyz[3 * i + 1];
        order[i]->z = start.xyz[3 * i + 2];
      }
    }
    result.startclashes = std::max(result.startclashes, countclashes(drawing));
    const double energy =
        relax(settings.seed + static_cast<std::uint64_t>(k), screengradient);
    bool agreed = false;
    if (problem.empty()) {
      const int unheld = unheldstereo(stereo.stated);
      agreed = unheld == 0 && unheld == bestunheld &&
               std::abs(energy - bestenergy) < sameenergy;
      if (unheld < bestunheld ||
          (unheld == bestunheld && energy < bestenergy)) {
        bestunheld = unheld;
        bestenergy = energy;
        best.take(atoms);
      }
    }
    if (settings.progress) {
      settings.progress(agreed ? conformers : k + 1, conformers);
    }
    if (agreed || !buildable) {
      // Two starts relaxed to the same minimum: more would find it again.
      break;
    }
  }
  if (!best.atoms.empty()) {
    // Only the kept conformer is relaxed all the way down.
    best.put();
    const double energy = relax(settings.seed, relaxedgradient);
    if (problem.empty() && unheldstereo(stereo.stated) <= bestunheld) {
      bestenergy = energy;
      bestunheld = unheldstereo(stereo.stated);
      best.take(atoms);
    }
  }
  if (best.atoms.empty()) {
    drawn.put();
    result.error = problem;
    return result;
  }
  best.put();
  // Back to where the structures were drawn, the model's middle on the page.
  const TXYZ middle = best.centre();
  for (tatm* atom : atoms) {
    atom->x += home.x - middle.x;
    atom->y += home.y - middle.y;
    atom->z -= middle.z;
    atom->commit();
  }
  result.energykcal = bestenergy * kcalpercal;
  result.unheld = bestunheld;
  if (bestunheld > 0) {
    result.warning = joined(
        result.warning,
        "The model does not hold every stereo centre the drawing states.");
  }
  return result;
}

}  // namespace molvane
