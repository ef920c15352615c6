// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/force_field.h"

#include "chemistry/conjugation.h"
#include "chemistry/hybridization.h"
#include "chemistry/ring_angles.h"
#include "document/drawing.h"
#include "mechanics/force_field_parameters.h"
#include "model/vector3.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <unordered_map>

namespace molvane {

namespace {

using detail::cross;
using detail::dot;
using detail::minus;
using detail::norm;
using detail::plus;
using detail::times;
using detail::unit;

constexpr double pi = std::numbers::pi;
constexpr double degree = pi / 180.0;
/// Steepness of the compressed-bond and four-coordinate bend walls (√5).
constexpr double wallsteepness = 2.2360679775;
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
/// Added to non-bonded distances (Å) so atoms on top of each other stay
/// finite.
constexpr double contactoffset = 1e-6;
/// A charged pair closer than this (Å) uses the reciprocal distance below.
constexpr double closestcharges = 0.0001;
constexpr double largestreciprocal = 10000.0;
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

bool ishalogenornitrogenoroxygen(int element) {
  return element == 7 || element == 8 || element == 9;
}

/// The angle at centre between the directions to a and b, with its
/// derivatives by the three positions; a collapsed arm gives angle 0 and no
/// derivatives.
struct tangleresult {
  double angle = 0.0;
  TXYZ da{}, db{}, dcentre{};
};

tangleresult angleof(const TXYZ& a, const TXYZ& b, const TXYZ& centre,
                     bool derivatives) {
  tangleresult result;
  const TXYZ u = minus(a, centre);
  const TXYZ v = minus(b, centre);
  const double lu = norm(u);
  const double lv = norm(v);
  if (!(lu > 0.0) || !(lv > 0.0)) {
    return result;
  }
  const TXYZ uu = times(u, 1.0 / lu);
  const TXYZ vu = times(v, 1.0 / lv);
  const double cosine = dot(uu, vu);
  if (cosine >= 1.0) {
    result.angle = 0.0;
  } else if (cosine < -1.0) {
    result.angle = pi;
  } else {
    result.angle = std::acos(cosine);
  }
  const double sine = std::sin(result.angle);
  if (derivatives && sine > 1e-12) {
    result.da = times(minus(times(uu, cosine), vu), 1.0 / (lu * sine));
    result.db = times(minus(times(vu, cosine), uu), 1.0 / (lv * sine));
    result.dcentre = times(plus(result.da, result.db), -1.0);
  }
  return result;
}

/// The dihedral angle p1-p2-p3-p4 in (-π, π], 0 when undefined.
double dihedralof(const TXYZ& p1, const TXYZ& p2, const TXYZ& p3,
                  const TXYZ& p4) {
  const TXYZ b1 = minus(p2, p1);
  const TXYZ b2 = minus(p3, p2);
  const TXYZ b3 = minus(p4, p3);
  const TXYZ n1 = cross(b1, b2);
  const TXYZ n2 = cross(b2, b3);
  return std::atan2(norm(b2) * dot(b1, n2), dot(n1, n2));
}

double sixth(double ratio) {
  const double square = ratio * ratio;
  return square * square * square;
}

}  // namespace

tforcefield::tforcefield(tdrawing& drawing) : drawing_(drawing) {}

tforcefield::~tforcefield() { freeterms(); }

TXYZ tforcefield::position(std::int32_t atom) const {
  const tatm* a = atoms_[static_cast<std::size_t>(atom)];
  return {a->x, a->y, a->z};
}

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
  stretches_.clear();
  bends_.clear();
  torsions_.clear();
  planarities_.clear();
  groups_.clear();
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
        ->lists.terms[term.kind]
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
  status("Creating stretches");
  createstretches(report);
  status("Creating bends");
  createbends(report);
  status("Creating torsions");
  createtorsions(report);
  status("Creating dihedrals");
  createplanarities(report);
  status("Creating non-bonded interactions");
  createnonbonded(report);
  creategroups();
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
    term.kind = stretchkind;
    term.atomcount = 2;
    term.bond = bond;
    const double length = stretchlengthangstrom(
        z1, z2, c, lengthhybrid(a1, a2), lengthhybrid(a2, a1),
        atoms_[static_cast<std::size_t>(a1)]->fcharge,
        atoms_[static_cast<std::size_t>(a2)]->fcharge);
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
        term.kind = bendkind;
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
        term.kind = torsionkind;
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
    term.kind = planaritykind;
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

void tforcefield::createnonbonded(const tsetupreport& report) {
  const std::size_t n = atoms_.size();
  std::vector<bool> donor(n, false);
  std::vector<twell> wells(n);
  std::vector<double> charges(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    tatm* atom = atoms_[i];
    donor[i] =
        atom->element == 1 && neighbours_[i].size() == 1 &&
        ishalogenornitrogenoroxygen(
            atoms_[static_cast<std::size_t>(neighbours_[i][0])]->element);
    wells[i] = vdwparameters(atom->element, hybrids_[i],
                             atom->implicithydrogens(), atom->fcharge);
    const double charge = atom->getcharge();
    charges[i] = std::isfinite(charge) ? charge : 0.0;
  }
  auto acceptor = [this](std::size_t i) {
    return ishalogenornitrogenoroxygen(atoms_[i]->element) &&
           atoms_[i]->fcharge == 0;
  };
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      const auto ai = static_cast<std::int32_t>(i);
      const auto aj = static_cast<std::int32_t>(j);
      if (isexcluded(ai, aj)) {
        continue;
      }
      tnbpair term;
      term.kind = nonbondedkind;
      term.atomcount = 2;
      term.atoms = {ai, aj, -1, -1};
      const bool hydrogenbond =
          (donor[i] && acceptor(j)) || (donor[j] && acceptor(i));
      if (hydrogenbond) {
        const std::size_t h = donor[i] && acceptor(j) ? i : j;
        const std::size_t a = h == i ? j : i;
        const std::int32_t x = neighbours_[h][0];
        const twell well = hydrogenbondwell(
            atoms_[a]->element, atoms_[static_cast<std::size_t>(x)]->element);
        term.type = hydrogenbondpair;
        term.atoms = {static_cast<std::int32_t>(h),
                      static_cast<std::int32_t>(a), x, -1};
        term.atomcount = 3;
        term.epsilon = well.epsilon;
        term.radius = well.radius;
      } else if (donor[i] && donor[j]) {
        term.epsilon = 0.5 * (wells[i].epsilon + wells[j].epsilon);
        term.radius = 0.5 * (wells[i].radius + wells[j].radius);
      } else {
        const double ei = donor[i] ? 1.0 : wells[i].epsilon;
        const double ej = donor[j] ? 1.0 : wells[j].epsilon;
        term.epsilon = 0.5 * (ei + ej);
        term.radius = 0.5 * (wells[i].radius + wells[j].radius);
        if (charges[i] * charges[j] != 0.0) {
          term.type = chargedpair;
          term.coulomb = coulombconstant * charges[i] * charges[j];
        }
      }
      registerterm(term, static_cast<std::int32_t>(nonbonded_.size()));
      nonbonded_.push_back(term);
      if (report.processmessages) {
        report.processmessages();
      }
    }
  }
}

void tforcefield::creategroups() {
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

void tforcefield::measure(tstretch& term) const {
  const TXYZ along =
      unit(minus(position(term.atoms[1]), position(term.atoms[0])));
  term.bvectors = {times(along, -1.0), along, TXYZ{}, TXYZ{}};
}

void tforcefield::measure(tangle& term) const {
  const tangleresult result =
      angleof(position(term.atoms[0]), position(term.atoms[1]),
              position(term.atoms[2]), true);
  term.bvectors = {result.da, result.db, result.dcentre, TXYZ{}};
}

void tforcefield::measure(ttorque& term) const {
  const TXYZ b1 = minus(position(term.atoms[1]), position(term.atoms[0]));
  const TXYZ b2 = minus(position(term.atoms[2]), position(term.atoms[1]));
  const TXYZ b3 = minus(position(term.atoms[3]), position(term.atoms[2]));
  const TXYZ n1 = cross(b1, b2);
  const TXYZ n2 = cross(b2, b3);
  const double l2 = norm(b2);
  const double s1 = dot(n1, n1);
  const double s2 = dot(n2, n2);
  if (!(l2 > 0.0) || !(s1 > 0.0) || !(s2 > 0.0)) {
    term.bvectors = {};
    return;
  }
  const TXYZ d1 = times(n1, -l2 / s1);
  const TXYZ d4 = times(n2, l2 / s2);
  const double f1 = dot(b1, b2) / (l2 * l2);
  const double f3 = dot(b3, b2) / (l2 * l2);
  // The middle atoms follow from the coordinate not changing when the
  // whole torsion is moved or turned.
  const TXYZ d2 = minus(times(d4, f3), times(d1, 1.0 + f1));
  const TXYZ d3 = minus(times(d1, f1), times(d4, 1.0 + f3));
  term.bvectors = {d1, d2, d3, d4};
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
  const TXYZ p1 = position(term.atoms[0]);
  const TXYZ p2 = position(term.atoms[1]);
  if (term.type == hydrogenbondpair) {
    const TXYZ px = position(term.atoms[2]);
    const double cosine = dot(unit(minus(p2, p1)), unit(minus(px, p1)));
    term.energy = 0.0;
    // Only a hydrogen between its neighbour and the acceptor bonds; one
    // pointing away would otherwise count the same bond twice.
    if (cosine < 0.0) {
      const double d = norm(minus(p2, px)) * angstromperunit_ + contactoffset;
      const double t2 = (term.radius / d) * (term.radius / d);
      const double t10 = t2 * t2 * t2 * t2 * t2;
      const double c2 = cosine * cosine;
      term.energy = c2 * c2 * (5.0 * t10 * t2 - 6.0 * t10) * term.epsilon;
    }
    return term.energy;
  }
  const double d = norm(minus(p2, p1)) * angstromperunit_ + contactoffset;
  const double s = sixth(term.radius / d);
  term.energy = term.epsilon * s * (s - 2.0);
  if (term.type == chargedpair) {
    // Ions keep their van der Waals wall; the covalent radii alone would
    // let opposite charges collapse to bonding distance.
    const double reciprocal = d <= closestcharges ? largestreciprocal : 1.0 / d;
    term.energy += term.coulomb * reciprocal;
  }
  return term.energy;
}

double tforcefield::termenergy(tstretch& term) const {
  const double r =
      norm(minus(position(term.atoms[1]), position(term.atoms[0])));
  const double x = r * term.inverselength - 1.0;
  if (x < 0.0) {
    const double wall = std::exp(-wallsteepness * x) - 1.0;
    term.energy = term.depth * wall * wall;
  } else {
    term.energy = term.harmonic * x * x;
  }
  return term.energy;
}

double tforcefield::termenergy(tangle& term) const {
  const double theta = angleof(position(term.atoms[0]), position(term.atoms[1]),
                               position(term.atoms[2]), false)
                           .angle;
  term.angle = theta;
  auto harmonic = [&term, theta](double reference) {
    return term.k * (theta - reference) * (theta - reference);
  };
  const double absolute = std::abs(theta);
  switch (term.coordination) {
    case 1:
    case 2:
    case 3:
      term.energy = harmonic(term.ideal);
      break;
    case 4:
      if (term.ideal > 0.0) {
        const double wall =
            std::exp(-wallsteepness * (theta / term.ideal - 1.0)) - 1.0;
        term.energy = term.kmorse * wall * wall;
      } else {
        term.energy = 0.0;
      }
      break;
    case 5:
      term.energy = harmonic(absolute <= 94.0 * degree   ? 90.0 * degree
                             : absolute < 150.0 * degree ? 120.0 * degree
                                                         : pi);
      break;
    case 6:
      term.energy = harmonic(absolute >= 135.0 * degree ? pi : 90.0 * degree);
      break;
    case 7:
    case 8:
    case 9:
      term.energy = theta < term.ideal ? harmonic(term.ideal) : 0.0;
      break;
    default:
      term.energy = 0.0;
  }
  return term.energy;
}

double tforcefield::termenergy(ttorque& term) const {
  // cos n(φ - φ0) from cos φ and sin φ by complex powers: the minimiser
  // evaluates torsions more often than anything but pairs, and an arc
  // tangent and a cosine per call would dominate its time.
  const TXYZ b1 = minus(position(term.atoms[1]), position(term.atoms[0]));
  const TXYZ b2 = minus(position(term.atoms[2]), position(term.atoms[1]));
  const TXYZ b3 = minus(position(term.atoms[3]), position(term.atoms[2]));
  const TXYZ n2 = cross(b2, b3);
  const double x = dot(cross(b1, b2), n2);
  const double y = norm(b2) * dot(b1, n2);
  const double r = std::sqrt(x * x + y * y);
  const double c = r > 0.0 ? x / r : 1.0;  // φ = 0 where it is undefined
  const double s = r > 0.0 ? y / r : 0.0;
  double cn = 1.0;
  double sn = 0.0;
  for (int k = 0; k < term.periodicity; ++k) {
    const double next = cn * c - sn * s;
    sn = sn * c + cn * s;
    cn = next;
  }
  term.energy =
      term.barrier * (1.0 - (cn * term.cosphase + sn * term.sinphase));
  return term.energy;
}

double tforcefield::dihedralangle(const ttorque& term) const {
  return dihedralof(position(term.atoms[0]), position(term.atoms[1]),
                    position(term.atoms[2]), position(term.atoms[3]));
}

double tforcefield::termenergy(tstrain& term) const {
  double sum = -2.0 * pi;
  for (std::int32_t b : term.bends) {
    if (b >= 0) {
      sum += std::abs(bends_[static_cast<std::size_t>(b)].angle);
    }
  }
  term.energy = term.kp * sum * sum;
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
  update(nonbonded_, lists.terms[nonbondedkind]);
  update(stretches_, lists.terms[stretchkind]);
  update(bends_, lists.terms[bendkind]);
  update(torsions_, lists.terms[torsionkind]);
  update(planarities_, lists.terms[planaritykind]);
  return running_;
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
  save(nonbonded_, lists.terms[nonbondedkind]);
  save(stretches_, lists.terms[stretchkind]);
  save(bends_, lists.terms[bendkind]);
  save(torsions_, lists.terms[torsionkind]);
  save(planarities_, lists.terms[planaritykind]);
  for (std::int32_t i : lists.terms[bendkind]) {
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
  restore(nonbonded_, lists.terms[nonbondedkind]);
  restore(stretches_, lists.terms[stretchkind]);
  restore(bends_, lists.terms[bendkind]);
  restore(torsions_, lists.terms[torsionkind]);
  restore(planarities_, lists.terms[planaritykind]);
  next = 0;
  for (std::int32_t i : lists.terms[bendkind]) {
    bends_[static_cast<std::size_t>(i)].angle = savedangles_[next++];
  }
  running_ = savedrunning_;
}

double tforcefield::totalenergy() {
  double total = 0.0;
  if (atoms_.size() >= 2) {
    auto sum = [this, &total](auto& terms) {
      for (auto i = terms.rbegin(); i != terms.rend(); ++i) {
        total += termenergy(*i);
      }
    };
    sum(nonbonded_);
    sum(stretches_);
    sum(bends_);
    sum(torsions_);
    sum(planarities_);
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

}  // namespace molvane
