// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/stereo_perception.h"

#include "chemistry/stereo_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

namespace molvane {

namespace {

/// Rings up to this size hold their double bonds cis whatever the picture.
constexpr int smallestfreering = 8;
/// Rings larger than this do not tell alike substituents of a centre apart.
constexpr int mostringsize = 24;
/// Atoms that search looks at, so that huge records stay linear.
constexpr std::size_t mostsearched = 512;
/// Spiro atoms a ring question passes through.
constexpr int mostspiros = 2;
/// Depth (in ångström) below which a record counts as flat.
constexpr double flatdepth = 0.01;
/// Refinement rounds of the symmetry classes; enough for any molecule a
/// chemist draws, and bounded for huge ones.
constexpr int mostrounds = 200;

struct tvector {
  double x = 0.0, y = 0.0, z = 0.0;
};

tvector minus(const tvector& a, const tvector& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double dot(const tvector& a, const tvector& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
tvector cross(const tvector& a, const tvector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double norm(const tvector& a) { return std::sqrt(dot(a, a)); }

struct tneighbour {
  int atom;
  int bond;
};

class tperception {
 public:
  explicit tperception(const tmoleculerecord& record)
      : record_(record), neighbours_(record.atoms.size()) {
    for (std::size_t b = 0; b < record.bonds.size(); ++b) {
      const tbondentry& bond = record.bonds[b];
      neighbours_[at(bond.atom1)].push_back({bond.atom2, static_cast<int>(b)});
      neighbours_[at(bond.atom2)].push_back({bond.atom1, static_cast<int>(b)});
    }
    threed_ = std::any_of(
        record.atoms.begin(), record.atoms.end(),
        [](const tatomentry& a) { return std::abs(a.z) > flatdepth; });
  }

  void centres(trecordstereo& stereo) const;
  void doublebonds(trecordstereo& stereo) const;
  /// Whether the atom's neighbours could make it a centre, whatever the
  /// geometry: distinct substituents, or alike ones that a ring makes
  /// distinct (1,4-disubstituted rings, spiro centres).
  bool stereogenic(int atom, bool judgealike = true) const;
  /// The reference neighbours of a double bond that could have a
  /// geometry, or nullopt.
  std::optional<std::pair<int, int>> references(int bond,
                                                bool judgealike = true) const;

 private:
  static std::size_t at(int i) { return static_cast<std::size_t>(i); }
  tvector position(int atom) const {
    const tatomentry& a = record_.atoms[at(atom)];
    return {a.x, a.y, a.z};
  }
  int implicithydrogens(int atom) const;
  bool smallring(const tbondentry& bond, int index) const;
  /// The symmetry class of an atom; the classes are worked out when
  /// first asked for, since most records have no stereo to judge.
  int rank(int atom) const;
  void rankatoms() const;
  std::optional<ttetrahedralstereo> centre(int atom) const;
  /// Whether the atom's configuration is to be read at all: not marked
  /// unstated, and in a flat record the narrow end of a wedge.
  bool candidatecentre(int atom) const;
  bool narrowendat(const tbondentry& bond, int atom) const;
  /// Whether two alike neighbours of atom lie on a ring that holds
  /// another atom with two different substituents off the ring.
  bool ringresolved(int atom, int first, int second, int depth = 0) const;

  const tmoleculerecord& record_;
  std::vector<std::vector<tneighbour>> neighbours_;
  mutable std::vector<int> ranks_;
  /// Scratch of ringresolved: where the search came from, and when.
  mutable std::vector<int> previous_;
  mutable std::vector<unsigned> searched_;
  mutable unsigned generation_ = 0;
  bool threed_ = false;
};

int tperception::implicithydrogens(int atom) const {
  int bonded = 0;
  for (const tneighbour& n : neighbours_[at(atom)]) {
    bonded += record_.atoms[at(n.atom)].element == 1 ? 1 : 0;
  }
  return std::max(0, record_.atoms[at(atom)].hydrogens - bonded);
}

int tperception::rank(int atom) const {
  if (ranks_.empty()) {
    rankatoms();
  }
  return ranks_[at(atom)];
}

void tperception::rankatoms() const {
  const std::size_t count = record_.atoms.size();
  std::map<std::tuple<int, int, int, int, int>, int> initial;
  ranks_.assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const tatomentry& a = record_.atoms[i];
    auto key = std::make_tuple(
        a.element, static_cast<int>(neighbours_[i].size()),
        implicithydrogens(static_cast<int>(i)), a.charge, a.massnumber);
    ranks_[i] =
        initial.emplace(key, static_cast<int>(initial.size())).first->second;
  }
  std::size_t classes = initial.size();
  // Each round sorts the atoms by their class and the sorted codes of their
  // neighbours, kept in one flat list so that no round allocates per atom.
  std::vector<std::size_t> offsets(count + 1, 0);
  for (std::size_t i = 0; i < count; ++i) {
    offsets[i + 1] = offsets[i] + neighbours_[i].size();
  }
  std::vector<int> codes(offsets[count]);
  std::vector<std::size_t> order(count);
  auto lowerkey = [&](std::size_t a, std::size_t b) {
    if (ranks_[a] != ranks_[b]) {
      return ranks_[a] < ranks_[b];
    }
    return std::lexicographical_compare(
        codes.begin() + static_cast<std::ptrdiff_t>(offsets[a]),
        codes.begin() + static_cast<std::ptrdiff_t>(offsets[a + 1]),
        codes.begin() + static_cast<std::ptrdiff_t>(offsets[b]),
        codes.begin() + static_cast<std::ptrdiff_t>(offsets[b + 1]));
  };
  for (int round = 0; round < mostrounds && classes < count; ++round) {
    for (std::size_t i = 0; i < count; ++i) {
      std::size_t k = offsets[i];
      for (const tneighbour& n : neighbours_[i]) {
        codes[k++] = ranks_[at(n.atom)] * 8 + record_.bonds[at(n.bond)].kind;
      }
      std::sort(codes.begin() + static_cast<std::ptrdiff_t>(offsets[i]),
                codes.begin() + static_cast<std::ptrdiff_t>(offsets[i + 1]));
      order[i] = i;
    }
    std::sort(order.begin(), order.end(), lowerkey);
    std::vector<int> next(count);
    int current = 0;
    for (std::size_t k = 0; k < count; ++k) {
      if (k > 0 && lowerkey(order[k - 1], order[k])) {
        ++current;
      }
      next[order[k]] = current;
    }
    ranks_ = std::move(next);
    const auto found = static_cast<std::size_t>(current) + 1;
    if (found == classes) {
      break;
    }
    classes = found;
  }
}

bool tperception::narrowendat(const tbondentry& bond, int atom) const {
  return (bond.style == tbondstyle::wedge ||
          bond.style == tbondstyle::hashed) &&
         ((bond.atom1 == atom && bond.wideend != 1) ||
          (bond.atom2 == atom && bond.wideend == 1));
}

bool tperception::ringresolved(int atom, int first, int second,
                               int depth) const {
  // Shortest path from first to second around atom, breadth first; the
  // marks of earlier searches are told apart by their generation.
  if (previous_.empty()) {
    previous_.assign(record_.atoms.size(), -1);
    searched_.assign(record_.atoms.size(), 0);
  }
  ++generation_;
  auto reach = [&](int here, int from) {
    if (searched_[at(here)] == generation_) {
      return false;
    }
    searched_[at(here)] = generation_;
    previous_[at(here)] = from;
    return true;
  };
  reach(atom, -1);
  reach(first, -1);
  std::vector<int> frontier{first};
  std::size_t seen = 2;
  for (int level = 0;
       level < mostringsize && !frontier.empty() &&
       searched_[at(second)] != generation_ && seen < mostsearched;
       ++level) {
    std::vector<int> next;
    for (int here : frontier) {
      for (const tneighbour& n : neighbours_[at(here)]) {
        if (reach(n.atom, here)) {
          next.push_back(n.atom);
          ++seen;
        }
      }
    }
    frontier = std::move(next);
  }
  if (searched_[at(second)] != generation_) {
    return false;
  }
  std::vector<int> path;
  for (int here = second; here >= 0; here = previous_[at(here)]) {
    path.push_back(here);
  }
  for (std::size_t k = 0; k < path.size(); ++k) {
    const int here = path[k];
    std::vector<int> off;
    // The ring closes through atom at the two ends of the path; a bond
    // from atom to an atom inside the path is a bridge across the ring, and
    // atom a substituent there (the fusion atoms of decalin).
    const bool end = k == 0 || k + 1 == path.size();
    for (const tneighbour& n : neighbours_[at(here)]) {
      const bool onpath = (end && n.atom == atom) ||
                          (k > 0 && n.atom == path[k - 1]) ||
                          (k + 1 < path.size() && n.atom == path[k + 1]);
      if (!onpath) {
        off.push_back(rank(n.atom));
      }
    }
    // An implicit hydrogen is a substituent of its own kind.
    for (int h = 0; h < implicithydrogens(here); ++h) {
      off.push_back(-1);
    }
    if (off.size() == 2 && off[0] != off[1]) {
      return true;
    }
    // A spiro atom passes the question on to its other ring.
    if (off.size() == 2 && off[0] >= 0 && depth < mostspiros) {
      std::vector<int> pair;
      for (const tneighbour& n : neighbours_[at(here)]) {
        if (n.atom != atom &&
            std::find(path.begin(), path.end(), n.atom) == path.end()) {
          pair.push_back(n.atom);
        }
      }
      if (pair.size() == 2 && ringresolved(here, pair[0], pair[1], depth + 1)) {
        return true;
      }
    }
  }
  return false;
}

bool tperception::stereogenic(int atom, bool judgealike) const {
  const auto& around = neighbours_[at(atom)];
  const int hydrogens = implicithydrogens(atom);
  const std::size_t total = around.size() + static_cast<std::size_t>(hydrogens);
  const int element = record_.atoms[at(atom)].element;
  if (hydrogens > 1 || around.size() < 3 || total > 4) {
    return false;
  }
  // Sulfoxides and phosphine oxides keep their centre.
  for (const tneighbour& n : around) {
    if (record_.bonds[at(n.bond)].kind != 2 && element != 15 && element != 16) {
      return false;
    }
  }
  // Alike substituents make no centre, unless a ring tells them apart.
  for (std::size_t i = 0; judgealike && i < around.size(); ++i) {
    int alike = 0;
    for (std::size_t j = 0; j < around.size(); ++j) {
      if (j != i && rank(around[j].atom) == rank(around[i].atom)) {
        ++alike;
        if (alike > 1 ||
            (j > i && !ringresolved(atom, around[i].atom, around[j].atom))) {
          return false;
        }
      }
    }
  }
  return true;
}

std::optional<ttetrahedralstereo> tperception::centre(int atom) const {
  const auto& around = neighbours_[at(atom)];
  if (!stereogenic(atom)) {
    return std::nullopt;
  }
  ttetrahedralstereo result;
  result.centre = atom;
  std::size_t slot = 0;
  if (around.size() == 3) {
    result.neighbours[slot++] = -1;
  }
  for (const tneighbour& n : around) {
    result.neighbours[slot++] = n.atom;
  }
  if (!threed_) {
    // One reading of wedges for the whole program: the drawn sense.
    std::optional<bool> sense = drawnsense(record_, result);
    if (!sense) {
      return std::nullopt;
    }
    result.anticlockwise = *sense;
    return result;
  }
  // From depth alone, only phosphorus keeps a lone pair as a centre;
  // amines invert.
  if (around.size() == 3 && implicithydrogens(atom) == 0 &&
      record_.atoms[at(atom)].element != 15) {
    return std::nullopt;
  }
  const tvector origin = position(atom);
  std::vector<tvector> directions;
  for (const tneighbour& n : around) {
    tvector d = minus(position(n.atom), origin);
    double length = norm(d);
    if (length <= 0.0) {
      return std::nullopt;
    }
    directions.push_back({d.x / length, d.y / length, d.z / length});
  }
  if (around.size() == 3) {
    // The hydrogen points away from the three bonds.
    tvector sum{};
    for (const tvector& d : directions) {
      sum = {sum.x + d.x, sum.y + d.y, sum.z + d.z};
    }
    directions.insert(directions.begin(), tvector{-sum.x, -sum.y, -sum.z});
  }
  tvector a = minus(directions[1], directions[0]);
  tvector b = minus(directions[2], directions[0]);
  tvector c = minus(directions[3], directions[0]);
  double volume = dot(a, cross(b, c));
  if (std::abs(volume) < 1e-3) {
    return std::nullopt;
  }
  result.anticlockwise = volume < 0.0;
  return result;
}

bool tperception::candidatecentre(int atom) const {
  const auto i = at(atom);
  if (record_.atoms[i].stereomark == tstereomark::unstated) {
    return false;
  }
  if (threed_) {
    const int element = record_.atoms[i].element;
    return element == 6 || element == 7 || element == 14 || element == 15 ||
           element == 16;
  }
  return std::any_of(neighbours_[i].begin(), neighbours_[i].end(),
                     [&](const tneighbour& n) {
                       const tbondentry& bond = record_.bonds[at(n.bond)];
                       return bond.kind == 2 && narrowendat(bond, atom);
                     });
}

void tperception::centres(trecordstereo& stereo) const {
  for (std::size_t i = 0; i < record_.atoms.size(); ++i) {
    const int atom = static_cast<int>(i);
    if (candidatecentre(atom)) {
      if (auto found = centre(atom)) {
        stereo.centres.push_back(*found);
      }
    }
  }
}

bool tperception::smallring(const tbondentry& bond, int index) const {
  // Breadth-first from one end to the other without the bond itself.
  std::map<int, int> depth{{bond.atom1, 0}};
  std::vector<int> frontier{bond.atom1};
  // A path of n bonds closes a ring of n + 1 atoms.
  for (int level = 1; level + 1 < smallestfreering && !frontier.empty();
       ++level) {
    std::vector<int> next;
    for (int atom : frontier) {
      for (const tneighbour& n : neighbours_[at(atom)]) {
        if (n.bond == index) {
          continue;
        }
        if (n.atom == bond.atom2) {
          return true;
        }
        if (depth.emplace(n.atom, level).second) {
          next.push_back(n.atom);
        }
      }
    }
    frontier = std::move(next);
  }
  return false;
}

std::optional<std::pair<int, int>> tperception::references(
    int index, bool judgealike) const {
  const tbondentry& bond = record_.bonds[at(index)];
  if (bond.kind != 4 || bond.delocalised) {
    return std::nullopt;
  }
  // Each end needs one substituent, or two that differ; a singly bonded
  // one is the reference. Carbon with a second double bond (allenes) is
  // left alone; phosphorus and sulfur keep theirs to oxygen.
  auto substituent = [&](int atom, int other) -> int {
    std::vector<int> others;
    int single = -1;
    for (const tneighbour& n : neighbours_[at(atom)]) {
      if (n.atom == other) {
        continue;
      }
      const int kind = record_.bonds[at(n.bond)].kind;
      if (kind != 2 && record_.atoms[at(atom)].element == 6) {
        return -1;
      }
      if (kind == 2 && single < 0) {
        single = n.atom;
      }
      others.push_back(n.atom);
    }
    if (single < 0 || others.size() > 2 ||
        (judgealike && others.size() == 2 &&
         rank(others[0]) == rank(others[1]))) {
      return -1;
    }
    return single;
  };
  const int first = substituent(bond.atom1, bond.atom2);
  const int second = substituent(bond.atom2, bond.atom1);
  if (first < 0 || second < 0 || smallring(bond, index)) {
    return std::nullopt;
  }
  return std::pair{first, second};
}

void tperception::doublebonds(trecordstereo& stereo) const {
  for (std::size_t b = 0; b < record_.bonds.size(); ++b) {
    const tbondentry& bond = record_.bonds[b];
    if (bond.stereomark == tstereomark::unstated) {
      continue;
    }
    const auto found = references(static_cast<int>(b));
    if (!found) {
      continue;
    }
    const auto [first, second] = *found;
    const tvector a = position(bond.atom1);
    const tvector axis = minus(position(bond.atom2), a);
    const double length = norm(axis);
    if (length <= 0.0) {
      continue;
    }
    auto across = [&](int substituentatom, int end) {
      tvector d = minus(position(substituentatom), position(end));
      double along = dot(d, axis) / (length * length);
      return tvector{d.x - along * axis.x, d.y - along * axis.y,
                     d.z - along * axis.z};
    };
    const tvector p = across(first, bond.atom1);
    const tvector q = across(second, bond.atom2);
    const double np = norm(p);
    const double nq = norm(q);
    if (np < 0.05 * length || nq < 0.05 * length) {
      continue;
    }
    // A bond left as drawn states a side only when its substituents lean
    // clearly to it. One the drawing states keeps the side they lean to,
    // however little: a model's start (a random kick, a distance-geometry
    // guess) may stand it nearly upright, and its statement is all the
    // coordinates still hold of the configuration.
    const double cosine = dot(p, q) / (np * nq);
    const bool stated = bond.stereomark == tstereomark::stated;
    if (stated ? cosine == 0.0 : std::abs(cosine) < 0.1) {
      continue;
    }
    stereo.doublebonds.push_back(
        {static_cast<int>(b), first, second, cosine > 0.0});
  }
}

}  // namespace

trecordstereo perceivestereo(const tmoleculerecord& record) {
  trecordstereo stereo;
  tperception perception(record);
  perception.centres(stereo);
  perception.doublebonds(stereo);
  return stereo;
}

int parityof(const ttetrahedralstereo& centre) {
  // The implicit hydrogen counts as the highest position.
  std::array<long, 4> order{};
  for (std::size_t k = 0; k < 4; ++k) {
    order[k] = centre.neighbours[k] < 0 ? std::numeric_limits<long>::max()
                                        : centre.neighbours[k];
  }
  // Swaps that sort the neighbours into (highest, 1, 2, 3).
  std::array<long, 4> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  const std::array<long, 4> wanted{sorted[3], sorted[0], sorted[1], sorted[2]};
  bool even = true;
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t j = i + 1; j < 4 && order[i] != wanted[i]; ++j) {
      if (order[j] == wanted[i]) {
        std::swap(order[i], order[j]);
        even = !even;
      }
    }
  }
  // Anticlockwise seen from the highest neighbour is clockwise with it
  // pointing away.
  return centre.anticlockwise == even ? 1 : 2;
}

tstereocandidates stereocandidates(const tmoleculerecord& record) {
  tstereocandidates candidates;
  tperception perception(record);
  candidates.centres.resize(record.atoms.size(), false);
  candidates.doublebonds.resize(record.bonds.size(), false);
  for (std::size_t i = 0; i < record.atoms.size(); ++i) {
    const int element = record.atoms[i].element;
    candidates.centres[i] = (element == 6 || element == 7 || element == 14 ||
                             element == 15 || element == 16) &&
                            perception.stereogenic(static_cast<int>(i), false);
  }
  for (std::size_t b = 0; b < record.bonds.size(); ++b) {
    candidates.doublebonds[b] =
        perception.references(static_cast<int>(b), false).has_value();
  }
  return candidates;
}

}  // namespace molvane
