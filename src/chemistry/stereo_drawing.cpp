// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/stereo_drawing.h"

#include "chemistry/record_rings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

namespace molvane {
namespace {

/// Bonds of each atom as (neighbour, bond position).
using tadjacency = std::vector<std::vector<std::pair<int, int>>>;

tadjacency adjacencyof(const tmoleculerecord& record) {
  tadjacency adjacency(record.atoms.size());
  for (std::size_t i = 0; i < record.bonds.size(); ++i) {
    const tbondentry& bond = record.bonds[i];
    adjacency[static_cast<std::size_t>(bond.atom1)].emplace_back(
        bond.atom2, static_cast<int>(i));
    adjacency[static_cast<std::size_t>(bond.atom2)].emplace_back(
        bond.atom1, static_cast<int>(i));
  }
  return adjacency;
}

double cross(double ax, double ay, double bx, double by) {
  return ax * by - ay * bx;
}

/// Which side of the line from a to b the point p lies on: +1, -1, or 0
/// when it is (nearly) on the line.
int sideof(tflatpoint a, tflatpoint b, tflatpoint p) {
  double length = std::hypot(b.x - a.x, b.y - a.y);
  double distance = std::hypot(p.x - a.x, p.y - a.y);
  double turn = cross(b.x - a.x, b.y - a.y, p.x - a.x, p.y - a.y);
  if (!(std::abs(turn) > 1e-3 * length * distance)) {
    return 0;
  }
  return turn > 0 ? 1 : -1;
}

tflatpoint pointof(const tatomentry& atom) { return {atom.x, atom.y}; }

/// Position of a neighbour around a centre as the drawing suggests it in
/// space: unit length in the plane, raised towards the viewer by a wedge
/// and lowered by a hashed bond that starts at the centre.
std::array<double, 3> spatialdirection(const tmoleculerecord& record,
                                       int centre, int neighbour,
                                       tbondstyle style) {
  const tatomentry& c = record.atoms[static_cast<std::size_t>(centre)];
  const tatomentry& n = record.atoms[static_cast<std::size_t>(neighbour)];
  double dx = n.x - c.x;
  double dy = n.y - c.y;
  double length = std::hypot(dx, dy);
  if (length > 0) {
    dx /= length;
    dy /= length;
  }
  double dz = style == tbondstyle::wedge    ? 1.0
              : style == tbondstyle::hashed ? -1.0
                                            : 0.0;
  return {dx, dy, dz};
}

/// Style of the bond from centre to neighbour as seen from the centre:
/// wedge or hashed when its narrow end is at the centre, else normal.
tbondstyle stylefrom(const tbondentry& bond, int centre) {
  bool narrowatcentre = (bond.atom1 == centre && bond.wideend == 2) ||
                        (bond.atom2 == centre && bond.wideend == 1);
  return narrowatcentre ? bond.style : tbondstyle::normal;
}

}  // namespace

bool statedfits(const tmoleculerecord& record,
                const tdoublebondstereo& stated) {
  if (stated.bond < 0 ||
      static_cast<std::size_t>(stated.bond) >= record.bonds.size()) {
    return false;
  }
  const tbondentry& bond = record.bonds[static_cast<std::size_t>(stated.bond)];
  auto bonded = [&record](int a, int b) {
    return std::any_of(record.bonds.begin(), record.bonds.end(),
                       [a, b](const tbondentry& other) {
                         return (other.atom1 == a && other.atom2 == b) ||
                                (other.atom1 == b && other.atom2 == a);
                       });
  };
  return bond.kind == 4 && stated.neighbour1 != bond.atom2 &&
         stated.neighbour2 != bond.atom1 &&
         bonded(bond.atom1, stated.neighbour1) &&
         bonded(bond.atom2, stated.neighbour2);
}

bool statedfits(const tmoleculerecord& record,
                const ttetrahedralstereo& centre) {
  if (centre.centre < 0 ||
      static_cast<std::size_t>(centre.centre) >= record.atoms.size()) {
    return false;
  }
  int implicit = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    int n = centre.neighbours[k];
    if (n < 0) {
      ++implicit;
      continue;
    }
    for (std::size_t j = 0; j < k; ++j) {
      if (centre.neighbours[j] == n) {
        return false;
      }
    }
    bool bonded = std::any_of(
        record.bonds.begin(), record.bonds.end(), [&](const tbondentry& b) {
          return (b.atom1 == centre.centre && b.atom2 == n) ||
                 (b.atom2 == centre.centre && b.atom1 == n);
        });
    if (!bonded) {
      return false;
    }
  }
  return implicit <= 1;
}

std::optional<bool> drawnsense(const tmoleculerecord& record,
                               const ttetrahedralstereo& centre) {
  if (!statedfits(record, centre)) {
    return std::nullopt;
  }
  std::array<std::array<double, 3>, 4> at{};
  double lift = 0.0;
  int implicit = -1;
  for (std::size_t k = 0; k < 4; ++k) {
    int n = centre.neighbours[k];
    if (n < 0) {
      implicit = static_cast<int>(k);
      continue;
    }
    tbondstyle style = tbondstyle::normal;
    for (const tbondentry& bond : record.bonds) {
      if ((bond.atom1 == centre.centre && bond.atom2 == n) ||
          (bond.atom2 == centre.centre && bond.atom1 == n)) {
        style = stylefrom(bond, centre.centre);
      }
    }
    at[k] = spatialdirection(record, centre.centre, n, style);
    lift += at[k][2];
  }
  if (lift == 0.0 && implicit >= 0) {
    return std::nullopt;
  }
  if (implicit >= 0) {
    // The hydrogen (or lone pair) points away from the three bonds: behind
    // them when they spread round the centre, into the open side of the
    // plane when they crowd into one half of it, as other programs read
    // such drawings too.
    std::array<double, 3> away{0.0, 0.0, 0.0};
    for (std::size_t k = 0; k < 4; ++k) {
      if (static_cast<int>(k) != implicit) {
        for (std::size_t d = 0; d < 3; ++d) {
          away[d] -= at[k][d];
        }
      }
    }
    at[static_cast<std::size_t>(implicit)] = away;
  }
  auto minus = [](const std::array<double, 3>& a,
                  const std::array<double, 3>& b) {
    return std::array<double, 3>{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
  };
  auto a = minus(at[1], at[0]);
  auto b = minus(at[2], at[0]);
  auto c = minus(at[3], at[0]);
  double volume = a[0] * (b[1] * c[2] - b[2] * c[1]) -
                  a[1] * (b[0] * c[2] - b[2] * c[0]) +
                  a[2] * (b[0] * c[1] - b[1] * c[0]);
  if (!(std::abs(volume) > 1e-6)) {
    return std::nullopt;
  }
  // Anticlockwise seen from the first neighbour gives a negative volume.
  return volume < 0;
}

std::optional<bool> drawncis(const tmoleculerecord& record,
                             const tdoublebondstereo& stated) {
  if (!statedfits(record, stated)) {
    return std::nullopt;
  }
  const tbondentry& bond = record.bonds[static_cast<std::size_t>(stated.bond)];
  auto point = [&record](int atom) {
    return pointof(record.atoms[static_cast<std::size_t>(atom)]);
  };
  tflatpoint a = point(bond.atom1), b = point(bond.atom2);
  int side1 = sideof(a, b, point(stated.neighbour1));
  int side2 = sideof(a, b, point(stated.neighbour2));
  if (side1 == 0 || side2 == 0) {
    return std::nullopt;
  }
  return side1 == side2;
}

void turndoublebonds(const tmoleculerecord& part, const trecordstereo& stereo,
                     std::vector<tflatpoint>& points,
                     std::vector<std::string>& notices) {
  if (stereo.doublebonds.empty()) {
    return;
  }
  const tadjacency adjacency = adjacencyof(part);
  const std::vector<bool> inring = ringbonds(part);
  for (const tdoublebondstereo& stated : stereo.doublebonds) {
    if (!statedfits(part, stated)) {
      continue;
    }
    const tbondentry& bond = part.bonds[static_cast<std::size_t>(stated.bond)];
    auto p = [&points](int atom) {
      return points[static_cast<std::size_t>(atom)];
    };
    int side1 = sideof(p(bond.atom1), p(bond.atom2), p(stated.neighbour1));
    int side2 = sideof(p(bond.atom1), p(bond.atom2), p(stated.neighbour2));
    if (side1 != 0 && side2 != 0 && (side1 == side2) == stated.cis) {
      continue;
    }
    if (inring[static_cast<std::size_t>(stated.bond)] || side1 == 0 ||
        side2 == 0) {
      notices.push_back("the double bond between atoms " +
                        std::to_string(bond.atom1 + 1) + " and " +
                        std::to_string(bond.atom2 + 1) +
                        " cannot be drawn with its stated geometry");
      continue;
    }
    // Mirror everything on the far side of the bond in the bond's line.
    std::vector<bool> far(points.size(), false);
    std::vector<int> queue{bond.atom2};
    far[static_cast<std::size_t>(bond.atom2)] = true;
    while (!queue.empty()) {
      int atom = queue.back();
      queue.pop_back();
      for (auto [next, via] : adjacency[static_cast<std::size_t>(atom)]) {
        if (via != stated.bond && !far[static_cast<std::size_t>(next)]) {
          far[static_cast<std::size_t>(next)] = true;
          queue.push_back(next);
        }
      }
    }
    const tflatpoint a = p(bond.atom1), b = p(bond.atom2);
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (!far[i]) {
        continue;
      }
      double t =
          ((points[i].x - a.x) * dx + (points[i].y - a.y) * dy) / length2;
      double fx = a.x + t * dx, fy = a.y + t * dy;
      points[i] = {2 * fx - points[i].x, 2 * fy - points[i].y};
    }
  }
}

void placewedges(tmoleculerecord& record, const trecordstereo& stereo) {
  for (tbondentry& bond : record.bonds) {
    if (bond.style == tbondstyle::wedge || bond.style == tbondstyle::hashed) {
      bond.style = tbondstyle::normal;
      bond.wideend = 2;
    }
  }
  if (stereo.centres.empty()) {
    return;
  }
  const tadjacency adjacency = adjacencyof(record);
  const std::vector<bool> inring = ringbonds(record);
  std::vector<bool> iscentre(record.atoms.size(), false);
  for (const ttetrahedralstereo& centre : stereo.centres) {
    if (statedfits(record, centre)) {
      iscentre[static_cast<std::size_t>(centre.centre)] = true;
    }
  }
  for (const ttetrahedralstereo& centre : stereo.centres) {
    if (!statedfits(record, centre)) {
      record.notices.push_back(
          "a stated stereo centre names atoms that are "
          "not its neighbours; it is not drawn");
      continue;
    }
    // The free single bonds, best first; the first whose wedge shows the
    // centre in this layout is taken (with neighbours in a line, a wedge on
    // one bond can leave the sense open where one on another shows it).
    std::vector<std::pair<int, int>> candidates;  // score, bond
    for (auto [next, via] :
         adjacency[static_cast<std::size_t>(centre.centre)]) {
      const tbondentry& bond = record.bonds[static_cast<std::size_t>(via)];
      if (bond.kind != 2 || bond.delocalised ||
          bond.style != tbondstyle::normal) {
        continue;
      }
      auto n = static_cast<std::size_t>(next);
      int score = (inring[static_cast<std::size_t>(via)] ? 0 : 4) +
                  (record.atoms[n].element == 1 ? 2 : 0) +
                  (iscentre[n] ? 0 : 8);
      candidates.emplace_back(score, via);
    }
    if (candidates.empty()) {
      record.notices.push_back("the stereo centre at atom " +
                               std::to_string(centre.centre + 1) +
                               " has no free single bond to show it");
      continue;
    }
    // Stable, so bonds of equal score keep the order of the bond list.
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const auto& a, const auto& b) { return a.first > b.first; });
    tbondentry* chosen = nullptr;
    std::optional<bool> shown;
    for (auto [score, via] : candidates) {
      tbondentry& bond = record.bonds[static_cast<std::size_t>(via)];
      bond.style = tbondstyle::wedge;
      bond.wideend = bond.atom1 == centre.centre ? 2 : 1;
      shown = drawnsense(record, centre);
      if (shown) {
        chosen = &bond;
        break;
      }
      bond.style = tbondstyle::normal;
      bond.wideend = 2;
    }
    if (chosen == nullptr) {
      record.notices.push_back("the stereo centre at atom " +
                               std::to_string(centre.centre + 1) +
                               " has its neighbours in a line and is not "
                               "drawn");
      continue;
    }
    tbondentry& bond = *chosen;
    if (*shown != centre.anticlockwise) {
      bond.style = tbondstyle::hashed;
    }
  }
}

}  // namespace molvane
