// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/bond.h"

#include "model/atom.h"
#include "model/element_data.h"
#include "model/geometry_settings.h"
#include "model/vector3.h"
#include "support/little_endian.h"
#include "support/units.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_set>

namespace molvane {

namespace {

constexpr double stretchperorder = 350000.0;
constexpr double dissociationperorder = 35000.0;
constexpr double missingpairenergy = 70000.0;
constexpr double triplespacingfactor = 0.67;
constexpr double ideallengthfactor = 0.427186125;
constexpr double morseexponent = 2.236067978;
constexpr std::uint32_t draggedcolour = 0x3333FF;
constexpr std::uint32_t editcolour = 255;

using detail::cross;
using detail::dot;
using detail::unit;

TXYZ minus(const tatm& a, const tatm& b) {
  return detail::minus(detail::pointof(a), detail::pointof(b));
}

/// The settings of the drawing that holds the atoms of a bond.
const tgeometrysettings& geometryofends(const tatm* a, const tatm* b) {
  if (a != nullptr) {
    return a->geometry();
  }
  return b != nullptr ? b->geometry() : defaultgeometry();
}

/// Offsets of the ends of a new bond, perpendicular to it.
void initialoffsets(tlink& link) {
  double length = link.length();
  if (length <= 0.000001) {
    return;
  }
  link.offx =
      -roundhalfeven((link.atom2->y - link.atom1->y) * link.spacing / length);
  link.offy =
      roundhalfeven((link.atom2->x - link.atom1->x) * link.spacing / length);
}

/// True when p and q lie on opposite sides of the bond in a nearly flat
/// arrangement (trans): such a pair cannot tell the inner side of a ring.
bool transpair(const tlink& link, const tatm& p, const tatm& q) {
  TXYZ c1 = unit(cross(minus(*link.atom2, *link.atom1), minus(p, *link.atom1)));
  TXYZ c2 = unit(cross(minus(*link.atom1, *link.atom2), minus(q, *link.atom2)));
  double cosine = dot(c1, c2);
  return cosine >= 0.99 && cosine <= 1.0;
}

/// Atoms reachable from start through the drawing's bonds, never crossing
/// excluded.
tAtoms reachable(tatm* start, const tlink* excluded) {
  tAtoms found;
  std::unordered_set<const tatm*> seen{start};
  std::vector<tatm*> pending{start};
  while (!pending.empty()) {
    tatm* atom = pending.back();
    pending.pop_back();
    found.add(atom);
    for (const tbond* each : atom->ownerbonds()) {
      if (each == excluded) {
        continue;
      }
      tatm* next = each->other(atom);
      if (next != nullptr && seen.insert(next).second) {
        pending.push_back(next);
      }
    }
  }
  return found;
}

}  // namespace

int hybclassof(int kind) {
  switch (kind) {
    case 1:
    case 2:
      return 3;
    case 3:
    case 4:
      return 2;
    case 5:
    case 6:
      return 1;
    default:
      return 0;
  }
}

std::array<std::uint8_t, bondrecord::recordsize> bondrecord::tobytes() const {
  std::array<std::uint8_t, recordsize> bytes{};
  bytes[0] = hybclass;
  bytes[1] = order;
  detail::putu32(&bytes[2], colour);
  bytes[10] = style;
  bytes[11] = static_cast<std::uint8_t>(side);
  detail::puti16(&bytes[12], offx);
  detail::puti16(&bytes[14], offy);
  bytes[16] = wideend;
  bytes[17] = width;
  detail::putu16(&bytes[18], atom1);
  detail::putu16(&bytes[20], atom2);
  bytes[22] = chemical;
  return bytes;
}

bondrecord bondrecord::frombytes(
    std::span<const std::uint8_t, recordsize> bytes) {
  bondrecord record;
  record.hybclass = bytes[0];
  record.order = bytes[1];
  record.colour = detail::getu32(&bytes[2]);
  record.style = bytes[10];
  record.side = static_cast<std::int8_t>(bytes[11]);
  record.offx = detail::geti16(&bytes[12]);
  record.offy = detail::geti16(&bytes[14]);
  record.wideend = bytes[16];
  record.width = bytes[17];
  record.atom1 = detail::getu16(&bytes[18]);
  record.atom2 = detail::getu16(&bytes[20]);
  record.chemical = bytes[22];
  return record;
}

tlink::tlink(int newkind, std::uint32_t newcolour, tbondstyle newstyle)
    : colour(newcolour),
      width(defaultgeometry().linewidth()),
      hybclass(hybclassof(newkind)),
      order(newkind),
      style(newstyle),
      spacing(defaultgeometry().doublebondspacing) {
  kdiss = ffkind() * dissociationperorder;
  kstretch = 10.0 * kdiss;
}

tlink::tlink(const bondrecord& record, const tAtoms& atoms)
    : chemical(record.chemical),
      colour(record.colour),
      width(record.width),
      hybclass(record.hybclass),
      order(record.order),
      style(bondstylefrombyte(record.style)),
      wideend(record.wideend),
      side(record.side),
      offx(record.offx),
      offy(record.offy),
      atom1(atoms.items(record.atom1)),
      atom2(atoms.items(record.atom2)) {
  kdiss = ffkind() * dissociationperorder;
  kstretch = 10.0 * kdiss;
  spacing = geometryofends(atom1, atom2).doublebondspacing;
  if (atom1 != nullptr && atom2 != nullptr) {
    initialoffsets(*this);
  }
}

bondrecord tlink::writerecord() const {
  bondrecord record;
  record.hybclass = static_cast<std::uint8_t>(hybclass);
  record.order = static_cast<std::uint8_t>(order);
  record.colour = colour;
  record.style = bondstylebyte(style);
  record.side = side;
  record.offx = static_cast<std::int16_t>(std::clamp(offx, -32768, 32767));
  record.offy = static_cast<std::int16_t>(std::clamp(offy, -32768, 32767));
  record.wideend = static_cast<std::uint8_t>(wideend);
  record.width = static_cast<std::uint8_t>(width);
  record.atom1 = static_cast<std::uint16_t>(std::clamp(endindex(1), 0, 65535));
  record.atom2 = static_cast<std::uint16_t>(std::clamp(endindex(2), 0, 65535));
  record.chemical = chemical;
  return record;
}

int tlink::ffkind() const {
  int k = kind();
  if (!isdelocalised()) {
    return k;
  }
  if (k == 0) {
    return 1;
  }
  if (k == 1) {
    return 2;
  }
  if (k <= 4) {
    return 3;
  }
  return 5;
}

void tlink::setdelocalised(bool on) {
  int k = kind();
  order = on ? k + delocalisedflag : k;
  for (tatm* end : {atom1, atom2}) {
    if (end == nullptr) {
      continue;
    }
    if (on) {
      end->hybridization = 4;
    } else if (k >= 1 && k <= 4) {
      end->hybridization = static_cast<std::uint8_t>(k);
    }
  }
}

void tlink::setkind(int newkind) {
  int oldkind = kind();
  int newclass = hybclassof(newkind);
  if (newkind != oldkind) {
    dropstereomarks();
  }
  if (newkind >= 1 && newkind <= 4) {
    style = tbondstyle::normal;
  } else if (newkind == 5 || newkind == 6) {
    style = tbondstyle::centred;
  }
  for (tatm* end : {atom1, atom2}) {
    if (end != nullptr) {
      end->valence2 = saturatedbyte(end->valence2 + oldkind - newkind);
      end->hfree = saturatedbyte(end->hfree + newclass - hybclass);
    }
  }
  order = newkind + (isdelocalised() ? delocalisedflag : 0);
  hybclass = newclass;
  double pairenergy = missingpairenergy;
  if (atom1 != nullptr && atom2 != nullptr) {
    pairenergy = bondenergyof(atom1->element, atom2->element);
  }
  kdiss = ffkind() * (pairenergy * 0.5);
  kstretch = 10.0 * kdiss;
  refresh();
}

void tlink::dropstereomarks() {
  stereomark = tstereomark::asdrawn;
  for (tatm* end : {atom1, atom2}) {
    if (end != nullptr) {
      end->stereomark = tstereomark::asdrawn;
    }
  }
}

void tlink::setkindstyle(int newkind, tbondstyle newstyle) {
  setkind(newkind);
  style = newstyle;
  refresh();
}

void tlink::setwidth(int newwidth) {
  if (newwidth == 255) {
    width = (width >= 4 || width < 1) ? 1 : width + 1;
  } else {
    width = newwidth;
  }
}

std::uint32_t tlink::setcolour(std::uint32_t newcolour) {
  std::uint32_t previous = colour;
  colour = newcolour;
  for (tatm* end : {atom1, atom2}) {
    if (end != nullptr) {
      end->colour = newcolour;
    }
  }
  return previous;
}

void tlink::highlight() { setcolour(editcolour); }

tatm* tlink::other(const tatm* atom) const {
  return atom == atom1 ? atom2 : atom1;
}

bool tlink::hasatom(const tatm* atom) const {
  return atom != nullptr && (atom == atom1 || atom == atom2);
}

int tlink::endindex(int which) const {
  const tatm* atom = end(which);
  return atom != nullptr ? atom->ownerposition() : -1;
}

double tlink::length2() const {
  if (atom1 == nullptr || atom2 == nullptr) {
    return 0.0;
  }
  return atom1->distance2(*atom2);
}

const tgeometrysettings& tlink::geometry() const {
  return geometryofends(atom1, atom2);
}

double tlink::length() const { return std::sqrt(length2()); }

double tlink::angstromlength() const {
  return length() * angstromperbond * geometry().lengthscale();
}

double tlink::relativelength() const {
  double ideal = ideallength();
  return ideal > 0.0 ? length() / ideal : 0.0;
}

double tlink::ideallength() const {
  if (atom1 == nullptr || atom2 == nullptr) {
    return 0.0;
  }
  double radii = radiusof(atom1->element) + radiusof(atom2->element) - 0.01;
  return (1.71 - 0.09 * ffkind()) * radii * geometry().bondlength *
         ideallengthfactor;
}

int tlink::midx() const {
  if (atom1 == nullptr || atom2 == nullptr) {
    return 0;
  }
  return roundhalfeven((atom1->x + atom2->x) / 2.0);
}

int tlink::midy() const {
  if (atom1 == nullptr || atom2 == nullptr) {
    return 0;
  }
  return roundhalfeven((atom1->y + atom2->y) / 2.0);
}

double tlink::distancetomid(double px, double py) const {
  if (atom1 == nullptr || atom2 == nullptr) {
    return 0.0;
  }
  double mx = (atom1->x + atom2->x) / 2.0;
  double my = (atom1->y + atom2->y) / 2.0;
  return std::hypot(px - mx, py - my);
}

TXYZ tlink::vector(int from) const {
  if (atom1 == nullptr || atom2 == nullptr) {
    return {};
  }
  return from == 1 ? minus(*atom1, *atom2) : minus(*atom2, *atom1);
}

void tlink::scaleend(int e, double factor) {
  if (atom1 != nullptr && atom2 != nullptr && atom1->element > 0 &&
      atom2->element > 0) {
    tatm* moving = end(e);
    const tatm* anchor = other(moving);
    moving->setxyz(anchor->x + (moving->x - anchor->x) * factor,
                   anchor->y + (moving->y - anchor->y) * factor,
                   anchor->z + (moving->z - anchor->z) * factor);
  }
  refresh();
}

void tlink::rotate2d(double cx, double cy, double degrees) {
  double theta = degrees * std::numbers::pi / 180.0;
  double c = std::cos(theta);
  double s = std::sin(theta);
  for (tatm* end : {atom1, atom2}) {
    if (end == nullptr) {
      continue;
    }
    double dx = end->x - cx;
    double dy = end->y - cy;
    end->x = cx + dx * c + dy * s;
    end->y = cy - dx * s + dy * c;
    end->sx = roundhalfeven(end->x);
    end->sy = roundhalfeven(end->y);
  }
  calcoffsets();
}

void tlink::scaleabout(double factor) {
  if (atom1 == nullptr || atom2 == nullptr) {
    return;
  }
  double mx = (atom1->x + atom2->x) / 2.0;
  double my = (atom1->y + atom2->y) / 2.0;
  double mz = (atom1->z + atom2->z) / 2.0;
  atom1->scaleabout(mx, my, mz, factor);
  atom2->scaleabout(mx, my, mz, factor);
}

void tlink::refresh() {
  if (atom1 != nullptr) {
    atom1->commit();
  }
  if (atom2 != nullptr) {
    atom2->commit();
  }
  calcoffsets();
  kstretch = ffkind() * stretchperorder;
  kdiss = ffkind() * dissociationperorder;
}

void tlink::calcoffsets() {
  if (atom1 == nullptr || atom2 == nullptr) {
    return;
  }
  double dx = atom2->x - atom1->x;
  double dy = atom2->y - atom1->y;
  double length = std::sqrt(dx * dx + dy * dy);
  if (length <= 0.000001) {
    return;
  }
  int k = kind();
  double gap = spacing;
  if (k == 5 || k == 6) {
    gap *= triplespacingfactor;
  } else if (k != 3 && k != 4) {
    return;
  }
  offx = -roundhalfeven(gap * dy / length);
  offy = roundhalfeven(gap * dx / length);
}

void tlink::choosesides() {
  int k = kind();
  if ((k != 3 && k != 4) || atom1 == nullptr || atom2 == nullptr) {
    return;
  }
  int count1 = atom1->findneighbours();
  int count2 = atom2->findneighbours();
  tAtoms near1 = atom1->neighboursexcept(atom2);
  tAtoms near2 = atom2->neighboursexcept(atom1);
  auto sidefor = [this](const tatm& p, const tatm& q) {
    TXYZ u = minus(p, *atom1);
    TXYZ w = minus(q, *atom2);
    TXYZ sum{u.x + w.x, u.y + w.y, u.z + w.z};
    return dot(sum, TXYZ{static_cast<double>(offx), static_cast<double>(offy),
                         static_cast<double>(spacing)});
  };
  if (count1 == 2 && count2 == 2) {
    tatm* p = near1.items(0);
    tatm* q = near2.items(0);
    if (p == nullptr || q == nullptr || p->element < 2 || q->element < 2 ||
        p->hybridization + q->hybridization == 0 || transpair(*this, *p, *q)) {
      return;
    }
    side = sidefor(*p, *q) >= 0.0 ? 1 : -1;
    ref1 = p->ownerposition();
    ref2 = q->ownerposition();
    return;
  }
  if (count1 < 3 && count2 < 3) {
    return;
  }
  int best = 0;
  for (tatm* p : near1) {
    for (tatm* q : near2) {
      if (p->element == 1 || q->element == 1) {
        continue;
      }
      int sum = p->hybridization + q->hybridization;
      if (sum <= best || transpair(*this, *p, *q)) {
        continue;
      }
      best = sum;
      side = sidefor(*p, *q) > 0.0 ? 1 : -1;
      ref1 = p->ownerposition();
      ref2 = q->ownerposition();
    }
  }
}

void tlink::dragtocursor(int cursorx, int cursory) {
  if (atom1 == nullptr || atom2 == nullptr) {
    return;
  }
  double dx = cursorx - (atom1->x + atom2->x) / 2.0;
  double dy = cursory - (atom1->y + atom2->y) / 2.0;
  atom1->move(dx, dy, 0.0);
  atom2->move(dx, dy, 0.0);
  setcolour(draggedcolour);
}

double tlink::bondenergy() {
  if (atom1 == nullptr || atom2 == nullptr || atom1->element < 1 ||
      atom2->element < 1) {
    return 0.0;
  }
  double k = ffkind();
  int code = 100 * atom1->element + atom2->element;
  switch (code) {
    case 606:
      kdiss = 29300.0 * k + 25600.0;
      break;
    case 607:
    case 706:
      kdiss = 35400.0 * k + 2200.0;
      break;
    case 608:
    case 806:
      kdiss = 42500.0 * k;
      break;
    case 707:
      kdiss = 5890.3 * k * k + 11714.3;
      break;
    case 808:
      kdiss = (k <= 2.0 ? 17500.0 : 21300.0) * k;
      break;
    default:
      kdiss = k * 0.5 * bondenergyof(atom1->element, atom2->element);
  }
  double ideal = ideallength();
  if (ideal <= 0.0) {
    return 0.0;
  }
  double stretch = std::exp(-morseexponent * (length() - ideal) / ideal) - 1.0;
  return kdiss * stretch * stretch;
}

int tlink::rank() {
  if (atom1 == nullptr || atom2 == nullptr) {
    return 0;
  }
  int c1 = atom1->findneighbours();
  int c2 = atom2->findneighbours();
  return c1 * c2 * (c1 + c2);
}

bool tlink::isrotatable() {
  if (atom1 == nullptr || atom2 == nullptr || kind() != 2 || isdelocalised()) {
    return false;
  }
  for (tatm* end : {atom1, atom2}) {
    if (end->gethybridization() <= 1 || end->findneighbours() < 2) {
      return false;
    }
  }
  tbondsides sides = splitsides();
  return !sides.side1.intersects(sides.side2);
}

tbondsides tlink::splitsides() const {
  tbondsides sides;
  if (atom1 != nullptr && atom2 != nullptr) {
    sides.side1 = reachable(atom1, this);
    sides.side2 = reachable(atom2, this);
  }
  return sides;
}

void tlink::adjustlength(int mode) {
  if (!geometry().build3d || atom1 == nullptr || atom2 == nullptr) {
    return;
  }
  double current = length();
  if (current <= 0.0) {
    return;
  }
  double factor = ideallength() / current;
  if (mode == 1) {
    scaleend(2, factor);
  } else if (mode == 2) {
    scaleend(1, factor);
  } else if (mode == 0) {
    bool terminal1 = atom1->findneighbours() == 1;
    bool terminal2 = atom2->findneighbours() == 1;
    if (terminal1 && !terminal2) {
      scaleend(1, factor);
    } else if (terminal2 && !terminal1) {
      scaleend(2, factor);
    }
  }
}

tbond::tbond(tatm* a, std::uint32_t newcolour, tbondstyle newstyle, int newkind,
             tatm* b)
    : tlink(newkind, newcolour, newstyle) {
  atom1 = a;
  atom2 = b;
  // A new bond takes the pen of the drawing that holds its atoms.
  const tgeometrysettings& settings = geometryofends(a, b);
  width = settings.linewidth();
  spacing = settings.doublebondspacing;
  for (tatm* end : {a, b}) {
    if (end != nullptr) {
      end->valence2 = saturatedbyte(end->valence2 - newkind);
      end->hfree = static_cast<std::int8_t>((end->valence2 % 100) / 2);
    }
  }
  if (chemical != 0) {
    kdiss = ffkind() * dissociationperorder;
    kstretch = 10.0 * kdiss;
  }
  if (a != nullptr && b != nullptr) {
    initialoffsets(*this);
  }
}

namespace {

std::unique_ptr<tatm> newcarbonalong(const tatm& a, const TXYZ& v) {
  double length = std::sqrt(dot(v, v));
  double bond = a.geometry().bondlength;
  TXYZ step = length > 0.0 ? TXYZ{v.x / length * bond, v.y / length * bond,
                                  v.z / length * bond}
                           : TXYZ{bond, 0.0, 0.0};
  return std::make_unique<tatm>(6, nolabel, a.x + step.x, a.y + step.y,
                                a.z + step.z);
}

}  // namespace

tbond::tbond(tatm* a, std::uint32_t newcolour, tbondstyle newstyle, int newkind,
             const TXYZ& v, std::unique_ptr<tatm>& newatom)
    : tbond(a, newcolour, newstyle, newkind,
            (newatom = newcarbonalong(*a, v)).get()) {}

tbond::tbond(const bondrecord& record, const tAtoms& atoms)
    : tlink(record, atoms) {}

std::unique_ptr<tbond> tbond::copyof(const tlink& other, tatm* a, tatm* b) {
  auto copy = std::make_unique<tbond>(bondrecord{}, tAtoms{});
  static_cast<tlink&>(*copy) = other;
  copy->atom1 = a;
  copy->atom2 = b;
  return copy;
}

}  // namespace molvane
