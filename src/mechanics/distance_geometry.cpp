// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Starts for the force field built from the connectivity: distance bounds
// met by descent in four dimensions, then three.
#include "mechanics/distance_geometry.h"

#include "chemistry/stereo_lift.h"
#include "mechanics/chirality_term.h"
#include "mechanics/collective_descent.h"
#include "mechanics/force_field.h"
#include "model/atom.h"
#include "model/element_data.h"
#include "model/vector3.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <unordered_map>

namespace molvane {

namespace {

constexpr int dimensions = 4;
/// Slack of the bounds, Å: bonds are held tightly, angles a little less.
constexpr double bondslack = 0.01;
constexpr double angleslack = 0.04;
constexpr double torsionslack = 0.05;
/// Atoms further apart than three bonds stay at least this far beyond the
/// sum of their covalent radii, Å.
constexpr double floormargin = 0.8;
/// The clash rule: closer than this share of the sum of covalent radii.
constexpr double clashshare = 0.8;
/// A stated centre's volume, over the product of its bond lengths, stays
/// above this (an ideal tetrahedron spans about 0.77).
constexpr double volumefloor = 0.4;
/// How many times a start that clashes or breaks stereo is built again.
constexpr int attempts = 6;

enum class tkind : std::uint8_t { none, bond, angle, torsion };

struct tbound {
  std::int32_t a = 0;
  std::int32_t b = 0;
  tkind kind = tkind::none;
  double lower2 = 0.0;  ///< squared, Å²
  double upper2 = 0.0;
};

/// The signed volume n1, n2, n3 span around centre, kept above floor.
struct tvolume {
  std::array<std::int32_t, 4> atoms{};
  double sense = 1.0;
  double floor = 0.0;  ///< Å³
};

struct tproblem {
  std::size_t n = 0;
  std::vector<tbound> bounds;
  /// Per atom, sorted, the atoms a bound already covers (the floor skips
  /// them).
  std::vector<std::vector<std::int32_t>> covered;
  std::vector<double> radius;  ///< covalent, Å
  std::vector<tvolume> volumes;
  /// Weight of the fourth coordinate's pull to zero (0: free).
  double flatten = 0.0;
};

std::uint64_t pairkey(std::int32_t a, std::int32_t b) {
  if (a > b) {
    std::swap(a, b);
  }
  return (static_cast<std::uint64_t>(a) << 32) | static_cast<std::uint32_t>(b);
}

/// Distance from a to d across b-c at torsion φ (0: cis).
double across(double ab, double bc, double cd, double abc, double bcd,
              double phi) {
  const TXYZ a{ab * std::cos(abc), ab * std::sin(abc), 0.0};
  const TXYZ d{bc - cd * std::cos(bcd), cd * std::sin(bcd) * std::cos(phi),
               cd * std::sin(bcd) * std::sin(phi)};
  return detail::norm(detail::minus(d, a));
}

class tbuilder {
 public:
  tbuilder(tforcefield& field, const std::vector<tchirality>& stereo)
      : field_(field), stereo_(stereo) {}

  tproblem build() {
    tproblem problem;
    const std::size_t n = field_.atoms().size();
    problem.n = n;
    neighbours_.assign(n, {});
    const double scale = field_.angstromperunit();
    for (const tstretch& term : field_.stretches()) {
      const std::int32_t a = term.atoms[0];
      const std::int32_t b = term.atoms[1];
      const double r0 = scale / term.inverselength;
      if (!add(a, b, tkind::bond, r0 - bondslack, r0 + bondslack)) {
        continue;
      }
      lengths_[pairkey(a, b)] = r0;
      neighbours_[static_cast<std::size_t>(a)].push_back(b);
      neighbours_[static_cast<std::size_t>(b)].push_back(a);
    }
    for (const tangle& term : field_.bends()) {
      const std::int32_t a = term.atoms[0];
      const std::int32_t b = term.atoms[1];
      const std::int32_t c = term.atoms[2];
      if (term.ideal <= 0.0) {
        continue;
      }
      angles_[anglekey(a, c, b)] = term.ideal;
      const double ra = length(a, c);
      const double rb = length(b, c);
      const double d = std::sqrt(std::max(
          0.0, ra * ra + rb * rb - 2.0 * ra * rb * std::cos(term.ideal)));
      add(a, b, tkind::angle, d - angleslack, d + angleslack);
    }
    addtorsions();
    addstereo(problem);
    problem.covered.assign(n, {});
    problem.bounds.reserve(bounds_.size());
    for (const auto& [key, bound] : bounds_) {
      problem.bounds.push_back(bound);
      problem.covered[static_cast<std::size_t>(bound.a)].push_back(bound.b);
      problem.covered[static_cast<std::size_t>(bound.b)].push_back(bound.a);
    }
    // The same order whatever the hash map did, so that a seed gives one
    // start.
    std::sort(problem.bounds.begin(), problem.bounds.end(),
              [](const tbound& x, const tbound& y) {
                return pairkey(x.a, x.b) < pairkey(y.a, y.b);
              });
    for (auto& list : problem.covered) {
      std::sort(list.begin(), list.end());
    }
    for (const tatm* atom : field_.atoms()) {
      problem.radius.push_back(radiusof(atom->element));
    }
    return problem;
  }

 private:
  /// Sets the bound of a pair unless a closer relation already has one.
  bool add(std::int32_t a, std::int32_t b, tkind kind, double lower,
           double upper) {
    if (a == b) {
      return false;
    }
    tbound& bound = bounds_[pairkey(a, b)];
    if (bound.kind != tkind::none && bound.kind <= kind) {
      return false;
    }
    lower = std::max(lower, 0.1);
    upper = std::max(upper, lower);
    bound = {std::min(a, b), std::max(a, b), kind, lower * lower,
             upper * upper};
    return true;
  }

  std::uint64_t anglekey(std::int32_t a, std::int32_t centre,
                         std::int32_t b) const {
    return pairkey(a, b) * 131u + static_cast<std::uint64_t>(centre);
  }

  double length(std::int32_t a, std::int32_t b) const {
    const auto found = lengths_.find(pairkey(a, b));
    return found == lengths_.end() ? 1.5 : found->second;
  }

  double angle(std::int32_t a, std::int32_t centre, std::int32_t b) const {
    const auto found = angles_.find(anglekey(a, centre, b));
    return found == angles_.end() ? 109.47 * std::numbers::pi / 180.0
                                  : found->second;
  }

  /// The cis and trans distances of a-b-c-d.
  std::pair<double, double> torsionrange(std::int32_t a, std::int32_t b,
                                         std::int32_t c, std::int32_t d) const {
    const double ab = length(a, b);
    const double bc = length(b, c);
    const double cd = length(c, d);
    const double abc = angle(a, b, c);
    const double bcd = angle(b, c, d);
    return {across(ab, bc, cd, abc, bcd, 0.0),
            across(ab, bc, cd, abc, bcd, std::numbers::pi)};
  }

  void addtorsions() {
    for (const tstretch& term : field_.stretches()) {
      const std::int32_t b = term.atoms[0];
      const std::int32_t c = term.atoms[1];
      for (std::int32_t a : neighbours_[static_cast<std::size_t>(b)]) {
        for (std::int32_t d : neighbours_[static_cast<std::size_t>(c)]) {
          if (a == c || d == b || a == d) {
            continue;
          }
          const auto [cis, trans] = torsionrange(a, b, c, d);
          add(a, d, tkind::torsion, std::min(cis, trans) - torsionslack,
              std::max(cis, trans) + torsionslack);
        }
      }
    }
  }

  void addstereo(tproblem& problem) {
    for (const tchirality& term : stereo_) {
      const auto& at = term.atoms;
      if (term.doublebond) {
        // The substituents' distance across the bond pins its side.
        const auto [cis, trans] = torsionrange(at[0], at[1], at[2], at[3]);
        const double target = term.sense > 0.0 ? cis : trans;
        tbound& bound = bounds_[pairkey(at[0], at[3])];
        if (bound.kind == tkind::torsion || bound.kind == tkind::none) {
          bound = {std::min(at[0], at[3]), std::max(at[0], at[3]),
                   tkind::torsion, std::pow(target - torsionslack, 2),
                   std::pow(target + torsionslack, 2)};
        }
        continue;
      }
      tvolume volume;
      volume.atoms = at;
      volume.sense = term.sense;
      volume.floor = volumefloor * length(at[0], at[3]) * length(at[1], at[3]) *
                     length(at[2], at[3]);
      problem.volumes.push_back(volume);
    }
  }

  tforcefield& field_;
  const std::vector<tchirality>& stereo_;
  std::vector<std::vector<std::int32_t>> neighbours_;
  std::unordered_map<std::uint64_t, tbound> bounds_;
  std::unordered_map<std::uint64_t, double> lengths_;
  std::unordered_map<std::uint64_t, double> angles_;
};

/// Error of a squared distance against its bounds, and its slope by d².
inline double boundserror(double d2, double lower2, double upper2,
                          double& slope) {
  if (d2 > upper2) {
    const double e = d2 / upper2 - 1.0;
    slope = 2.0 * e / upper2;
    return e * e;
  }
  if (d2 < lower2) {
    const double s = lower2 + d2;
    const double e = 2.0 * lower2 / s - 1.0;
    slope = -4.0 * e * lower2 / (s * s);
    return e * e;
  }
  slope = 0.0;
  return 0.0;
}

/// Adds the pair error of atoms i and j (4D positions in x) to g.
inline double pairerror(std::span<const double> x, std::span<double> g,
                        std::size_t i, std::size_t j, double lower2,
                        double upper2) {
  double delta[dimensions];
  double d2 = 0.0;
  for (int k = 0; k < dimensions; ++k) {
    delta[k] = x[i * dimensions + k] - x[j * dimensions + k];
    d2 += delta[k] * delta[k];
  }
  double slope = 0.0;
  const double e = boundserror(d2, lower2, upper2, slope);
  if (slope != 0.0 && !g.empty()) {
    for (int k = 0; k < dimensions; ++k) {
      g[i * dimensions + k] += 2.0 * slope * delta[k];
      g[j * dimensions + k] -= 2.0 * slope * delta[k];
    }
  }
  return e;
}

TXYZ pointat(std::span<const double> x, std::int32_t atom) {
  const auto i = static_cast<std::size_t>(atom) * dimensions;
  return {x[i], x[i + 1], x[i + 2]};
}

void addto(std::span<double> g, std::int32_t atom, const TXYZ& v,
           double factor) {
  const auto i = static_cast<std::size_t>(atom) * dimensions;
  g[i] += factor * v.x;
  g[i + 1] += factor * v.y;
  g[i + 2] += factor * v.z;
}

double errorof(const tproblem& p, std::span<const double> x,
               std::span<double> g) {
  if (!g.empty()) {
    std::fill(g.begin(), g.end(), 0.0);
  }
  double total = 0.0;
  for (const tbound& bound : p.bounds) {
    total += pairerror(x, g, static_cast<std::size_t>(bound.a),
                       static_cast<std::size_t>(bound.b), bound.lower2,
                       bound.upper2);
  }
  constexpr double unbounded = 1e30;
  for (std::size_t i = 0; i < p.n; ++i) {
    const auto& skip = p.covered[i];
    auto next = std::upper_bound(skip.begin(), skip.end(),
                                 static_cast<std::int32_t>(i));
    for (std::size_t j = i + 1; j < p.n; ++j) {
      if (next != skip.end() && static_cast<std::size_t>(*next) == j) {
        ++next;
        continue;
      }
      const double floor = p.radius[i] + p.radius[j] + floormargin;
      total += pairerror(x, g, i, j, floor * floor, unbounded);
    }
  }
  for (const tvolume& v : p.volumes) {
    const TXYZ centre = pointat(x, v.atoms[3]);
    const TXYZ a = detail::minus(pointat(x, v.atoms[0]), centre);
    const TXYZ b = detail::minus(pointat(x, v.atoms[1]), centre);
    const TXYZ c = detail::minus(pointat(x, v.atoms[2]), centre);
    const double missing =
        v.floor - v.sense * detail::dot(a, detail::cross(b, c));
    if (missing <= 0.0) {
      continue;
    }
    total += missing * missing;
    if (!g.empty()) {
      const double f = -2.0 * missing * v.sense;
      const TXYZ da = detail::cross(b, c);
      const TXYZ db = detail::cross(c, a);
      const TXYZ dc = detail::cross(a, b);
      addto(g, v.atoms[0], da, f);
      addto(g, v.atoms[1], db, f);
      addto(g, v.atoms[2], dc, f);
      addto(g, v.atoms[3], detail::plus(detail::plus(da, db), dc), -f);
    }
  }
  if (p.flatten > 0.0) {
    for (std::size_t i = 0; i < p.n; ++i) {
      const double w = x[i * dimensions + 3];
      total += p.flatten * w * w;
      if (!g.empty()) {
        g[i * dimensions + 3] += 2.0 * p.flatten * w;
      }
    }
  }
  return total;
}

void descendfor(const tproblem& problem, std::vector<double>& x,
                int iterations) {
  tdescentproblem descent;
  descent.evaluate = [&problem](std::span<const double> at,
                                std::span<double> g) {
    return errorof(problem, at, g);
  };
  tdescentlimits limits;
  limits.iterations = iterations;
  limits.largeststep = 0.5;
  // A start only has to be clash-free and hold the stated stereo; the
  // force field finishes the shape, so meeting the bounds more tightly
  // than this only costs iterations.
  limits.gradient = 1e-3;
  (void)descend(descent, x, limits);
}

int wrongstereo(const std::vector<tchirality>& stereo,
                const std::vector<double>& xyz) {
  int wrong = 0;
  auto at = [&xyz](std::int32_t atom) {
    const auto i = static_cast<std::size_t>(atom) * 3;
    return TXYZ{xyz[i], xyz[i + 1], xyz[i + 2]};
  };
  for (const tchirality& term : stereo) {
    if (!(chiralityvalue(term, at(term.atoms[0]), at(term.atoms[1]),
                         at(term.atoms[2]), at(term.atoms[3])) > 0.0)) {
      ++wrong;
    }
  }
  return wrong;
}

}  // namespace

int countstartclashes(tforcefield& field, const std::vector<double>& xyz) {
  const std::vector<tatm*>& atoms = field.atoms();
  std::vector<std::vector<std::int32_t>> bonded(atoms.size());
  for (const tstretch& term : field.stretches()) {
    bonded[static_cast<std::size_t>(term.atoms[0])].push_back(term.atoms[1]);
    bonded[static_cast<std::size_t>(term.atoms[1])].push_back(term.atoms[0]);
  }
  const double scale = field.angstromperunit();
  int count = 0;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const double dx = xyz[3 * i] - xyz[3 * j];
      const double dy = xyz[3 * i + 1] - xyz[3 * j + 1];
      const double dz = xyz[3 * i + 2] - xyz[3 * j + 2];
      const double limit =
          clashshare *
          (radiusof(atoms[i]->element) + radiusof(atoms[j]->element)) / scale;
      if (dx * dx + dy * dy + dz * dz < limit * limit &&
          std::find(bonded[i].begin(), bonded[i].end(),
                    static_cast<std::int32_t>(j)) == bonded[i].end()) {
        ++count;
      }
    }
  }
  return count;
}

tgeometrystart buildgeometrystart(tforcefield& field,
                                  const tstatedstereo& stereo,
                                  std::uint64_t seed) {
  tgeometrystart best;
  std::unordered_map<const tatm*, std::int32_t> indexof;
  for (std::size_t i = 0; i < field.atoms().size(); ++i) {
    indexof.emplace(field.atoms()[i], static_cast<std::int32_t>(i));
  }
  std::vector<tchirality> restraints;
  const auto known = [&indexof](const tatm* atom) {
    return atom == nullptr || indexof.contains(atom);
  };
  tstatedstereo held;
  for (const tstatedcentre& centre : stereo.centres) {
    if (known(centre.centre) && std::all_of(centre.neighbours.begin(),
                                            centre.neighbours.end(), known)) {
      held.centres.push_back(centre);
    }
  }
  for (const tstatedbond& bond : stereo.doublebonds) {
    if (known(bond.end1) && known(bond.end2) && known(bond.neighbour1) &&
        known(bond.neighbour2) && bond.neighbour1 != nullptr &&
        bond.neighbour2 != nullptr) {
      held.doublebonds.push_back(bond);
    }
  }
  restraints = chiralityterms(held, indexof);
  tproblem problem = tbuilder(field, restraints).build();
  const std::size_t n = problem.n;
  if (n == 0) {
    return best;
  }
  const double scale = field.angstromperunit();
  std::mt19937_64 random(seed);
  const double side = std::max(3.0, 2.0 * std::cbrt(static_cast<double>(n)));
  std::uniform_real_distribution<double> place(-0.5 * side, 0.5 * side);
  for (int attempt = 0; attempt < attempts; ++attempt) {
    std::vector<double> x(n * dimensions);
    for (double& value : x) {
      value = place(random);
    }
    problem.flatten = 0.0;
    descendfor(problem, x, 400);
    problem.flatten = 1.0;
    descendfor(problem, x, 300);
    for (std::size_t i = 0; i < n; ++i) {
      x[i * dimensions + 3] = 0.0;
    }
    problem.flatten = 100.0;
    descendfor(problem, x, 300);
    tgeometrystart start;
    start.xyz.resize(3 * n);
    TXYZ middle{};
    for (std::size_t i = 0; i < n; ++i) {
      middle = detail::plus(middle, pointat(x, static_cast<std::int32_t>(i)));
    }
    middle = detail::times(middle, 1.0 / static_cast<double>(n));
    for (std::size_t i = 0; i < n; ++i) {
      const TXYZ p =
          detail::minus(pointat(x, static_cast<std::int32_t>(i)), middle);
      start.xyz[3 * i] = p.x / scale;
      start.xyz[3 * i + 1] = p.y / scale;
      start.xyz[3 * i + 2] = p.z / scale;
    }
    start.clashes = countstartclashes(field, start.xyz);
    start.wrongstereo = wrongstereo(restraints, start.xyz);
    if (best.xyz.empty() ||
        start.clashes + start.wrongstereo < best.clashes + best.wrongstereo) {
      best = std::move(start);
    }
    if (best.clashes == 0 && best.wrongstereo == 0) {
      break;
    }
  }
  return best;
}

}  // namespace molvane
