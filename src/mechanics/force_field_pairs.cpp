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
/// The long fade is taken when it lists no more pairs per atom than this.
constexpr std::size_t longpairsperatom = 150;
/// Listing asks for messages after this many pairs (a few milliseconds).
constexpr std::size_t pollpairs = 16384;

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
  // Setup asks for messages through its own hook while it lists.
  struct tsetuphook {
    tforcefield& field;
    std::function<void()> kept;
    ~tsetuphook() {
      field.poll_ = std::move(kept);
      field.stopping_ = nullptr;
    }
  } setuphook{*this, poll_};
  if (report.processmessages) {
    poll_ = report.processmessages;
  }
  stopping_ = report.stopped;
  cancelled_ = false;
  if (n > pairlimit_) {
    const std::vector<double> xyz = coordinates();
    fade_ = {fadestart, fadeend};
    if (!fitsinlist(xyz, pairsperatom)) {
      return cancelled_ ? setupstoppedtext
                        : "The atoms are packed too closely to model.";
    }
    // Dispersion along an open chain or a sheet reaches far beyond the
    // short fade (a 2 000-atom alkane loses 3 % of its pair energy there),
    // while in dense matter the short fade already lists hundreds of pairs
    // per atom: the longer fade is taken where it costs no more than that.
    fade_ = {longfadestart, longfadeend};
    if (!fitsinlist(xyz, longpairsperatom)) {
      fade_ = {fadestart, fadeend};
    }
    if (!listpairs(xyz) && cancelled_) {
      return setupstoppedtext;
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
  compactpairs();
  return "";
}

void tforcefield::poll() {
  if (poll_) {
    poll_();
  }
  const auto& stopped = stopping_ ? stopping_ : runstopping_;
  if (stopped && stopped()) {
    cancelled_ = true;
  }
}

void tforcefield::compactpairs() {
  compact_.clear();
  hydrogenbonds_.clear();
  for (std::size_t p = 0; p < nonbonded_.size(); ++p) {
    const tnbpair& term = nonbonded_[p];
    if (term.type == tpairtype::hydrogenbond) {
      hydrogenbonds_.push_back(static_cast<std::int32_t>(p));
    } else {
      compact_.push_back(
          {term.atoms[0], term.atoms[1], term.epsilon, term.radius,
           term.type == tpairtype::charged ? term.coulomb : 0.0});
    }
  }
}

bool tforcefield::fitsinlist(std::span<const double> xyz, std::size_t peratom) {
  cells_.build(xyz, (fade_.off + skin) / angstromperunit_);
  const std::size_t most = peratom * atoms_.size();
  std::size_t count = 0;
  return cells_.forpairs(xyz, [this, &count, most](std::int32_t, std::int32_t) {
    if (++count % pollpairs == 0) {
      poll();
    }
    return count <= most && !cancelled_;
  });
}

bool tforcefield::listpairs(std::span<const double> xyz) {
  cells_.build(xyz, (fade_.off + skin) / angstromperunit_);
  const std::size_t most = pairsperatom * atoms_.size();
  // Counted first, so a crowd of atoms is refused before anything grows.
  // A listing given up on the way leaves the pairs it found before.
  cancelled_ = false;
  std::size_t count = 0;
  const bool fits = cells_.forpairs(xyz, [&](std::int32_t, std::int32_t) {
    if (++count % pollpairs == 0) {
      poll();
    }
    return count <= most && !cancelled_;
  });
  if (!fits) {
    return false;
  }
  poll();
  if (cancelled_) {
    return false;
  }
  std::vector<tnbpair> listed;
  listed.reserve(count);
  tnbpair term;
  std::size_t visited = 0;
  cells_.forpairs(xyz, [&](std::int32_t a, std::int32_t b) {
    if (++visited % pollpairs == 0) {
      poll();
      if (cancelled_) {
        return false;
      }
    }
    if (makepair(static_cast<std::size_t>(std::min(a, b)),
                 static_cast<std::size_t>(std::max(a, b)), term)) {
      listed.push_back(term);
    }
    return true;
  });
  if (cancelled_) {
    return false;
  }
  for (tforcefieldpack* pack : packs_) {
    pack->lists.terms[termslot(ttermkind::nonbonded)].clear();
  }
  // Past this point the new list is taken whatever a poll answers; the polls
  // only keep a window responsive while millions of pairs are registered.
  for (std::size_t p = 0; p < listed.size(); ++p) {
    registerterm(listed[p], static_cast<std::int32_t>(p));
    if (p % pollpairs == pollpairs - 1) {
      poll();
    }
  }
  nonbonded_.swap(listed);
  compactpairs();
  listedat_.assign(xyz.begin(), xyz.end());
  ++listings_;
  poll();
  groupsstale_ = true;
  return true;
}

bool tforcefield::outgrown(std::span<const std::int32_t> atoms) const {
  if (!fade_.active()) {
    return false;
  }
  const double allowed = 0.5 * skin / angstromperunit_;
  for (std::int32_t a : atoms) {
    const auto i = static_cast<std::size_t>(a) * 3;
    const tatm& atom = *atoms_[static_cast<std::size_t>(a)];
    if (i + 2 >= listedat_.size()) {
      return true;
    }
    const double dx = atom.x - listedat_[i];
    const double dy = atom.y - listedat_[i + 1];
    const double dz = atom.z - listedat_[i + 2];
    if (!(dx * dx + dy * dy + dz * dz < allowed * allowed)) {
      return true;
    }
  }
  return false;
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
