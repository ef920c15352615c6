// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Setting up the force field: typing the atoms and building the term lists.
#include "chemistry/conjugation.h"
#include "chemistry/hybridization.h"
#include "chemistry/ring_angles.h"
#include "document/drawing.h"
#include "mechanics/force_field.h"
#include "mechanics/force_field_parameters.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <unordered_map>

namespace molvane {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double degree = pi / 180.0;

/// The lengthening of the triple bond a1-a2 when one end is a cation with a
/// second bond (N2O, azides, isocyanides).
double triplelengthening(
    const std::vector<tatm*>& atoms,
    const std::vector<std::vector<std::int32_t>>& neighbours, std::int32_t a1,
    std::int32_t a2) {
  auto charge = [&](std::int32_t a) {
    return atoms[static_cast<std::size_t>(a)]->fcharge;
  };
  for (auto [cation, partner] : {std::pair{a1, a2}, std::pair{a2, a1}}) {
    if (charge(cation) <= 0) {
      continue;
    }
    bool secondbond = false;
    bool anionside = false;
    for (std::int32_t n : neighbours[static_cast<std::size_t>(cation)]) {
      if (n != partner) {
        secondbond = true;
        anionside = anionside || charge(n) < 0;
      }
    }
    return chargedtriplelengthening(secondbond, anionside, charge(partner) < 0);
  }
  return 0.0;
}
/// Extra depth (cal/mol) of a bond in an aromatic or delocalised system.
constexpr double resonanceperbond = 6000.0;
/// Extra depth (cal/mol) a carbon substituent gives a C=C bond: alkyl
/// groups stabilise alkenes (heats of hydrogenation, kcal/mol: ethylene
/// 32.6, propene 29.9, trans-2-butene 27.6). An aromatic bond, half double,
/// takes half of it.
constexpr double substituentperdouble = 2500.0;
/// How much shorter a carbon-carbon single bond of a six-ring made aromatic
/// by lone pairs is, Å: uracil's C4-C5 is 1.43, a diene's 1.47.
constexpr double donorringshortening = 0.04;
constexpr double torsionvibrationfactor = 3.4735e-6;
/// Centres whose ideal angle is this wide or wider (sp centres) have no
/// torsions about their bonds.
constexpr double linearangle = 175.0 * degree;
constexpr double planarityconstant = 40000.0;
constexpr double planarityk = 20000.0;

std::uint64_t pairkey(std::int32_t a, std::int32_t b) {
  if (a > b) {
    std::swap(a, b);
  }
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) |
         static_cast<std::uint32_t>(b);
}

bool isfinite(const tatm& atom) {
  return std::isfinite(atom.x) && std::isfinite(atom.y) &&
         std::isfinite(atom.z);
}

}  // namespace

void tforcefield::freeterms() {
  for (std::size_t i = 0; i < atoms_.size(); ++i) {
    if (atoms_[i]->pack.get() == packs_[i]) {
      atoms_[i]->releasepack();
    }
  }
  atoms_.clear();
  packs_.clear();
  neighbours_.clear();
  bonds_.clear();
  atombonds_.clear();
  firstbend_.clear();
  exclusions_.clear();
  nonbonded_.clear();
  compact_.clear();
  hydrogenbonds_.clear();
  stretches_.clear();
  bends_.clear();
  torsions_.clear();
  planarities_.clear();
  chiralities_.clear();
  groups_.clear();
  groupsstale_ = false;
  pairatoms_.clear();
  fade_ = {};
  listedat_.clear();
  angles_.clear();
  listings_ = 0;
  running_ = 0.0;
}

bool tforcefield::isexcluded(std::int32_t a, std::int32_t b) const {
  return exclusions_.contains(pairkey(a, b));
}

void tforcefield::addexclusion(std::int32_t a, std::int32_t b) {
  exclusions_.insert(pairkey(a, b));
}

void tforcefield::registerterm(const tcoordinate& term, std::int32_t index) {
  for (int i = 0; i < term.atomcount; ++i) {
    packs_[static_cast<std::size_t>(term.atoms[static_cast<std::size_t>(i)])]
        ->lists.terms[termslot(term.kind)]
        .push_back(index);
  }
}

std::string tforcefield::setupforcefield(const tsetupreport& report) {
  auto status = [&report](const std::string& text) {
    if (report.status) {
      report.status(text);
    }
  };
  status("freeing coordinates");
  freeterms();
  for (tatm* atom : drawing_.atoms) {
    if (atom->ischemical()) {
      if (!isfinite(*atom)) {
        atoms_.clear();
        status("");
        return "An atom has coordinates that are not numbers.";
      }
      atoms_.push_back(atom);
    }
  }
  if (atoms_.empty()) {
    status("");
    return "The drawing has no chemical atoms.";
  }
  angstromperunit_ = standardbondangstrom * drawing_.geometry().lengthscale();

  status("Hybridizing Atoms");
  assignhybridization(drawing_);
  std::unordered_map<const tatm*, std::int32_t> indexof;
  for (std::size_t i = 0; i < atoms_.size(); ++i) {
    auto pack = std::make_unique<tforcefieldpack>();
    pack->atom = atoms_[i];
    pack->drawing = &drawing_;
    pack->index = static_cast<std::int32_t>(i);
    packs_.push_back(pack.get());
    atoms_[i]->pack = std::move(pack);
    indexof.emplace(atoms_[i], static_cast<std::int32_t>(i));
  }
  neighbours_.assign(atoms_.size(), {});
  atombonds_.assign(atoms_.size(), {});
  for (tbond* bond : drawing_.bonds) {
    auto end1 = indexof.find(bond->atom1);
    auto end2 = indexof.find(bond->atom2);
    if (bond->chemical == 0 || end1 == indexof.end() || end2 == indexof.end() ||
        end1->second == end2->second) {
      continue;
    }
    const std::int32_t a = end1->second;
    const std::int32_t b = end2->second;
    const auto bondindex = static_cast<std::int32_t>(bonds_.size());
    bonds_.push_back({bond, {a, b}});
    atombonds_[static_cast<std::size_t>(a)].push_back(bondindex);
    atombonds_[static_cast<std::size_t>(b)].push_back(bondindex);
    auto& na = neighbours_[static_cast<std::size_t>(a)];
    if (std::find(na.begin(), na.end(), b) == na.end()) {
      na.push_back(b);
      neighbours_[static_cast<std::size_t>(b)].push_back(a);
    }
  }

  hybrids_.clear();
  for (const tatm* atom : atoms_) {
    hybrids_.push_back(atom->hybridization);
  }
  const tbondgraph graph{atoms_, bonds_, atombonds_};
  flattenconjugatednitrogens(graph, hybrids_);
  alternating_ = alternatingringbonds(graph);
  donorring_ = donorringsinglebonds(graph);
  auto stopped = [&] {
    if (report.stopped && report.stopped()) {
      freeterms();
      status("");
      return true;
    }
    return false;
  };
  status("Creating stretches");
  createstretches(report);
  status("Creating bends");
  createbends(report);
  if (stopped()) {
    return setupstoppedtext;
  }
  status("Creating torsions");
  createtorsions(report);
  status("Creating dihedrals");
  createplanarities(report);
  createchiralities();
  if (stopped()) {
    return setupstoppedtext;
  }
  status("Creating non-bonded interactions");
  if (std::string problem = createnonbonded(report); !problem.empty()) {
    freeterms();
    status("");
    return problem;
  }
  angles_.assign(bends_.size(), 0.0);
  groupsstale_ = true;
  status("");
  totalenergy();
  return "";
}

int tforcefield::lengthhybrid(std::int32_t a, std::int32_t other) const {
  const int h = hybrids_[static_cast<std::size_t>(a)];
  const tatm& atom = *atoms_[static_cast<std::size_t>(a)];
  if (atom.element != 7 || h != 2 || atom.hybridization != 3) {
    return h;
  }
  // A nitrogen made flat by its neighbour's π system: that bond is the
  // conjugated one; its bonds to tetrahedral atoms stay plain single bonds.
  const int o = hybrids_[static_cast<std::size_t>(other)];
  return o == 1 || o == 2 || o == 4 ? lonepairdonor : 3;
}

int tforcefield::carbonneighbours(std::int32_t a, std::int32_t b) const {
  int count = 0;
  for (std::int32_t n : neighbours_[static_cast<std::size_t>(a)]) {
    if (n != b && atoms_[static_cast<std::size_t>(n)]->element == 6) {
      ++count;
    }
  }
  return count;
}

void tforcefield::createstretches(const tsetupreport& report) {
  for (std::size_t index = 0; index < bonds_.size(); ++index) {
    const auto& [bond, ends] = bonds_[index];
    std::int32_t a1 = ends[0];
    std::int32_t a2 = ends[1];
    if (atoms_[static_cast<std::size_t>(a2)]->element <
        atoms_[static_cast<std::size_t>(a1)]->element) {
      std::swap(a1, a2);
    }
    const int z1 = atoms_[static_cast<std::size_t>(a1)]->element;
    const int z2 = atoms_[static_cast<std::size_t>(a2)]->element;
    const int c = alternating_[index] ? 3 : bond->ffkind();
    tstretch term;
    term.atoms = {a1, a2, -1, -1};
    term.kind = ttermkind::stretch;
    term.atomcount = 2;
    term.bond = bond;
    double length = stretchlengthangstrom(
        z1, z2, c, lengthhybrid(a1, a2), lengthhybrid(a2, a1),
        atoms_[static_cast<std::size_t>(a1)]->fcharge,
        atoms_[static_cast<std::size_t>(a2)]->fcharge);
    if (c == 6) {
      length += triplelengthening(atoms_, neighbours_, a1, a2);
    }
    term.inverselength =
        angstromperunit_ /
        (donorring_[index] ? length - donorringshortening : length);
    term.depth = stretchdepth(z1, z2, c);
    if (alternating_[index] || bond->isdelocalised()) {
      // Delocalisation: benzene is 36 kcal/mol more stable than three
      // single and three double bonds.
      term.depth += resonanceperbond;
    }
    if (z1 == 6 && z2 == 6 && (c == 3 || c == 4)) {
      term.depth += (c == 4 ? 1.0 : 0.5) * substituentperdouble *
                    (carbonneighbours(a1, a2) + carbonneighbours(a2, a1));
    }
    term.tenfold = 10.0 * term.depth;
    term.fconst = vibrationfactor * term.tenfold;
    term.harmonic = wallsteepness * wallsteepness * term.depth;
    addexclusion(a1, a2);
    registerterm(term, static_cast<std::int32_t>(stretches_.size()));
    stretches_.push_back(term);
    if (report.processmessages) {
      report.processmessages();
    }
  }
}

void tforcefield::createbends(const tsetupreport& report) {
  firstbend_.assign(atoms_.size(), -1);
  for (std::size_t c = 0; c < atoms_.size(); ++c) {
    const auto& around = neighbours_[c];
    const int m = static_cast<int>(around.size());
    if (m < 2) {
      continue;
    }
    tatm* centre = atoms_[c];
    firstbend_[c] = static_cast<std::int32_t>(bends_.size());
    const double plain =
        idealangle(centre->element, centre->fcharge, hybrids_[c], m);
    const bool flat = m == 3 && (hybrids_[c] == 2 || hybrids_[c] == 4);
    std::vector<bool> doubled;
    for (std::int32_t n : around) {
      doubled.push_back(isdoublebond(static_cast<std::int32_t>(c), n));
    }
    const std::vector<double> ideals = ringidealangles(
        neighbours_, static_cast<std::int32_t>(c), flat, plain, doubled);
    std::size_t pair = 0;
    for (int i = 0; i < m; ++i) {
      for (int j = i + 1; j < m; ++j) {
        std::int32_t a1 = around[static_cast<std::size_t>(i)];
        std::int32_t a2 = around[static_cast<std::size_t>(j)];
        if (atoms_[static_cast<std::size_t>(a2)]->element >
            atoms_[static_cast<std::size_t>(a1)]->element) {
          std::swap(a1, a2);
        }
        const double ideal = plain > 0.0 ? ideals[pair] : plain;
        ++pair;
        tangle term;
        term.atoms = {a1, a2, static_cast<std::int32_t>(c), -1};
        term.kind = ttermkind::bend;
        term.atomcount = 3;
        term.redundancy = bendredundancy(m);
        term.ideal = ideal;
        term.coordination = m;
        if (ideal >= 62.2 * degree && ideal < 120.0 * degree) {
          term.ktheta = term.k / (std::sin(ideal) * std::sin(ideal));
        }
        // The wall's curvature at the ideal angle is 2 kM 5 / θ0²: with kM
        // two fifths of k that is 27 kcal/(mol rad²), below a real H-C-H
        // bend's 37; at a fifth of k crowded C-C-C angles opened 5-9° too
        // wide (cholesterol).
        term.kmorse = 0.4 * term.k;
        term.fconst = 2.0 * term.k * vibrationfactor;
        addexclusion(a1, a2);
        registerterm(term, static_cast<std::int32_t>(bends_.size()));
        bends_.push_back(term);
        if (report.processmessages) {
          report.processmessages();
        }
      }
    }
  }
}

bool tforcefield::isdoublebond(std::int32_t a, std::int32_t b) const {
  for (std::int32_t index : atombonds_[static_cast<std::size_t>(a)]) {
    const auto& [bond, ends] = bonds_[static_cast<std::size_t>(index)];
    if ((ends[0] == b || ends[1] == b) &&
        !alternating_[static_cast<std::size_t>(index)]) {
      return bond->ffkind() == 4;
    }
  }
  return false;
}

bool tforcefield::isbonded(std::int32_t a, std::int32_t b) const {
  const auto& around = neighbours_[static_cast<std::size_t>(a)];
  return std::find(around.begin(), around.end(), b) != around.end();
}

void tforcefield::createtorsions(const tsetupreport& report) {
  auto openangle = [this](std::int32_t index) {
    const tatm* atom = atoms_[static_cast<std::size_t>(index)];
    const int m =
        static_cast<int>(neighbours_[static_cast<std::size_t>(index)].size());
    return idealangle(atom->element, atom->fcharge,
                      hybrids_[static_cast<std::size_t>(index)], m);
  };
  for (std::size_t b = 0; b < bonds_.size(); ++b) {
    const auto& [bond, ends] = bonds_[b];
    const std::int32_t a2 = ends[0];
    const std::int32_t a3 = ends[1];
    const auto n2 = neighbours_[static_cast<std::size_t>(a2)].size();
    const auto n3 = neighbours_[static_cast<std::size_t>(a3)].size();
    const int c = bond->ffkind();
    if (c < 1 || c > 4 || n2 < 2 || n3 < 2 || openangle(a2) >= linearangle ||
        openangle(a3) >= linearangle) {
      continue;
    }
    const tatm* atom2 = atoms_[static_cast<std::size_t>(a2)];
    const tatm* atom3 = atoms_[static_cast<std::size_t>(a3)];
    const ttorsionparameters parameters = torsionparameters(
        bond->kind(), hybrids_[static_cast<std::size_t>(a2)],
        hybrids_[static_cast<std::size_t>(a3)], atom2->element, atom3->element);
    const double reduced =
        parameters.barrier / static_cast<double>(n2 + n3 - 2);
    int counter = 0;
    for (std::int32_t b1 : atombonds_[static_cast<std::size_t>(a2)]) {
      for (std::int32_t b3 : atombonds_[static_cast<std::size_t>(a3)]) {
        const auto& first = bonds_[static_cast<std::size_t>(b1)];
        const auto& third = bonds_[static_cast<std::size_t>(b3)];
        const std::int32_t a1 =
            first.second[0] == a2 ? first.second[1] : first.second[0];
        const std::int32_t a4 =
            third.second[0] == a3 ? third.second[1] : third.second[0];
        if (a1 == a3 || a4 == a2 || a1 == a4 || first.first->ffkind() >= 5 ||
            third.first->ffkind() >= 5 || isbonded(a1, a3) ||
            isbonded(a2, a4) || isbonded(a1, a4)) {
          continue;
        }
        ++counter;
        ttorque term;
        term.atoms = {a1, a2, a3, a4};
        term.kind = ttermkind::torsion;
        term.atomcount = 4;
        term.periodicity = parameters.periodicity;
        term.phase = parameters.phase;
        term.cosphase = std::cos(term.periodicity * term.phase);
        term.sinphase = std::sin(term.periodicity * term.phase);
        term.redundancy = 1.0 / static_cast<double>((n2 - 1) * (n3 - 1));
        term.fconst = parameters.periodicity * parameters.periodicity *
                      reduced * torsionvibrationfactor;
        term.barrier = 0.5 * reduced;
        addexclusion(a1, a4);
        registerterm(term, static_cast<std::int32_t>(torsions_.size()));
        torsions_.push_back(term);
        if (report.processmessages) {
          report.processmessages();
        }
      }
    }
  }
  // Bonds without torsions (at sp centres, in small rings) still join 1-4
  // pairs, and those must not feel each other's van der Waals wall.
  for (const auto& [bond, ends] : bonds_) {
    for (std::int32_t a1 : neighbours_[static_cast<std::size_t>(ends[0])]) {
      for (std::int32_t a4 : neighbours_[static_cast<std::size_t>(ends[1])]) {
        if (a1 != ends[1] && a4 != ends[0] && a1 != a4) {
          addexclusion(a1, a4);
        }
      }
    }
  }
}

void tforcefield::createplanarities(const tsetupreport& report) {
  if (bonds_.size() <= 2) {
    return;
  }
  for (std::size_t c = atoms_.size(); c-- > 0;) {
    const int h = hybrids_[c];
    const auto& around = neighbours_[c];
    if ((h != 2 && h != 4) || around.size() != 3 || firstbend_[c] < 0) {
      continue;
    }
    tstrain term;
    term.atoms = {around[0], around[1], around[2],
                  static_cast<std::int32_t>(c)};
    term.kind = ttermkind::planarity;
    term.atomcount = 4;
    term.fconst = vibrationfactor * planarityconstant;
    term.vibrationconstant = 0.1 * planarityconstant;
    term.kp = planarityk;
    // The three bends at this centre follow each other in the bend list.
    const std::array<std::array<std::int32_t, 2>, 3> pairs = {
        {{around[0], around[1]},
         {around[0], around[2]},
         {around[1], around[2]}}};
    for (std::size_t p = 0; p < 3; ++p) {
      for (std::int32_t b = firstbend_[c]; b < firstbend_[c] + 3; ++b) {
        const tangle& bend = bends_[static_cast<std::size_t>(b)];
        if ((bend.atoms[0] == pairs[p][0] && bend.atoms[1] == pairs[p][1]) ||
            (bend.atoms[0] == pairs[p][1] && bend.atoms[1] == pairs[p][0])) {
          term.bends[p] = b;
        }
      }
    }
    registerterm(term, static_cast<std::int32_t>(planarities_.size()));
    planarities_.push_back(term);
    if (report.processmessages) {
      report.processmessages();
    }
  }
}

void tforcefield::creategroups() {
  groupsstale_ = false;
  groups_.clear();
  std::unordered_map<const tatm*, std::int32_t> indexof;
  for (std::size_t i = 0; i < atoms_.size(); ++i) {
    indexof.emplace(atoms_[i], static_cast<std::int32_t>(i));
  }
  for (tStructure* structure : drawing_.structures) {
    tgroupPack group;
    group.drawing = &drawing_;
    for (tatm* atom : structure->atoms) {
      auto found = indexof.find(atom);
      if (found == indexof.end()) {
        continue;
      }
      group.atoms.push_back(found->second);
      const ttermlists& lists =
          packs_[static_cast<std::size_t>(found->second)]->lists;
      for (int k = 0; k < termkinds; ++k) {
        auto& target = group.lists.terms[static_cast<std::size_t>(k)];
        const auto& source = lists.terms[static_cast<std::size_t>(k)];
        target.insert(target.end(), source.begin(), source.end());
      }
    }
    for (auto& list : group.lists.terms) {
      std::sort(list.begin(), list.end());
      list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    groups_.push_back(std::move(group));
  }
}

}  // namespace molvane
