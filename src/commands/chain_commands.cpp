// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/chain_commands.h"

#include "chemistry/build_geometry.h"
#include "commands/branch_commands.h"
#include "commands/build_messages.h"
#include "commands/click_anchor.h"
#include "commands/command_codes.h"
#include "commands/command_table.h"
#include "document/drawing.h"
#include "document/messages.h"
#include "model/bond.h"

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace molvane {

namespace {

using detail::minus;
using detail::plus;
using detail::pointof;
using detail::times;
using detail::unit;

double bondlength(const tcommandcontext& context) {
  return context.settings.bondlength;
}

/// Unit vector of the bond from previous to last in the drawing plane.
TXYZ planeheading(const tatm& previous, const tatm& last) {
  return unit(TXYZ{last.x - previous.x, last.y - previous.y, 0.0});
}

/// The plane direction a quarter turn clockwise (on the screen) of a.
TXYZ clockwiseof(const TXYZ& a) { return {-a.y, a.x, 0.0}; }

void record(tskeleton& skeleton, const tbranch& branch, tatm& parent) {
  skeleton.atoms.push_back(branch.atom);
  skeleton.bonds.push_back(branch.bond);
  skeleton.parents.push_back(&parent);
}

bool growtowards(tcommandcontext& context, tskeleton& skeleton, tatm& from,
                 const TXYZ& aim) {
  tbranch branch = branchfrom(context, from, aim.x, aim.y);
  if (!branch) {
    return false;
  }
  record(skeleton, branch, from);
  return true;
}

bool growat(tcommandcontext& context, tskeleton& skeleton, tatm& from,
            const TXYZ& position) {
  record(skeleton, attachcarbon(context, from, position), from);
  return true;
}

/// The slots of a chain hold at most 12 atoms and 12 bonds.
constexpr std::size_t slotcount = 12;

/// A structure built around the origin, for the Chain/Add rows.
class tchainbuilder {
 public:
  explicit tchainbuilder(tcommandcontext& context)
      : context_(context), chain_(std::make_unique<tChain>()) {
    chain_->setgeometry(context_.settings);
  }

  tatm* atom(double x, double y) {
    tatm* atom = chain_->addatom(std::make_unique<tatm>(6, nolabel, x, y, 0.0));
    const std::size_t slot = static_cast<std::size_t>(chain_->atoms.count());
    if (slot <= slotcount) {
      chain_->ringatoms[slot] = atom;
    }
    return atom;
  }
  /// Atom k of the zigzag: bonds at 120 degrees, the first going down to
  /// the right.
  tatm* zigzagatom(int k) {
    const double l = bondlength(context_);
    return atom(k * l * std::cos(std::numbers::pi / 6.0),
                (k % 2) * l * std::sin(std::numbers::pi / 6.0));
  }
  tbond* bond(tatm* a, tatm* b, int kind = 2) {
    tbond* bond = chain_->addbond(std::make_unique<tbond>(
        a, 0, kind >= 5 ? tbondstyle::centred : tbondstyle::normal, kind, b));
    const std::size_t slot = static_cast<std::size_t>(chain_->bonds.count());
    if (slot <= slotcount) {
      chain_->ringbonds[slot] = bond;
    }
    return bond;
  }
  tChain* place(double x, double y) {
    chain_->ringsize = static_cast<std::uint8_t>(chain_->atoms.count());
    // A double bond to an end atom is drawn with centred lines; the others
    // get their second line on the side choosesides picks once merged.
    std::vector<tbond*> sided;
    for (tbond* bond : chain_->bonds) {
      if (bond->kind() != 4) {
        continue;
      }
      if (chain_->bondsof(bond->atom1).size() == 1 ||
          chain_->bondsof(bond->atom2).size() == 1) {
        bond->style = tbondstyle::centred;
      } else {
        sided.push_back(bond);
      }
    }
    tStructure* placed =
        context_.drawing.placestructure(std::move(chain_), x, y);
    for (tbond* bond : sided) {
      bond->choosesides();
    }
    return static_cast<tChain*>(placed);
  }
  tChain& chain() { return *chain_; }

 private:
  tcommandcontext& context_;
  std::unique_ptr<tChain> chain_;
};

/// Zigzag of n carbons with the kinds of its bonds, first to last.
tChain* addzigzag(tcommandcontext& context, double x, double y,
                  const std::vector<int>& kinds) {
  tchainbuilder builder(context);
  tatm* previous = builder.zigzagatom(0);
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    tatm* next = builder.zigzagatom(static_cast<int>(k) + 1);
    builder.bond(previous, next, kinds[k]);
    previous = next;
  }
  return builder.place(x, y);
}

/// Carbons on a level line with the kinds of their bonds; sp centres.
tChain* addstraight(tcommandcontext& context, double x, double y,
                    const std::vector<int>& kinds) {
  tchainbuilder builder(context);
  tatm* previous = builder.atom(0.0, 0.0);
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    tatm* next =
        builder.atom((static_cast<double>(k) + 1.0) * bondlength(context), 0.0);
    builder.bond(previous, next, kinds[k]);
    previous = next;
  }
  return builder.place(x, y);
}

/// Propane's zigzag with a methyl hanging from the middle carbon (and a
/// further carbon for isopentane); branchkind is the kind of the methyl's
/// bond (4 for isobutene).
tChain* addbranched(tcommandcontext& context, double x, double y,
                    int chaincarbons, int branchkind) {
  tchainbuilder builder(context);
  std::array<tatm*, 4> chain{};
  for (int k = 0; k < chaincarbons; ++k) {
    chain[static_cast<std::size_t>(k)] = builder.zigzagatom(k);
    if (k > 0) {
      builder.bond(chain[static_cast<std::size_t>(k) - 1],
                   chain[static_cast<std::size_t>(k)]);
    }
  }
  // The middle carbon sits low in the zigzag; its third bond points down.
  tatm* methyl = builder.atom(chain[1]->x, chain[1]->y + bondlength(context));
  builder.bond(chain[1], methyl, branchkind);
  return builder.place(x, y);
}

tChain* newchainstructure(tcommandcontext& context, const tskeleton& skeleton) {
  auto chain = std::make_unique<tChain>();
  chain->ringsize = static_cast<std::uint8_t>(skeleton.atoms.size());
  return static_cast<tChain*>(
      collectskeleton(context, skeleton, std::move(chain)));
}

}  // namespace

double clickside(const tatm& from, const tatm& to, double x, double y) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  return dx * (y - from.y) - dy * (x - from.x) >= 0.0 ? 1.0 : -1.0;
}

bool growzigzag(tcommandcontext& context, tskeleton& skeleton, tatm& previous,
                tatm& last, double side) {
  const TXYZ heading = planeheading(previous, last);
  const TXYZ aim = plus(pointof(last),
                        times(plus(heading, times(clockwiseof(heading), side)),
                              bondlength(context)));
  return growtowards(context, skeleton, last, aim);
}

bool growstraight(tcommandcontext& context, tskeleton& skeleton,
                  const tatm& previous, tatm& last) {
  const TXYZ heading = unit(minus(pointof(last), pointof(previous)));
  return growat(context, skeleton, last,
                plus(pointof(last), times(heading, bondlength(context))));
}

void growfork(tcommandcontext& context, tskeleton& skeleton, tatm& previous,
              tatm& centre, double side) {
  growzigzag(context, skeleton, previous, centre, side);
  // With two neighbours the centre's open bisector is the third direction
  // of the trigonal star; aiming straight on lies on its side.
  const TXYZ aim = plus(pointof(centre), times(planeheading(previous, centre),
                                               bondlength(context)));
  growtowards(context, skeleton, centre, aim);
}

void growcross(tcommandcontext& context, tskeleton& skeleton,
               const tatm& previous, tatm& centre) {
  const TXYZ heading = planeheading(previous, centre);
  const TXYZ across = clockwiseof(heading);
  const TXYZ origin = pointof(centre);
  growat(context, skeleton, centre,
         plus(origin, times(across, bondlength(context))));
  growat(context, skeleton, centre,
         plus(origin, times(across, -bondlength(context))));
  growat(context, skeleton, centre,
         plus(origin, times(heading, bondlength(context))));
}

tskeleton branchchainfrom(tcommandcontext& context, tatm& anchor, double x,
                          double y, int carbons) {
  tskeleton skeleton;
  skeleton.anchor = &anchor;
  if (carbons < 1 || !growtowards(context, skeleton, anchor, TXYZ{x, y, 0.0})) {
    return skeleton;
  }
  // The chain first bends towards the side of the click.
  double side = clickside(anchor, *skeleton.atoms.front(), x, y);
  for (int k = 1; k < carbons; ++k) {
    tatm* last = skeleton.atoms.back();
    tatm* previous = skeleton.parents.back();
    if (!growzigzag(context, skeleton, *previous, *last, side)) {
      break;
    }
    side = -side;
  }
  return skeleton;
}

tskeleton branchlinearfrom(tcommandcontext& context, tatm& anchor, double x,
                           double y, int carbons) {
  tskeleton skeleton;
  skeleton.anchor = &anchor;
  if (carbons < 1 || !growtowards(context, skeleton, anchor, TXYZ{x, y, 0.0})) {
    return skeleton;
  }
  for (int k = 1; k < carbons; ++k) {
    growstraight(context, skeleton, *skeleton.parents.back(),
                 *skeleton.atoms.back());
  }
  return skeleton;
}

tskeleton branchisopropylfrom(tcommandcontext& context, tatm& anchor, double x,
                              double y) {
  tskeleton skeleton = branchchainfrom(context, anchor, x, y, 1);
  if (!skeleton.empty()) {
    tatm* centre = skeleton.atoms.front();
    growfork(context, skeleton, anchor, *centre,
             clickside(anchor, *centre, x, y));
  }
  return skeleton;
}

tskeleton branchtertbutylfrom(tcommandcontext& context, tatm& anchor, double x,
                              double y) {
  tskeleton skeleton = branchchainfrom(context, anchor, x, y, 1);
  if (!skeleton.empty()) {
    growcross(context, skeleton, anchor, *skeleton.atoms.front());
  }
  return skeleton;
}

tStructure* collectskeleton(tcommandcontext& context, const tskeleton& skeleton,
                            std::unique_ptr<tStructure> structure) {
  structure->setgeometry(context.settings);
  for (std::size_t i = 0; i < skeleton.atoms.size(); ++i) {
    structure->atoms.add(skeleton.atoms[i]);
    structure->bonds.add(skeleton.bonds[i]);
    if (i < slotcount) {
      structure->ringatoms[i + 1] = skeleton.atoms[i];
      structure->ringbonds[i + 1] = skeleton.bonds[i];
    }
  }
  return context.drawing.mergestructure(std::move(structure));
}

tChain* addchain(tcommandcontext& context, double x, double y, int carbons) {
  if (carbons < 2) {
    return nullptr;
  }
  if (carbons == 2) {
    tchainbuilder builder(context);
    tatm* first = builder.zigzagatom(0);
    builder.bond(first, builder.zigzagatom(1));
    // Ethane's one bond would otherwise point down to the right.
    builder.chain().rotateaxis(3, -30.0, TXYZ{});
    for (tatm* atom : builder.chain().atoms) {
      atom->commit();
    }
    return builder.place(x, y);
  }
  return addzigzag(context, x, y,
                   std::vector<int>(static_cast<std::size_t>(carbons) - 1, 2));
}

tChain* addhydrocarbon(tcommandcontext& context, double x, double y, int code) {
  switch (code) {
    case isobutanecommand:
      return addbranched(context, x, y, 3, 2);
    case isopentanecommand:
      return addbranched(context, x, y, 4, 2);
    case isobutenecommand:
      return addbranched(context, x, y, 3, 4);
    case ethylenecommand:
      return addstraight(context, x, y, {4});
    case ethynecommand:
      return addstraight(context, x, y, {6});
    case propenecommand:
      return addzigzag(context, x, y, {4, 2});
    case propynecommand:
      return addstraight(context, x, y, {6, 2});
    case butene1command:
      return addzigzag(context, x, y, {4, 2, 2});
    case butene2command:
      return addzigzag(context, x, y, {2, 4, 2});
    case butyne1command: {
      // HC#C-CH2-CH3: three carbons in line, the ethyl end bent by 120
      // degrees at the sp3 carbon.
      tchainbuilder builder(context);
      const double l = bondlength(context);
      tatm* c1 = builder.atom(0.0, 0.0);
      tatm* c2 = builder.atom(l, 0.0);
      tatm* c3 = builder.atom(2.0 * l, 0.0);
      tatm* c4 = builder.atom(2.0 * l + l * 0.5, l * std::numbers::sqrt3 / 2.0);
      builder.bond(c1, c2, 6);
      builder.bond(c2, c3);
      builder.bond(c3, c4);
      return builder.place(x, y);
    }
    case butyne2command:
      return addstraight(context, x, y, {2, 6, 2});
    case allenecommand:
      // The middle carbon of an allene is sp: the molecule is straight.
      return addstraight(context, x, y, {4, 4});
    default:
      return nullptr;
  }
}

tChain* branchchain(tcommandcontext& context, double x, double y, int carbons) {
  tatm* anchor = clickanchor(context, x, y, noatomsmessage);
  if (anchor == nullptr) {
    return nullptr;
  }
  tskeleton skeleton = branchchainfrom(context, *anchor, x, y, carbons);
  if (skeleton.empty()) {
    context.messages.inform(nochainanchormessage);
    return nullptr;
  }
  return newchainstructure(context, skeleton);
}

tChain* branchalkyl(tcommandcontext& context, double x, double y, int code) {
  if (code != isopropylcommand && code != tertbutylcommand &&
      code != isobutylcommand && code != secbutylcommand) {
    return nullptr;
  }
  tatm* anchor = clickanchor(context, x, y, noatomsmessage);
  if (anchor == nullptr) {
    return nullptr;
  }
  tskeleton skeleton;
  if (code == isopropylcommand) {
    skeleton = branchisopropylfrom(context, *anchor, x, y);
  } else if (code == tertbutylcommand) {
    skeleton = branchtertbutylfrom(context, *anchor, x, y);
  } else if (code == isobutylcommand) {
    // -CH2-CH(CH3)2: two chain carbons, the fork on the second.
    skeleton = branchchainfrom(context, *anchor, x, y, 2);
    if (skeleton.atoms.size() == 2) {
      tatm* first = skeleton.atoms[0];
      tatm* second = skeleton.atoms[1];
      growfork(context, skeleton, *first, *second,
               -clickside(*anchor, *first, x, y));
    }
  } else {
    // -CH(CH3)-CH2-CH3: a methyl and an ethyl on the first carbon.
    skeleton = branchchainfrom(context, *anchor, x, y, 1);
    if (!skeleton.empty()) {
      tatm* centre = skeleton.atoms[0];
      const double side = clickside(*anchor, *centre, x, y);
      growfork(context, skeleton, *anchor, *centre, side);
      tatm* ethyl = skeleton.atoms.back();
      growzigzag(context, skeleton, *centre, *ethyl, side);
    }
  }
  if (skeleton.empty()) {
    context.messages.inform(nochainanchormessage);
    return nullptr;
  }
  return newchainstructure(context, skeleton);
}

}  // namespace molvane
