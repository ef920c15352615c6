// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/force_field.h"

#include "document/drawing.h"
#include "model/vector3.h"

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

using detail::minus;
using detail::plus;
using detail::times;
using detail::unit;

TXYZ at(std::span<const double> xyz, std::int32_t atom) {
  const auto i = static_cast<std::size_t>(atom) * 3;
  return {xyz[i], xyz[i + 1], xyz[i + 2]};
}

/// A pass over every term asks for messages after this many of them,
/// well under a millisecond.
constexpr std::size_t pollterms = 16384;

void add(std::span<double> grad, std::int32_t atom, const TXYZ& g) {
  const auto i = static_cast<std::size_t>(atom) * 3;
  grad[i] += g.x;
  grad[i + 1] += g.y;
  grad[i + 2] += g.z;
}

}  // namespace

tforcefield::tforcefield(tdrawing& drawing) : drawing_(drawing) {}

tforcefield::~tforcefield() { freeterms(); }

TXYZ tforcefield::position(std::int32_t atom) const {
  const tatm* a = atoms_[static_cast<std::size_t>(atom)];
  return {a->x, a->y, a->z};
}

tpairplaces tforcefield::placesof(const tnbpair& term) const {
  return {position(term.atoms[0]), position(term.atoms[1]),
          term.atoms[2] >= 0 ? position(term.atoms[2]) : TXYZ{}};
}

void tforcefield::measure(tstretch& term) const {
  const TXYZ along =
      unit(minus(position(term.atoms[1]), position(term.atoms[0])));
  term.bvectors = {times(along, -1.0), along, TXYZ{}, TXYZ{}};
}

void tforcefield::measure(tangle& term) const {
  const tangleresult result =
      measureangle(position(term.atoms[0]), position(term.atoms[1]),
                   position(term.atoms[2]), true);
  term.bvectors = {result.da, result.db, result.dcentre, TXYZ{}};
}

void tforcefield::measure(ttorque& term) const {
  term.bvectors =
      dihedralderivatives(position(term.atoms[0]), position(term.atoms[1]),
                          position(term.atoms[2]), position(term.atoms[3]));
}

void tforcefield::measure(tstrain& term) const {
  term.bvectors = {};
  for (std::int32_t b : term.bends) {
    if (b < 0) {
      continue;
    }
    tangle bend = bends_[static_cast<std::size_t>(b)];
    measure(bend);
    for (std::size_t i = 0; i < 3; ++i) {
      for (std::size_t slot = 0; slot < 4; ++slot) {
        if (term.atoms[slot] == bend.atoms[i]) {
          term.bvectors[slot] = plus(term.bvectors[slot], bend.bvectors[i]);
        }
      }
    }
  }
}

double tforcefield::termenergy(tnbpair& term) const {
  term.energy = pairenergy(term, placesof(term), angstromperunit_, fade_);
  return term.energy;
}

double tforcefield::termenergy(tstretch& term) const {
  term.energy =
      stretchenergy(term, position(term.atoms[0]), position(term.atoms[1]));
  return term.energy;
}

double tforcefield::termenergy(tangle& term) const {
  term.angle = measureangle(position(term.atoms[0]), position(term.atoms[1]),
                            position(term.atoms[2]), false)
                   .angle;
  term.energy = bendenergy(term, term.angle);
  return term.energy;
}

double tforcefield::termenergy(ttorque& term) const {
  term.energy =
      torsionenergy(term, position(term.atoms[0]), position(term.atoms[1]),
                    position(term.atoms[2]), position(term.atoms[3]));
  return term.energy;
}

double tforcefield::dihedralangle(const ttorque& term) const {
  return dihedralof(position(term.atoms[0]), position(term.atoms[1]),
                    position(term.atoms[2]), position(term.atoms[3]));
}

double tforcefield::termenergy(tstrain& term) const {
  std::array<double, 3> angles{};
  for (std::size_t p = 0; p < 3; ++p) {
    const std::int32_t b = term.bends[p];
    angles[p] = b >= 0 ? bends_[static_cast<std::size_t>(b)].angle : 0.0;
  }
  term.energy = planarityenergy(term, angles);
  return term.energy;
}

double tforcefield::termenergy(tchirality& term) const {
  term.energy =
      chiralityenergy(term, position(term.atoms[0]), position(term.atoms[1]),
                      position(term.atoms[2]), position(term.atoms[3]));
  return term.energy;
}

double tforcefield::packenergy(const tforcefieldpack& pack) {
  return packenergy(pack.lists);
}

double tforcefield::packenergy(const tgroupPack& pack) {
  return packenergy(pack.lists);
}

double tforcefield::packenergy(std::int32_t atomindex) {
  return packenergy(packs_[static_cast<std::size_t>(atomindex)]->lists);
}

double tforcefield::packenergy(const ttermlists& lists) {
  auto update = [this](auto& terms, const std::vector<std::int32_t>& indices) {
    for (auto i = indices.rbegin(); i != indices.rend(); ++i) {
      updateenergy(terms[static_cast<std::size_t>(*i)], running_);
    }
  };
  update(nonbonded_, lists.terms[termslot(ttermkind::nonbonded)]);
  update(stretches_, lists.terms[termslot(ttermkind::stretch)]);
  update(bends_, lists.terms[termslot(ttermkind::bend)]);
  update(torsions_, lists.terms[termslot(ttermkind::torsion)]);
  update(planarities_, lists.terms[termslot(ttermkind::planarity)]);
  update(chiralities_, lists.terms[termslot(ttermkind::chirality)]);
  return running_;
}

TXYZ tforcefield::packgradient(std::int32_t atomindex) const {
  const ttermlists& lists = pack(atomindex).lists;
  TXYZ sum{};
  auto take = [&sum, atomindex](const std::array<std::int32_t, 4>& atoms,
                                std::span<const TXYZ> g) {
    for (std::size_t k = 0; k < g.size(); ++k) {
      if (atoms[k] == atomindex) {
        sum = plus(sum, g[k]);
      }
    }
  };
  std::array<TXYZ, 2> g2{};
  std::array<TXYZ, 3> g3{};
  std::array<TXYZ, 4> g4{};
  for (std::int32_t i : lists.terms[termslot(ttermkind::nonbonded)]) {
    const tnbpair& term = nonbonded_[static_cast<std::size_t>(i)];
    pairgradient(term, placesof(term), angstromperunit_, fade_, g3);
    take(term.atoms,
         std::span<const TXYZ>(g3).first(term.atoms[2] >= 0 ? 3 : 2));
  }
  for (std::int32_t i : lists.terms[termslot(ttermkind::stretch)]) {
    const tstretch& term = stretches_[static_cast<std::size_t>(i)];
    stretchgradient(term, position(term.atoms[0]), position(term.atoms[1]), g2);
    take(term.atoms, g2);
  }
  double theta = 0.0;
  for (std::int32_t i : lists.terms[termslot(ttermkind::bend)]) {
    const tangle& term = bends_[static_cast<std::size_t>(i)];
    bendgradient(term, position(term.atoms[0]), position(term.atoms[1]),
                 position(term.atoms[2]), g3, theta);
    take(term.atoms, g3);
  }
  for (std::int32_t i : lists.terms[termslot(ttermkind::torsion)]) {
    const ttorque& term = torsions_[static_cast<std::size_t>(i)];
    torsiongradient(term, position(term.atoms[0]), position(term.atoms[1]),
                    position(term.atoms[2]), position(term.atoms[3]), g4);
    take(term.atoms, g4);
  }
  for (std::int32_t i : lists.terms[termslot(ttermkind::planarity)]) {
    const tstrain& term = planarities_[static_cast<std::size_t>(i)];
    planaritygradient(term, position(term.atoms[0]), position(term.atoms[1]),
                      position(term.atoms[2]), position(term.atoms[3]), g4);
    take(term.atoms, g4);
  }
  for (std::int32_t i : lists.terms[termslot(ttermkind::chirality)]) {
    const tchirality& term = chiralities_[static_cast<std::size_t>(i)];
    chiralitygradient(term, position(term.atoms[0]), position(term.atoms[1]),
                      position(term.atoms[2]), position(term.atoms[3]), g4);
    take(term.atoms, g4);
  }
  return sum;
}

void tforcefield::savepack(std::int32_t atomindex) {
  const ttermlists& lists = pack(atomindex).lists;
  savedenergies_.clear();
  savedangles_.clear();
  auto save = [this](const auto& terms, const std::vector<std::int32_t>& at) {
    for (std::int32_t i : at) {
      savedenergies_.push_back(terms[static_cast<std::size_t>(i)].energy);
    }
  };
  save(nonbonded_, lists.terms[termslot(ttermkind::nonbonded)]);
  save(stretches_, lists.terms[termslot(ttermkind::stretch)]);
  save(bends_, lists.terms[termslot(ttermkind::bend)]);
  save(torsions_, lists.terms[termslot(ttermkind::torsion)]);
  save(planarities_, lists.terms[termslot(ttermkind::planarity)]);
  save(chiralities_, lists.terms[termslot(ttermkind::chirality)]);
  for (std::int32_t i : lists.terms[termslot(ttermkind::bend)]) {
    savedangles_.push_back(bends_[static_cast<std::size_t>(i)].angle);
  }
  savedrunning_ = running_;
}

void tforcefield::restorepack(std::int32_t atomindex) {
  const ttermlists& lists = pack(atomindex).lists;
  std::size_t next = 0;
  auto restore = [this, &next](auto& terms,
                               const std::vector<std::int32_t>& at) {
    for (std::int32_t i : at) {
      terms[static_cast<std::size_t>(i)].energy = savedenergies_[next++];
    }
  };
  restore(nonbonded_, lists.terms[termslot(ttermkind::nonbonded)]);
  restore(stretches_, lists.terms[termslot(ttermkind::stretch)]);
  restore(bends_, lists.terms[termslot(ttermkind::bend)]);
  restore(torsions_, lists.terms[termslot(ttermkind::torsion)]);
  restore(planarities_, lists.terms[termslot(ttermkind::planarity)]);
  restore(chiralities_, lists.terms[termslot(ttermkind::chirality)]);
  next = 0;
  for (std::int32_t i : lists.terms[termslot(ttermkind::bend)]) {
    bends_[static_cast<std::size_t>(i)].angle = savedangles_[next++];
  }
  running_ = savedrunning_;
}

double tforcefield::totalenergy() {
  double total = 0.0;
  if (atoms_.size() >= 2) {
    // Millions of pairs take a good part of a second: the listing hook
    // keeps a window answering meanwhile.
    std::size_t done = 0;
    auto sum = [this, &total, &done](auto& terms) {
      for (auto i = terms.rbegin(); i != terms.rend(); ++i) {
        total += termenergy(*i);
        if (++done % pollterms == 0 && poll_) {
          poll_();
        }
      }
    };
    sum(nonbonded_);
    sum(stretches_);
    sum(bends_);
    sum(torsions_);
    sum(planarities_);
    sum(chiralities_);
  }
  running_ = total;
  return total;
}

void tforcefield::refreshterms() {
  if (atoms_.empty()) {
    // A drawing that cannot be modelled simply has no terms to refresh.
    static_cast<void>(setupforcefield());
  }
  for (auto i = stretches_.rbegin(); i != stretches_.rend(); ++i) {
    measure(*i);
  }
  for (auto i = bends_.rbegin(); i != bends_.rend(); ++i) {
    measure(*i);
  }
  for (auto i = torsions_.rbegin(); i != torsions_.rend(); ++i) {
    measure(*i);
  }
  for (auto i = planarities_.rbegin(); i != planarities_.rend(); ++i) {
    measure(*i);
  }
  totalenergy();
}

std::vector<double> tforcefield::coordinates() const {
  std::vector<double> xyz;
  xyz.reserve(3 * atoms_.size());
  for (const tatm* atom : atoms_) {
    xyz.insert(xyz.end(), {atom->x, atom->y, atom->z});
  }
  return xyz;
}

double tforcefield::energy(std::span<const double> xyz) {
  if (atoms_.size() < 2) {
    return 0.0;
  }
  updatepairs(xyz);
  double total = compactpairsum(compact_, xyz, angstromperunit_, fade_, {});
  for (auto i = hydrogenbonds_.rbegin(); i != hydrogenbonds_.rend(); ++i) {
    const tnbpair& term = nonbonded_[static_cast<std::size_t>(*i)];
    total += pairenergy(term,
                        {at(xyz, term.atoms[0]), at(xyz, term.atoms[1]),
                         at(xyz, term.atoms[2])},
                        angstromperunit_, fade_);
  }
  for (auto i = stretches_.rbegin(); i != stretches_.rend(); ++i) {
    total += stretchenergy(*i, at(xyz, i->atoms[0]), at(xyz, i->atoms[1]));
  }
  for (std::size_t b = bends_.size(); b-- > 0;) {
    const tangle& term = bends_[b];
    angles_[b] = measureangle(at(xyz, term.atoms[0]), at(xyz, term.atoms[1]),
                              at(xyz, term.atoms[2]), false)
                     .angle;
    total += bendenergy(term, angles_[b]);
  }
  for (auto i = torsions_.rbegin(); i != torsions_.rend(); ++i) {
    total += torsionenergy(*i, at(xyz, i->atoms[0]), at(xyz, i->atoms[1]),
                           at(xyz, i->atoms[2]), at(xyz, i->atoms[3]));
  }
  for (auto i = planarities_.rbegin(); i != planarities_.rend(); ++i) {
    std::array<double, 3> angles{};
    for (std::size_t p = 0; p < 3; ++p) {
      const std::int32_t b = i->bends[p];
      angles[p] = b >= 0 ? angles_[static_cast<std::size_t>(b)] : 0.0;
    }
    total += planarityenergy(*i, angles);
  }
  for (auto i = chiralities_.rbegin(); i != chiralities_.rend(); ++i) {
    total += chiralityenergy(*i, at(xyz, i->atoms[0]), at(xyz, i->atoms[1]),
                             at(xyz, i->atoms[2]), at(xyz, i->atoms[3]));
  }
  return total;
}

double tforcefield::gradient(std::span<const double> xyz,
                             std::span<double> grad) {
  std::fill(grad.begin(), grad.end(), 0.0);
  if (atoms_.size() < 2) {
    return 0.0;
  }
  updatepairs(xyz);
  double total = compactpairsum(compact_, xyz, angstromperunit_, fade_, grad);
  std::array<TXYZ, 3> g3{};
  for (auto i = hydrogenbonds_.rbegin(); i != hydrogenbonds_.rend(); ++i) {
    const tnbpair& term = nonbonded_[static_cast<std::size_t>(*i)];
    total += pairgradient(term,
                          {at(xyz, term.atoms[0]), at(xyz, term.atoms[1]),
                           at(xyz, term.atoms[2])},
                          angstromperunit_, fade_, g3);
    for (std::size_t k = 0; k < 3; ++k) {
      add(grad, term.atoms[k], g3[k]);
    }
  }
  std::array<TXYZ, 2> g2{};
  for (auto i = stretches_.rbegin(); i != stretches_.rend(); ++i) {
    total +=
        stretchgradient(*i, at(xyz, i->atoms[0]), at(xyz, i->atoms[1]), g2);
    add(grad, i->atoms[0], g2[0]);
    add(grad, i->atoms[1], g2[1]);
  }
  for (auto i = bends_.rbegin(); i != bends_.rend(); ++i) {
    double theta = 0.0;
    total += bendgradient(*i, at(xyz, i->atoms[0]), at(xyz, i->atoms[1]),
                          at(xyz, i->atoms[2]), g3, theta);
    for (std::size_t k = 0; k < 3; ++k) {
      add(grad, i->atoms[k], g3[k]);
    }
  }
  std::array<TXYZ, 4> g4{};
  for (auto i = torsions_.rbegin(); i != torsions_.rend(); ++i) {
    total += torsiongradient(*i, at(xyz, i->atoms[0]), at(xyz, i->atoms[1]),
                             at(xyz, i->atoms[2]), at(xyz, i->atoms[3]), g4);
    for (std::size_t k = 0; k < 4; ++k) {
      add(grad, i->atoms[k], g4[k]);
    }
  }
  for (auto i = planarities_.rbegin(); i != planarities_.rend(); ++i) {
    total += planaritygradient(*i, at(xyz, i->atoms[0]), at(xyz, i->atoms[1]),
                               at(xyz, i->atoms[2]), at(xyz, i->atoms[3]), g4);
    for (std::size_t k = 0; k < 4; ++k) {
      add(grad, i->atoms[k], g4[k]);
    }
  }
  for (auto i = chiralities_.rbegin(); i != chiralities_.rend(); ++i) {
    total += chiralitygradient(*i, at(xyz, i->atoms[0]), at(xyz, i->atoms[1]),
                               at(xyz, i->atoms[2]), at(xyz, i->atoms[3]), g4);
    for (std::size_t k = 0; k < 4; ++k) {
      add(grad, i->atoms[k], g4[k]);
    }
  }
  return total;
}

}  // namespace molvane
