// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/structure.h"

#include "model/font.h"

#include <algorithm>
#include <utility>

namespace molvane {

namespace {

const std::vector<tbond*> nobonds;

/// Gives the kind of a removed bond back to the free valence of its end.
void returnvalence(tatm* end, int kind) {
  if (end == nullptr) {
    return;
  }
  end->valence2 = saturatedbyte(end->valence2 + kind);
  end->hfree = static_cast<std::int8_t>(
      std::max(0, roundhalfeven((end->valence2 % 100) / 2.0)));
}

}  // namespace

tStructure::tStructure() {
  fragtype = fragmenttype;
  // The default settings until a drawing holds the structure, or its
  // builder gives it the settings of the drawing it is built for.
  weight = defaultgeometry().bondlength;
}

tStructure::~tStructure() {
  // Views first, so nothing refers to freed objects while they go.
  bonds.clear();
  auxbonds.clear();
  atoms.clear();
  workatoms.clear();
  ownedbonds_.clear();
  ownedatoms_.clear();
}

tatm* tStructure::addatom(std::unique_ptr<tatm> atom) {
  tatm* view = atom.get();
  if (view == nullptr) {
    return nullptr;
  }
  ownedatoms_.emplace(view, std::move(atom));
  view->setowner(this);
  atoms.add(view);
  return view;
}

tbond* tStructure::addbond(std::unique_ptr<tbond> bond) {
  tbond* view = bond.get();
  if (view == nullptr) {
    return nullptr;
  }
  ownedbonds_.emplace(view, std::move(bond));
  bonds.add(view);
  return view;
}

bool tStructure::owns(const tatm* atom) const {
  return ownedatoms_.contains(atom);
}

bool tStructure::owns(const tlink* bond) const {
  return ownedbonds_.contains(bond);
}

void tStructure::removebond(tbond* bond) {
  if (bond == nullptr || bonds.remove(bond) < 0) {
    return;
  }
  auxbonds.remove(bond);
  std::replace(ringbonds.begin(), ringbonds.end(), bond,
               static_cast<tbond*>(nullptr));
  if (bond->chemical != 0) {
    returnvalence(bond->atom1, bond->kind());
    returnvalence(bond->atom2, bond->kind());
  }
  release(bond);
}

void tStructure::removeatom(tatm* atom) {
  if (atom == nullptr || !atoms.contains(atom)) {
    return;
  }
  std::vector<tbond*> attached = bondsof(atom);
  for (tbond* each : attached) {
    removebond(each);
  }
  atoms.remove(atom);
  workatoms.remove(atom);
  std::replace(ringatoms.begin(), ringatoms.end(), atom,
               static_cast<tatm*>(nullptr));
  release(atom);
}

namespace {

/// Adds the items appended to list since the last call to positions, or
/// starts over when the list was changed other than by appending.
template <class tlist, class tpositions>
void extendpositions(const tlist& list, tpositions& positions,
                     std::uint64_t& reorders, int& indexed) {
  if (list.reorders() != reorders) {
    positions.clear();
    indexed = 0;
    reorders = list.reorders();
  }
  for (; indexed < list.count(); ++indexed) {
    positions.emplace(list.items(indexed), indexed);
  }
}

}  // namespace

void tStructure::refreshbondindex() const {
  if (bonds.reorders() != indexedbondreorders_) {
    bondindex_.clear();
    indexedbonds_ = 0;
    indexedbondreorders_ = bonds.reorders();
  }
  for (; indexedbonds_ < bonds.count(); ++indexedbonds_) {
    tbond* bond = bonds.items(indexedbonds_);
    if (bond->atom1 != nullptr) {
      bondindex_[bond->atom1].push_back(bond);
    }
    if (bond->atom2 != nullptr && bond->atom2 != bond->atom1) {
      bondindex_[bond->atom2].push_back(bond);
    }
  }
}

void tStructure::refreshbondpositions() const {
  extendpositions(bonds, bondpositions_, positionedbondreorders_,
                  positionedbonds_);
}

void tStructure::refreshatomindex() const {
  extendpositions(atoms, atomindex_, indexedatomreorders_, indexedatoms_);
}

const std::vector<tbond*>& tStructure::bondsof(const tatm* atom) const {
  refreshbondindex();
  auto found = bondindex_.find(atom);
  return found == bondindex_.end() ? nobonds : found->second;
}

int tStructure::positionof(const tatm* atom) const {
  refreshatomindex();
  auto found = atomindex_.find(atom);
  return found == atomindex_.end() ? -1 : found->second;
}

int tStructure::bondposition(const tlink* bond) const {
  refreshbondpositions();
  auto found = bondpositions_.find(bond);
  return found == bondpositions_.end() ? -1 : found->second;
}

void tStructure::mirror(int axis) {
  std::array<int, 3> centre = centroidint();
  for (tatm* atom : atoms) {
    if (axis == 1) {
      atom->setxyz(atom->x, 2.0 * centre[1] - atom->y, atom->z);
    } else if (axis == 2) {
      atom->setxyz(2.0 * centre[0] - atom->x, atom->y, atom->z);
    }
  }
  for (tbond* bond : bonds) {
    std::swap(bond->atom1, bond->atom2);
  }
  refreshmultiplebonds();
}

void tStructure::refreshmultiplebonds() {
  for (tbond* bond : bonds) {
    int k = bond->kind();
    if (k >= 3 && k <= 6) {
      bond->refresh();
    }
  }
}

void tStructure::setphase(std::uint8_t newphase) {
  TFragment::setphase(newphase);
  if (thermo != nullptr) {
    thermo->setstate(newphase);
  }
}

std::unique_ptr<tStructure> tStructure::newempty() const {
  return std::make_unique<tStructure>();
}

void tStructure::copyfields(const tStructure& other) {
  weight = other.weight;
  mark = other.mark;
  fragflag = other.fragflag;
  fragtype = other.fragtype;
  bbox = other.bbox;
  amount = other.amount;
  cx = other.cx;
  cy = other.cy;
  cz = other.cz;
  phase = other.phase;
  frame = other.frame;
  name = other.name;
  showname = other.showname;
  locked = other.locked;
  shownumbers = other.shownumbers;
  ringsize = other.ringsize;
  ringstyle = other.ringstyle;
  drawmode = other.drawmode;
  selected = other.selected;
  width = other.width;
  thermovalues = other.thermovalues;
  thermoflag = other.thermoflag;
  energyoffset = other.energyoffset;
  frozen = other.frozen;
  currentatom = other.currentatom;
  currentbond = other.currentbond;
}

tStructure::trecordbytes tStructure::recordbytes() const {
  return {ringstyle, drawmode, fragflag, showname, locked, shownumbers};
}

void tStructure::setrecordbytes(const trecordbytes& bytes) {
  ringstyle = bytes[0];
  drawmode = bytes[1];
  fragflag = bytes[2];
  showname = bytes[3];
  locked = bytes[4];
  shownumbers = bytes[5];
}

void tStructure::transferownership(tStructure& target) {
  for (auto& [view, atom] : ownedatoms_) {
    atom->setowner(&target);
    target.ownedatoms_.emplace(view, std::move(atom));
  }
  for (auto& [view, bond] : ownedbonds_) {
    target.ownedbonds_.emplace(view, std::move(bond));
  }
  ownedatoms_.clear();
  ownedbonds_.clear();
}

void tStructure::release(const tatm* atom) { ownedatoms_.erase(atom); }

int tStructure::fontindexof(const fontrecord&) { return 0; }

fontrecord tStructure::getfontrecord(int) const {
  return fontrecord::standard();
}

void tStructure::setfontrecord(int, const fontrecord&) {}

void tStructure::release(const tlink* bond) { ownedbonds_.erase(bond); }

std::unique_ptr<tStructure> tChain::newempty() const {
  return std::make_unique<tChain>();
}

void tChain::copyfields(const tStructure& other) {
  tStructure::copyfields(other);
  if (const auto* chain = dynamic_cast<const tChain*>(&other)) {
    bondangle = chain->bondangle;
  }
}

std::unique_ptr<tStructure> tRing::newempty() const {
  return std::make_unique<tRing>();
}

std::unique_ptr<tStructure> tBenzene::newempty() const {
  return std::make_unique<tBenzene>();
}

}  // namespace molvane
