// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/hydrogens.h"

#include "chemistry/branch_position.h"
#include "chemistry/build_geometry.h"
#include "chemistry/stereo_lift.h"
#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "support/units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <memory>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace molvane {

namespace {

constexpr double radiansperdegree = std::numbers::pi / 180.0;
/// Half the tetrahedral angle.
constexpr double halftetrahedral = 54.73561032 * radiansperdegree;
constexpr int singlebond = 2;
/// A centre whose neighbour directions have a dot product at least this
/// large in size is taken as linear.
constexpr double nearlycollinear = 0.996;

bool inranges(int e, std::initializer_list<std::pair<int, int>> ranges) {
  return std::any_of(ranges.begin(), ranges.end(), [e](const auto& range) {
    return e >= range.first && e <= range.second;
  });
}

using detail::cross;
using detail::dot;
using detail::minus;
using detail::norm;
using detail::plus;
using detail::pointof;
using detail::times;
using detail::unit;

bool iszero(const TXYZ& a) { return a.x == 0.0 && a.y == 0.0 && a.z == 0.0; }

/// L, the length of one standard bond of drawing, in drawing units.
double standardlength(const tdrawing& drawing) {
  return drawing.geometry().bondlength;
}

/// From the atom to its i-th neighbour of the last neighbour search.
TXYZ towardsneighbour(const tatm& atom, int i) {
  const tatm* other = atom.neighbour(i);
  return other != nullptr ? minus(pointof(*other), pointof(atom)) : TXYZ{};
}

/// Creates a hydrogen at place bonded to atom. Structures that list the
/// atom list the hydrogen and its bond too, so it moves and goes with them.
/// A place on top of the atom (degenerate geometry) gets nothing.
tatm* attachhydrogen(tdrawing& drawing, tatm& atom, const TXYZ& place) {
  double tooclose = 1e-6 * standardlength(drawing);
  if (!(norm(minus(place, pointof(atom))) > tooclose)) {
    return nullptr;
  }
  tatm* hydrogen = drawing.addatom(
      std::make_unique<tatm>(1, symbollabel, place.x, place.y, place.z));
  tbond* bond = drawing.addbond(std::make_unique<tbond>(
      &atom, 0, tbondstyle::normal, singlebond, hydrogen));
  for (tStructure* structure : drawing.structures) {
    if (structure->positionof(&atom) >= 0) {
      structure->atoms.add(hydrogen);
      structure->bonds.add(bond);
    }
  }
  return hydrogen;
}

int attachall(tdrawing& drawing, tatm& atom, const std::vector<TXYZ>& places) {
  int added = 0;
  for (const TXYZ& place : places) {
    if (attachhydrogen(drawing, atom, place) != nullptr) {
      ++added;
    }
  }
  return added;
}

/// Where the next flat hydrogen of atom goes when aimed along (dx, dy) by
/// the branch rules. An aim along a bond can put it onto a neighbour (a
/// centre between two neighbours in a line); then the aim turns a quarter
/// turn either way, and at last round. length is L.
std::optional<TXYZ> flatplace(tatm& atom, double dx, double dy, double length) {
  const std::array<std::array<double, 2>, 4> aims = {
      {{dx, dy}, {-dy, dx}, {dy, -dx}, {-dx, -dy}}};
  double tooclose = 0.1 * length;
  for (const auto& aim : aims) {
    std::optional<TXYZ> place =
        branchposition(atom, atom.x + aim[0], atom.y + aim[1]);
    if (!place) {
      continue;
    }
    atom.findneighbours();
    if (std::none_of(atom.neighbours.begin(), atom.neighbours.end(),
                     [&place, tooclose](const tatm* other) {
                       return norm(minus(*place, pointof(*other))) < tooclose;
                     })) {
      return place;
    }
  }
  return std::nullopt;
}

/// A bare atom left without hydrogens gets its element's whole valence
/// back, so that it is completed as the free atom. An ion, or an atom whose
/// hydrogens were taken away by hand, is bare on purpose and stays so; an
/// element that never carries hydrogens keeps its valence too.
void restorebarevalence(tatm& atom) {
  if (atom.fcharge != 0 || atom.hadjust < 0) {
    return;
  }
  std::int8_t valence = atom.valence2;
  std::int8_t adjust = atom.hadjust;
  atom.sethadjust(valenceof(atom.element) / 2);
  if (atom.implicithydrogens() == 0) {
    atom.valence2 = valence;
    atom.hadjust = adjust;
  }
  atom.refreshhfree();
}

/// sp3 hydrogens around an atom without neighbours: the first along +x,
/// the others at the ideal angle from it, 120 degrees apart around x.
std::vector<TXYZ> sp3alone(const tatm& atom, int n, double length) {
  // A tetrahedron has four corners; more would fall onto each other.
  int count = std::min(n, 4);
  double theta = idealangle(atom.element, atom.fcharge, 3, count);
  TXYZ a = pointof(atom);
  std::vector<TXYZ> places{plus(a, {length, 0.0, 0.0})};
  for (int j = 1; j < count; ++j) {
    double phi = j * 2.0 * std::numbers::pi / 3.0;
    places.push_back(plus(
        a, {length * std::cos(theta), -length * std::sin(theta) * std::cos(phi),
            -length * std::sin(theta) * std::sin(phi)}));
  }
  return places;
}

/// sp3 hydrogens beside two neighbours: in the plane that bisects them,
/// half the tetrahedral angle either side of the bisector.
std::vector<TXYZ> sp3besidetwo(const tatm& atom, int n, double length) {
  TXYZ u1 = unit(towardsneighbour(atom, 0));
  TXYZ u2 = unit(towardsneighbour(atom, 1));
  if (iszero(u1) || iszero(u2) || std::abs(dot(u1, u2)) >= nearlycollinear) {
    return {};
  }
  TXYZ b = unit(plus(u1, u2));
  TXYZ c = unit(cross(u1, u2));
  TXYZ a = pointof(atom);
  TXYZ back = minus(a, times(b, length * std::cos(halftetrahedral)));
  TXYZ side = times(c, length * std::sin(halftetrahedral));
  std::vector<TXYZ> places{plus(back, side)};
  if (n >= 2) {
    places.push_back(minus(back, side));
  }
  return places;
}

/// The one sp3 hydrogen beside three neighbours.
std::vector<TXYZ> sp3besidethree(tatm& atom, double length) {
  TXYZ v1 = towardsneighbour(atom, 0);
  TXYZ v2 = towardsneighbour(atom, 1);
  TXYZ v3 = towardsneighbour(atom, 2);
  TXYZ s = plus(plus(v1, v2), v3);
  if (!atom.isplanar()) {
    // Away from the neighbours, one bond length out. The sum of the bond
    // vectors gives the direction only: a centre that is nearly flat has
    // a short sum, which would put the hydrogen onto the atom.
    if (norm(s) > 1e-8) {
      return {minus(pointof(atom), times(unit(s), length))};
    }
    return {};
  }
  // Flat: drawn in the plane, beside the first two neighbours and away
  // from the third.
  TXYZ t = plus(v1, v2);
  if (norm(s) > 1e-8 && dot(t, v3) > 0.0) {
    t = times(t, -1.0);
  }
  if (std::hypot(t.x, t.y) <= 1e-8) {
    // The first two neighbours are opposite each other.
    t = times(v3, -1.0);
  }
  std::optional<TXYZ> place = flatplace(atom, t.x, t.y, length);
  if (!place) {
    return {};
  }
  return {*place};
}

/// The point one length away from atom, opposite the sum of the bonds to
/// its first two neighbours.
std::vector<TXYZ> awayfromtwo(const tatm& atom, double length) {
  TXYZ s = plus(towardsneighbour(atom, 0), towardsneighbour(atom, 1));
  if (iszero(unit(s))) {
    return {};
  }
  return {minus(pointof(atom), times(unit(s), length))};
}

template <class Complete>
int completeeach(tdrawing& drawing, tStructure* scope, bool (*accepts)(int),
                 Complete complete) {
  if (scope == &drawing) {
    scope = nullptr;
  }
  // Hydrogens appended on the way are not visited.
  std::vector<tatm*> visit(drawing.atoms.begin(), drawing.atoms.end());
  int added = 0;
  for (auto each = visit.rbegin(); each != visit.rend(); ++each) {
    tatm* atom = *each;
    if (scope != nullptr && scope->positionof(atom) < 0) {
      continue;
    }
    if (atom->ischemical() && accepts(atom->element)) {
      added += complete(drawing, *atom);
    }
  }
  return added;
}

/// Hydrogen that Remove Hs turns back into an implicit count.
bool isremovable(const tdrawing& drawing, const tatm& atom) {
  if (!atom.ischemical() || atom.element != 1) {
    return false;
  }
  bool isotope = atom.symbol == "D" || atom.symbol == "T" ||
                 std::abs(atom.mass - massof(1)) > 0.5;
  if (isotope) {
    return false;
  }
  const std::vector<tbond*>& bonds = drawing.bondsof(&atom);
  return std::any_of(bonds.begin(), bonds.end(), [&atom](const tbond* bond) {
    const tatm* other = bond->other(&atom);
    return other != nullptr && other->ischemical() && other->element != 1;
  });
}

}  // namespace

bool accepts2dhydrogens(int element) {
  return inranges(element, {{1, 1},
                            {3, 9},
                            {11, 17},
                            {19, 20},
                            {31, 35},
                            {37, 38},
                            {52, 53},
                            {55, 56}});
}

bool accepts3dhydrogens(int element) {
  return inranges(element, {{1, 1},
                            {3, 9},
                            {14, 17},
                            {19, 20},
                            {31, 35},
                            {37, 38},
                            {52, 53},
                            {55, 56}});
}

bool draws2dhydrogens(int element) {
  return inranges(element,
                  {{1, 1}, {3, 9}, {13, 17}, {32, 35}, {37, 38}, {52, 53}});
}

int completehydrogens2d(tdrawing& drawing, tatm& atom) {
  if (!atom.ischemical() || !draws2dhydrogens(atom.element)) {
    return 0;
  }
  int n = atom.implicithydrogens();
  if (n < 1) {
    return 0;
  }
  double length = standardlength(drawing);
  if (atom.findbonds() == 0) {
    double step = n <= 3 ? 120.0 : 360.0 / n;
    std::vector<TXYZ> places;
    for (int k = 0; k < n; ++k) {
      double angle = k * step * radiansperdegree;
      places.push_back({atom.x + length * std::cos(angle),
                        atom.y + length * std::sin(angle), atom.z});
    }
    return attachall(drawing, atom, places);
  }
  if (n > 3) {
    return 0;
  }
  const tatm* other = atom.bond(0)->other(&atom);
  if (other == nullptr) {
    return 0;
  }
  // Aim just beyond the atom, away from its first neighbour. A neighbour
  // on top of the atom gives nothing to aim at.
  double aimx = 0.1 * (atom.x - other->x);
  double aimy = 0.1 * (atom.y - other->y);
  if (aimx == 0.0 && aimy == 0.0) {
    return 0;
  }
  std::vector<tatm*> made;
  for (int i = 0; i < n; ++i) {
    std::optional<TXYZ> place = flatplace(atom, aimx, aimy, length);
    if (!place) {
      break;
    }
    tatm* hydrogen = attachhydrogen(drawing, atom, *place);
    if (hydrogen == nullptr) {
      break;
    }
    made.push_back(hydrogen);
  }
  if (n == 3 && made.size() == 3) {
    // The third hydrogen sits between the other two, as if seen end on.
    made[2]->setxyz((made[0]->x + made[1]->x) / 2.0,
                    (made[0]->y + made[1]->y) / 2.0, made[2]->z);
  }
  return static_cast<int>(made.size());
}

int completehydrogens3d(tdrawing& drawing, tatm& atom) {
  if (!atom.ischemical()) {
    return 0;
  }
  int k = atom.findneighbours();
  if (k == 0 && atom.implicithydrogens() == 0) {
    restorebarevalence(atom);
  }
  int n = atom.implicithydrogens();
  int code = atom.gethybridization();
  if (n < 1 || code > 4) {
    return 0;
  }
  // A model is built at its bond lengths whether or not 3D mode is on.
  const double length = hydrogenlength(drawing, atom);
  TXYZ a = pointof(atom);
  std::vector<TXYZ> places;
  switch (code) {
    case 0: {
      const double d = length;
      if (n == 1 || n == 2) {
        places.push_back(plus(a, {d, 0.0, 0.0}));
      }
      if (n == 2) {
        places.push_back(minus(a, {d, 0.0, 0.0}));
      }
      break;
    }
    case 1:
      if (k == 1) {
        // Opposite the neighbour.
        places.push_back(
            minus(a, times(unit(towardsneighbour(atom, 0)), length)));
      }
      break;
    case 2:
      return k >= 1 ? completefrombond(drawing, atom) : 0;
    case 3:
      if (k == 0) {
        places = sp3alone(atom, n, length);
      } else if (k == 1) {
        return completefrombond(drawing, atom);
      } else if (k == 2) {
        places = sp3besidetwo(atom, n, length);
      } else if (k == 3) {
        places = sp3besidethree(atom, length);
      }
      break;
    default:
      if (k >= 2) {
        places = awayfromtwo(atom, length);
      }
      break;
  }
  return attachall(drawing, atom, places);
}

int completefrombond(tdrawing& drawing, tatm& atom) {
  if (!atom.ischemical()) {
    return 0;
  }
  int code = atom.gethybridization();
  int k = atom.findneighbours();
  int n = atom.implicithydrogens();
  if (k < 1 || n < 1) {
    return 0;
  }
  const double length = hydrogenlength(drawing, atom);
  TXYZ a = pointof(atom);
  TXYZ b = towardsneighbour(atom, 0);
  const double r = norm(b) > 0.0 ? length : 0.0;
  double phib = std::atan2(b.y, b.x);
  double thetab = std::atan2(std::hypot(b.x, b.y), b.z);
  // A point at polar angle theta from the bond to the first neighbour and
  // azimuth phi around it, as far from the atom as that neighbour.
  auto aroundbond = [&](double thetadegrees, double phidegrees) {
    double theta = thetadegrees * radiansperdegree;
    double phi = phidegrees * radiansperdegree;
    TXYZ p{r * std::sin(theta) * std::cos(phi),
           r * std::sin(theta) * std::sin(phi), r * std::cos(theta)};
    TXYZ q{p.x * std::cos(thetab) + p.z * std::sin(thetab), p.y,
           -p.x * std::sin(thetab) + p.z * std::cos(thetab)};
    TXYZ w{q.x * std::cos(phib) - q.y * std::sin(phib),
           q.x * std::sin(phib) + q.y * std::cos(phib), q.z};
    return plus(a, w);
  };
  std::vector<TXYZ> places;
  if (code == 2 && k == 1) {
    // Two places opposite each other; a third would land on the first.
    for (int i = 1; i <= std::min(n, 2); ++i) {
      places.push_back(aroundbond(120.0, i * 180.0 - 90.0));
    }
  } else if ((code == 2 && k == 2) || (code == 4 && n == 1 && k >= 2)) {
    places = awayfromtwo(atom, length);
  } else if ((code == 2 && k == 3) || code == 3) {
    // Three places 120 degrees apart (a fourth would repeat one), turned
    // about the bond to lie staggered against the neighbour's other atoms:
    // the turn that keeps the nearest of them farthest away.
    std::vector<TXYZ> across;
    if (const tatm* other = atom.neighbour(0)) {
      for (const tbond* bond : drawing.bondsof(other)) {
        const tatm* beyond = bond->other(other);
        if (beyond != nullptr && beyond != &atom) {
          across.push_back(pointof(*beyond));
        }
      }
    }
    double bestturn = 0.0;
    double bestgap = -1.0;
    for (int turn = 0; turn < 120 && !across.empty(); turn += 5) {
      double gap = std::numeric_limits<double>::infinity();
      for (int i = 1; i <= std::min(n, 3); ++i) {
        const TXYZ place = aroundbond(tetrahedralangle, (i - 2) * 120.0 + turn);
        for (const TXYZ& point : across) {
          gap = std::min(gap, norm(minus(place, point)));
        }
      }
      if (gap > bestgap + 1e-9) {
        bestgap = gap;
        bestturn = turn;
      }
    }
    for (int i = 1; i <= std::min(n, 3); ++i) {
      places.push_back(
          aroundbond(tetrahedralangle, (i - 2) * 120.0 + bestturn));
    }
  } else if (code == 1 && k == 1) {
    places.push_back(minus(a, times(unit(b), length)));
  }
  return attachall(drawing, atom, places);
}

int addhydrogens2d(tdrawing& drawing, tStructure* scope) {
  return completeeach(drawing, scope, accepts2dhydrogens, completehydrogens2d);
}

int addhydrogens3d(tdrawing& drawing, std::string& warning) {
  // Centres the drawing states get their depth first, so that each
  // hydrogen goes to the side the wedges leave free.
  warning = preparestereo(drawing).warning;
  return completeeach(drawing, nullptr, accepts3dhydrogens,
                      completehydrogens3d);
}

int addhydrogens3d(tdrawing& drawing, tStructure* scope) {
  if (scope == nullptr || scope == &drawing) {
    std::string ignored;
    return addhydrogens3d(drawing, ignored);
  }
  return completeeach(drawing, scope, accepts3dhydrogens, completehydrogens3d);
}

int removehydrogens(tdrawing& drawing, tStructure* scope) {
  std::vector<tStructure*> filled;
  for (tStructure* structure : drawing.structures) {
    if (!structure->atoms.empty()) {
      filled.push_back(structure);
    }
  }
  std::vector<tatm*> doomed;
  for (tatm* atom : scope != nullptr ? scope->atoms : drawing.atoms) {
    if (isremovable(drawing, *atom)) {
      doomed.push_back(atom);
    }
  }
  for (tatm* atom : doomed) {
    drawing.removeatom(atom);
  }
  for (tStructure* structure : filled) {
    if (structure->atoms.empty()) {
      drawing.deletestructure(structure);
    }
  }
  return static_cast<int>(doomed.size());
}

}  // namespace molvane
