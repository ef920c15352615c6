// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/ring_commands.h"

#include "chemistry/build_geometry.h"
#include "commands/branch_commands.h"
#include "commands/build_messages.h"
#include "commands/chain_commands.h"
#include "commands/click_anchor.h"
#include "commands/command_table.h"
#include "document/drawing.h"
#include "document/messages.h"
#include "model/bond.h"

#include <cmath>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

namespace molvane {

namespace {

using detail::minus;
using detail::plus;
using detail::pointof;
using detail::times;

constexpr double pi = std::numbers::pi;

/// Fused and joined rings are puckered less than the rings the Add items
/// build: their first atoms stay where they are, so only the far side of the
/// ring folds (an envelope), deeper in small rings than in large ones.
constexpr double smallfusedfold = 54.0;
constexpr double largefusedfold = 27.0;
constexpr double smalljoinedfold = 60.0;
constexpr double largejoinedfold = 30.0;
/// Below this in-plane length a bond gives no side to fuse on.
constexpr double shortestfusebond = 0.001;

double bondlength(const tcommandcontext& context) {
  return context.settings.bondlength;
}

/// Ring atom i (0-based) of a ring structure.
tatm* ringatom(const tStructure& ring, int i) {
  const int n = ring.ringsize;
  if (n <= 0) {
    return nullptr;
  }
  return ring.ringatoms[static_cast<std::size_t>(((i % n) + n) % n + 1)];
}

/// Turns the ring atoms of set about the axis from ring atom `from` to ring
/// atom `to`.
void turnring(const tStructure& ring, std::initializer_list<int> set, int from,
              int to, double degrees) {
  std::vector<tatm*> atoms;
  for (int i : set) {
    atoms.push_back(ringatom(ring, i));
  }
  const tatm* start = ringatom(ring, from);
  const tatm* end = ringatom(ring, to);
  if (start == nullptr || end == nullptr) {
    return;
  }
  turnatoms(atoms, pointof(*start), pointof(*end), degrees);
}

void turnwholering(const tStructure& ring, int from, int to, double degrees) {
  std::vector<tatm*> atoms;
  for (int i = 0; i < ring.ringsize; ++i) {
    atoms.push_back(ringatom(ring, i));
  }
  const tatm* start = ringatom(ring, from);
  const tatm* end = ringatom(ring, to);
  if (start != nullptr && end != nullptr) {
    turnatoms(atoms, pointof(*start), pointof(*end), degrees);
  }
}

void formone(const tStructure& ring) {
  switch (ring.ringsize) {
    case 6:
      turnring(ring, {0}, 1, 5, 54.0);
      turnring(ring, {3}, 2, 4, 54.0);
      break;
    case 7:
      turnring(ring, {0}, 1, 6, 60.0);
      turnring(ring, {3, 4}, 2, 5, 60.0);
      turnwholering(ring, 2, 5, -30.0);
      break;
    case 9:
      // The seven-ring's chair with the top atom and the bottom pair folded
      // the same way, and the two atoms beside each fold turned back, which
      // staggers the long sides; then the same tilt towards the viewer.
      turnring(ring, {0}, 1, 8, 60.0);
      turnring(ring, {4, 5}, 3, 6, 60.0);
      turnring(ring, {2}, 1, 3, -60.0);
      turnring(ring, {7}, 6, 8, -60.0);
      turnwholering(ring, 3, 6, -30.0);
      break;
    case 10:
      // A chair of ten: the top and the bottom atom folded to opposite
      // faces; the wide angles of a decagon need the deep fold.
      turnring(ring, {0}, 1, 9, 87.0);
      turnring(ring, {5}, 4, 6, 87.0);
      break;
    default:
      break;
  }
}

void formtwo(const tStructure& ring) {
  if (ring.ringsize == 6) {
    turnring(ring, {1, 2}, 3, 0, 24.0);
    turnring(ring, {4, 5}, 0, 3, 24.0);
    turnring(ring, {0}, 5, 1, 15.0);
    turnring(ring, {3}, 2, 4, 15.0);
  } else if (ring.ringsize == 8) {
    turnring(ring, {1, 2}, 0, 3, 60.0);
    turnring(ring, {5, 6}, 4, 7, 60.0);
  }
}

void formthree(const tStructure& ring) {
  if (ring.ringsize == 5) {
    turnring(ring, {0}, 1, 4, 31.0);
  } else if (ring.ringsize == 6) {
    turnring(ring, {0}, 5, 1, -50.0);
    turnring(ring, {3}, 2, 4, 50.0);
    turnring(ring, {1, 2}, 0, 3, 6.0);
    turnring(ring, {4, 5}, 3, 0, -6.0);
  } else {
    formone(ring);
  }
}

/// Folds the part of a ring opposite ring position `opposite` (an atom, or
/// the middle of a bond for a half position) about the axis through its two
/// ring neighbours.
void envelope(const tStructure& ring, double opposite, double degrees) {
  const double whole = std::floor(opposite);
  const int m = static_cast<int>(whole);
  if (opposite == whole) {
    turnring(ring, {m}, m - 1, m + 1, degrees);
  } else {
    turnring(ring, {m, m + 1}, m - 1, m + 2, degrees);
  }
}

/// A regular ring of n carbons around the origin: atom 1 straight above the
/// centre, then clockwise on the screen, its bonds length long.
void buildregular(tStructure& ring, int n, double length) {
  const double theta = 2.0 * pi / n;
  const double radius = (length / 2.0) / std::sin(theta / 2.0);
  tatm* previous = nullptr;
  for (int i = 1; i <= n; ++i) {
    tatm* atom = ring.addatom(
        std::make_unique<tatm>(6, nolabel, radius * std::sin((i - 1) * theta),
                               -radius * std::cos((i - 1) * theta), 0.0));
    ring.ringatoms[static_cast<std::size_t>(i)] = atom;
    if (previous != nullptr) {
      ring.ringbonds[static_cast<std::size_t>(i - 1)] = ring.addbond(
          std::make_unique<tbond>(previous, 0, tbondstyle::normal, 2, atom));
    }
    previous = atom;
  }
  ring.ringbonds[static_cast<std::size_t>(n)] =
      ring.addbond(std::make_unique<tbond>(previous, 0, tbondstyle::normal, 2,
                                           ring.ringatoms[1]));
  ring.ringsize = static_cast<std::uint8_t>(n);
}

/// Kekule pattern and aromatic marks of a benzene ring of the drawing.
/// Double bonds go on ring bonds 2, 4 and 6, unless the first two ring
/// atoms already have a double bond (a benzene fused onto another aromatic
/// ring, or onto a double bond): then on bonds 3 and 5, so that no atom
/// gets two.
void makearomatic(tStructure& ring) {
  bool shareddouble = false;
  for (tatm* shared : {ring.ringatoms[1], ring.ringatoms[2]}) {
    shared->findbonds();
    for (const tbond* bond : shared->bonds) {
      shareddouble = shareddouble || bond->kind() == 4;
    }
  }
  for (std::size_t i = 1; i <= 6; ++i) {
    tbond* bond = ring.ringbonds[i];
    if (bond == nullptr) {
      continue;
    }
    if (i > 1 && i % 2 == (shareddouble ? 1U : 0U)) {
      bond->setkind(4);
    }
    bond->setdelocalised(true);
  }
  // The ring may run either way round, so the second lines find the inside
  // from the ring's atoms once every kind is set.
  for (std::size_t i = 1; i <= 6; ++i) {
    if (ring.ringbonds[i] != nullptr && ring.ringbonds[i]->kind() == 4) {
      ring.ringbonds[i]->choosesides();
    }
  }
}

/// +1 or -1: which side of the bond (along normal) a fused ring takes.
double fuseside(tbond& bond, double x, double y, const TXYZ& normal) {
  tatm& first = *bond.atom1;
  tatm& second = *bond.atom2;
  const TXYZ middle = times(plus(pointof(first), pointof(second)), 0.5);
  auto clickside = [&] {
    const TXYZ towards{2.0 * x - first.x - second.x,
                       2.0 * y - first.y - second.y, 0.0};
    return detail::dot(towards, normal) >= 0.0 ? 1.0 : -1.0;
  };
  auto awayfrom = [&](const std::vector<tatm*>& others) {
    double sum = 0.0;
    for (const tatm* other : others) {
      sum += detail::dot(detail::unit(minus(pointof(*other), middle)), normal);
    }
    if (std::abs(sum) < 1e-9) {
      return clickside();
    }
    return sum > 0.0 ? -1.0 : 1.0;
  };
  tAtoms further1 = first.neighboursexcept(&second);
  tAtoms further2 = second.neighboursexcept(&first);
  const int count1 = further1.count();
  const int count2 = further2.count();
  if (count1 + count2 == 0) {
    return clickside();
  }
  if (count1 + count2 == 1 || (count1 == 1 && count2 == 1)) {
    // One substituent, or one on each atom: away from the first atom's.
    return awayfrom({count1 == 1 ? further1.items(0) : further2.items(0)});
  }
  if ((count1 == 2) != (count2 == 2)) {
    // A branched end: away from the substituents of both atoms together.
    std::vector<tatm*> others(further1.begin(), further1.end());
    others.insert(others.end(), further2.begin(), further2.end());
    return awayfrom(others);
  }
  return clickside();
}

/// Builds into ring the n - 2 atoms that complete a regular n-gon on bond,
/// which becomes ring bond 1, and merges it. Null (ring discarded) when the
/// bond shows no length in the drawing plane.
tRing* fuseonto(tcommandcontext& context, tbond& bond, int n, double x,
                double y, std::unique_ptr<tRing> ring) {
  ring->setgeometry(context.settings);
  tatm* first = bond.atom1;
  tatm* second = bond.atom2;
  const double dx = second->x - first->x;
  const double dy = second->y - first->y;
  const double length = std::hypot(dx, dy);
  if (length < shortestfusebond) {
    return nullptr;
  }
  const TXYZ normal{-dy / length, dx / length, 0.0};
  const double side = fuseside(bond, x, y, normal);
  const double apothem = (length / 2.0) / std::tan(pi / n);
  const TXYZ middle{(first->x + second->x) / 2.0, (first->y + second->y) / 2.0,
                    0.0};
  const TXYZ centre = plus(middle, times(normal, side * apothem));
  const TXYZ start = minus(TXYZ{first->x, first->y, 0.0}, centre);
  // Walk round the centre in the sense that leads from atom 1 to atom 2.
  const double step = 360.0 / n;
  const TXYZ trial = plus(centre, detail::turnedinplane(start, step));
  const double sense =
      std::hypot(trial.x - second->x, trial.y - second->y) < length / 2.0
          ? 1.0
          : -1.0;
  const double z = (first->z + second->z) / 2.0;

  ring->atoms.add(first);
  ring->atoms.add(second);
  ring->bonds.add(&bond);
  ring->ringatoms[1] = first;
  ring->ringatoms[2] = second;
  ring->ringbonds[1] = &bond;
  tatm* previous = second;
  for (int i = 2; i < n; ++i) {
    const TXYZ p = plus(centre, detail::turnedinplane(start, sense * step * i));
    tatm* atom = ring->addatom(std::make_unique<tatm>(6, nolabel, p.x, p.y, z));
    ring->ringatoms[static_cast<std::size_t>(i + 1)] = atom;
    ring->ringbonds[static_cast<std::size_t>(i)] = ring->addbond(
        std::make_unique<tbond>(previous, 0, tbondstyle::normal, 2, atom));
    previous = atom;
  }
  ring->ringbonds[static_cast<std::size_t>(n)] = ring->addbond(
      std::make_unique<tbond>(previous, 0, tbondstyle::normal, 2, first));
  ring->ringsize = static_cast<std::uint8_t>(n);
  return static_cast<tRing*>(context.drawing.mergestructure(std::move(ring)));
}

/// Fuses onto bond, puckering unless benzene.
tRing* fuse(tcommandcontext& context, tbond& bond, int n, double x, double y,
            bool benzene) {
  if (benzene) {
    tRing* ring =
        fuseonto(context, bond, 6, x, y, std::make_unique<tBenzene>());
    if (ring != nullptr) {
      makearomatic(*ring);
    }
    return ring;
  }
  tRing* ring = fuseonto(context, bond, n, x, y, std::make_unique<tRing>());
  if (ring != nullptr && context.settings.build3d) {
    envelope(*ring, 0.5 + n / 2.0, n <= 5 ? smallfusedfold : largefusedfold);
  }
  return ring;
}

bool hasbonds(const tdrawing& drawing) {
  for (const tbond* bond : drawing.bonds) {
    if (bond->chemical != 0 && bond->atom1 != nullptr &&
        bond->atom2 != nullptr) {
      return true;
    }
  }
  return false;
}

tRing* fuseatclick(tcommandcontext& context, double x, double y, int n,
                   bool benzene) {
  tdrawing& drawing = context.drawing;
  if (!hasbonds(drawing)) {
    context.messages.inform(benzene ? nobondsforbenzenemessage
                                    : nobondstofusemessage);
    return nullptr;
  }
  tbond* bond = nearestbond(drawing, x, y);
  if (bond == nullptr) {
    return nullptr;
  }
  return fuse(context, *bond, n, x, y, benzene);
}

tRing* branchringatclick(tcommandcontext& context, double x, double y, int n,
                         bool benzene) {
  tatm* anchor = clickanchor(context, x, y, noringanchormessage);
  if (anchor == nullptr) {
    return nullptr;
  }
  tskeleton chain = branchchainfrom(context, *anchor, x, y, 2);
  if (chain.atoms.size() < 2) {
    return nullptr;
  }
  // The ring's first atoms are the chain's two carbons; its far side lies
  // away from the anchor.
  tRing* ring = fuse(context, *chain.bonds[1], n, x, y, benzene);
  if (ring != nullptr) {
    ring->bonds.add(chain.bonds[0]);
  }
  return ring;
}

bool outofrange(int n) { return n < 3 || n > 10; }

}  // namespace

void shapering(tStructure& ring, int form) {
  switch (form) {
    case 1:
      formone(ring);
      break;
    case 2:
      formtwo(ring);
      break;
    case 3:
      formthree(ring);
      break;
    default:
      break;
  }
}

tRing* addring(tcommandcontext& context, double x, double y, int n) {
  if (outofrange(n)) {
    return nullptr;
  }
  auto ring = std::make_unique<tRing>();
  ring->setgeometry(context.settings);
  buildregular(*ring, n, bondlength(context));
  if (context.settings.build3d) {
    // A six-ring starts as the chair it relaxes to; from a boat the
    // optimiser stops in the twist-boat above it.
    const bool even = n == 3 || n == 4 || n == 8;
    shapering(*ring, n == 6 ? 1 : even ? 2 : 3);
  }
  return static_cast<tRing*>(
      context.drawing.placestructure(std::move(ring), x, y));
}

tRing* addconformer(tcommandcontext& context, double x, double y, bool chair) {
  auto ring = std::make_unique<tRing>();
  ring->setgeometry(context.settings);
  buildregular(*ring, 6, bondlength(context));
  if (context.settings.build3d) {
    shapering(*ring, chair ? 1 : 2);
    const double turn = chair ? 90.0 : -90.0;
    ring->rotateaxis(1, turn, TXYZ{});
    ring->rotateaxis(2, turn, TXYZ{});
    ring->rotateaxis(1, 10.0, TXYZ{});
    for (tatm* atom : ring->atoms) {
      atom->commit();
    }
  }
  return static_cast<tRing*>(
      context.drawing.placestructure(std::move(ring), x, y));
}

tRing* fusering(tcommandcontext& context, double x, double y, int n) {
  if (outofrange(n)) {
    return nullptr;
  }
  return fuseatclick(context, x, y, n, false);
}

tBenzene* fusebenzene(tcommandcontext& context, double x, double y) {
  return static_cast<tBenzene*>(fuseatclick(context, x, y, 6, true));
}

tBenzene* addbenzene(tcommandcontext& context, double x, double y) {
  auto benzene = std::make_unique<tBenzene>();
  benzene->setgeometry(context.settings);
  buildregular(*benzene, 6, bondlength(context));
  if (context.settings.build3d) {
    // Aromatic bonds are shorter than single ones.
    const double factor = ideallengthof(6, 6, 3) / ideallengthof(6, 6, 2);
    for (tatm* atom : benzene->atoms) {
      atom->setxyz(atom->x * factor, atom->y * factor, atom->z * factor);
    }
  }
  auto* placed = static_cast<tBenzene*>(
      context.drawing.placestructure(std::move(benzene), x, y));
  makearomatic(*placed);
  return placed;
}

tRing* branchring(tcommandcontext& context, double x, double y, int n) {
  if (outofrange(n)) {
    return nullptr;
  }
  return branchringatclick(context, x, y, n, false);
}

tBenzene* branchphenyl(tcommandcontext& context, double x, double y) {
  return static_cast<tBenzene*>(branchringatclick(context, x, y, 6, true));
}

tRing* joinring(tcommandcontext& context, double x, double y, int n) {
  if (outofrange(n)) {
    return nullptr;
  }
  tatm* anchor = clickanchor(context, x, y, noatomsmessage);
  if (anchor == nullptr || !anchor->ischemical()) {
    return nullptr;
  }
  const int direction =
      thirtydegreesector(wholedegrees(x - anchor->x, y - anchor->y));
  const double radius = (bondlength(context) / 2.0) / std::sin(pi / n);
  const TXYZ origin = pointof(*anchor);
  const TXYZ centre =
      plus(origin, times(detail::planedirection(direction), radius));
  const TXYZ start = minus(origin, centre);

  auto ring = std::make_unique<tRing>();
  ring->setgeometry(context.settings);
  ring->atoms.add(anchor);
  ring->ringatoms[1] = anchor;
  tatm* previous = anchor;
  for (int i = 1; i < n; ++i) {
    const TXYZ p = plus(centre, detail::turnedinplane(start, 360.0 * i / n));
    tatm* atom =
        ring->addatom(std::make_unique<tatm>(6, nolabel, p.x, p.y, anchor->z));
    ring->ringatoms[static_cast<std::size_t>(i + 1)] = atom;
    ring->ringbonds[static_cast<std::size_t>(i)] = ring->addbond(
        std::make_unique<tbond>(previous, 0, tbondstyle::normal, 2, atom));
    previous = atom;
  }
  ring->ringbonds[static_cast<std::size_t>(n)] = ring->addbond(
      std::make_unique<tbond>(previous, 0, tbondstyle::normal, 2, anchor));
  ring->ringsize = static_cast<std::uint8_t>(n);
  auto* joined =
      static_cast<tRing*>(context.drawing.mergestructure(std::move(ring)));
  if (context.settings.build3d && n >= 4) {
    envelope(*joined, n / 2.0, n <= 5 ? smalljoinedfold : largejoinedfold);
  }
  return joined;
}

tRing* joindimethyl(tcommandcontext& context, double x, double y) {
  tRing* ring = joinring(context, x, y, 3);
  if (ring != nullptr) {
    context.drawing.removebond(ring->ringbonds[2]);
  }
  return ring;
}

}  // namespace molvane
