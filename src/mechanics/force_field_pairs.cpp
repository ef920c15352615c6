// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The non-bonded pairs: every pair of a small drawing, or the pairs near
// each other in a large one, listed again as atoms move.
#include "document/drawing.h"
#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

bool ishalogenornitrogenoroxygen(int element) {
  return element == 7 || element == 8 || element == 9;
}

/// Listing stops, with a message, beyond this many pairs per atom: ordinary
/// matter has about 600 atoms within the reach of the list.
constexpr std::size_t pairsperatom = 1000;

}  // namespace

void tforcefield::describepairatoms() {
  const std::size_t n = atoms_.size();
  pairatoms_.assign(n, {});
  for (std::size_t i = 0; i < n; ++i) {
    const tatm* atom = atoms_[i];
    tpairatom& about = pairatoms_[i];
    about.donor =
        atom->element == 1 && neighbours_[i].size() == 1 &&
        ishalogenornitrogenoroxygen(
            atoms_[static_cast<std::size_t>(neighbours_[i][0])]->element);
    about.acceptor =
        ishalogenornitrogenoroxygen(atom->element) && atom->fcharge == 0;
    about.well = vdwparameters(atom->element, hybrids_[i],
                               atom->implicithydrogens(), atom->fcharge);
    const double charge = atom->getcharge();
    about.charge = std::isfinite(charge) ? charge : 0.0;
  }
}

bool tforcefield::makepair(std::size_t i, std::size_t j, tnbpair& term) const {
  const auto ai = static_cast<std::int32_t>(i);
  const auto aj = static_cast<std::int32_t>(j);
  if (isexcluded(ai, aj)) {
    return false;
  }
  const tpairatom& first = pairatoms_[i];
  const tpairatom& second = pairatoms_[j];
  term = {};
  term.kind = ttermkind::nonbonded;
  term.atomcount = 2;
  term.atoms = {ai, aj, -1, -1};
  const bool hydrogenbond =
      (first.donor && second.acceptor) || (second.donor && first.acceptor);
  if (hydrogenbond) {
    const std::size_t h = first.donor && second.acceptor ? i : j;
    const std::size_t a = h == i ? j : i;
    const std::int32_t x = neighbours_[h][0];
    const twell well = hydrogenbondwell(
        atoms_[a]->element, atoms_[static_cast<std::size_t>(x)]->element);
    term.type = tpairtype::hydrogenbond;
    term.atoms = {static_cast<std::int32_t>(h), static_cast<std::int32_t>(a), x,
                  -1};
    term.atomcount = 3;
    term.epsilon = well.epsilon;
    term.radius = well.radius;
  } else if (first.donor && second.donor) {
    term.epsilon = 0.5 * (first.well.epsilon + second.well.epsilon);
    term.radius = 0.5 * (first.well.radius + second.well.radius);
  } else {
    const double ei = first.donor ? 1.0 : first.well.epsilon;
    const double ej = second.donor ? 1.0 : second.well.epsilon;
    term.epsilon = 0.5 * (ei + ej);
    term.radius = 0.5 * (first.well.radius + second.well.radius);
    if (first.charge * second.charge != 0.0) {
      term.type = tpairtype::charged;
      term.coulomb = coulombconstant * first.charge * second.charge;
    }
  }
  return true;
}

std::string tforcefield::createnonbonded(const tsetupreport& report) {
  describepairatoms();
  const std::size_t n = atoms_.size();
  if (n > pairlimit_) {
    fade_ = {fadestart, fadeend};
    const std::vector<double> xyz = coordinates();
    if (!listpairs(xyz)) {
      return "The atoms are packed too closely to model.";
    }
    if (report.processmessages) {
      report.processmessages();
    }
    return "";
  }
  tnbpair term;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (!makepair(i, j, term)) {
        continue;
      }
      registerterm(term, static_cast<std::int32_t>(nonbonded_.size()));
      nonbonded_.push_back(term);
      if (report.processmessages) {
        report.processmessages();
      }
    }
  }
  return "";
}

bool tforcefield::listpairs(std::span<const double> xyz) {
  const double reach = (fadeend + skin) / angstromperunit_;
  cells_.build(xyz, reach);
  const std::size_t most = pairsperatom * atoms_.size();
  // Counted first, so a crowd of atoms is refused before anything grows.
  std::size_t count = 0;
  const bool fits = cells_.forpairs(
      xyz,
      [&count, most](std::int32_t, std::int32_t) { return ++count <= most; });
  if (!fits) {
    return false;
  }
  nonbonded_.clear();
  nonbonded_.reserve(count);
  for (tforcefieldpack* pack : packs_) {
    pack->lists.terms[termslot(ttermkind::nonbonded)].clear();
  }
  tnbpair term;
  cells_.forpairs(xyz, [&](std::int32_t a, std::int32_t b) {
    if (makepair(static_cast<std::size_t>(std::min(a, b)),
                 static_cast<std::size_t>(std::max(a, b)), term)) {
      registerterm(term, static_cast<std::int32_t>(nonbonded_.size()));
      nonbonded_.push_back(term);
    }
    return true;
  });
  listedat_.assign(xyz.begin(), xyz.end());
  ++listings_;
  if (!groups_.empty()) {
    creategroups();
  }
  return true;
}

bool tforcefield::updatepairs(std::span<const double> xyz, double margin) {
  if (!fade_.active() || xyz.size() != listedat_.size()) {
    return false;
  }
  const double allowed = 0.5 * skin / angstromperunit_ - margin;
  const double allowed2 = allowed > 0.0 ? allowed * allowed : 0.0;
  bool moved = false;
  for (std::size_t i = 0; i + 2 < xyz.size() && !moved; i += 3) {
    const double dx = xyz[i] - listedat_[i];
    const double dy = xyz[i + 1] - listedat_[i + 1];
    const double dz = xyz[i + 2] - listedat_[i + 2];
    moved = dx * dx + dy * dy + dz * dz >= allowed2;
  }
  // Atoms do not crowd together while a run goes: should they, the old
  // list stays.
  return moved && listpairs(xyz);
}

}  // namespace molvane
