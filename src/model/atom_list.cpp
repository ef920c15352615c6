// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/atom_list.h"

#include "model/atom.h"
#include "model/rotation.h"

#include <algorithm>
#include <cstddef>

namespace molvane {

namespace {

/// The mean of position over the chemical atoms of list. Symbol points and
/// labels count only when there is nothing else, so that a symbol's own
/// point list still has a centre.
template <class tposition>
TXYZ meanposition(const tAtoms& list, tposition position) {
  const bool chemicalonly = list.countchemical() > 0;
  TXYZ sum;
  int n = 0;
  for (const tatm* atom : list) {
    if (chemicalonly && !atom->ischemical()) {
      continue;
    }
    const TXYZ at = position(*atom);
    sum.x += at.x;
    sum.y += at.y;
    sum.z += at.z;
    ++n;
  }
  if (n == 0) {
    return {};
  }
  return {sum.x / n, sum.y / n, sum.z / n};
}

bool ischemicalatom(const tatm* atom) {
  return atom != nullptr && atom->ischemical();
}

// Extreme of a per-atom pixel value over the list; 0 for an empty list.
template <class Pixel, class Better>
int extremepixel(const tAtoms& atoms, Pixel pixel, Better better) {
  if (atoms.empty()) {
    return 0;
  }
  int best = pixel(*atoms.first());
  for (const tatm* atom : atoms) {
    best = better(best, pixel(*atom));
  }
  return best;
}

int smaller(int a, int b) { return std::min(a, b); }
int larger(int a, int b) { return std::max(a, b); }

}  // namespace

void tAtoms::addunique(tatm* atom) {
  if (ischemicalatom(atom)) {
    additem(atom);
  }
}

void tAtoms::addelementrep(tatm* atom) {
  if (!ischemicalatom(atom)) {
    return;
  }
  const bool represented =
      std::any_of(begin(), end(), [atom](const tatm* present) {
        return present->element == atom->element;
      });
  if (!represented) {
    add(atom);
  }
}

tAtoms tAtoms::elementrepresentatives(const tAtoms& list) {
  tAtoms representatives;
  for (tatm* atom : list) {
    representatives.addelementrep(atom);
  }
  return representatives;
}

void tAtoms::addatoms(const tAtoms& list) { addlist(list); }

int tAtoms::countchemical() const {
  return static_cast<int>(std::count_if(begin(), end(), ischemicalatom));
}

int tAtoms::counthydrogen() const {
  return static_cast<int>(std::count_if(begin(), end(), [](const tatm* atom) {
    return ischemicalatom(atom) && atom->element == 1;
  }));
}

double tAtoms::meanx() const {
  double sum = 0.0;
  int n = 0;
  for (const tatm* atom : *this) {
    if (ischemicalatom(atom)) {
      sum += atom->x;
      ++n;
    }
  }
  return n == 0 ? 0.0 : sum / n;
}

double tAtoms::meany() const {
  double sum = 0.0;
  int n = 0;
  for (const tatm* atom : *this) {
    if (ischemicalatom(atom)) {
      sum += atom->y;
      ++n;
    }
  }
  return n == 0 ? 0.0 : sum / n;
}

TXYZ tAtoms::centroid3() const {
  return meanposition(*this, [](const tatm& atom) {
    return TXYZ{atom.x, atom.y, atom.z};
  });
}

TXYZ tAtoms::referencecentroid3() const {
  return meanposition(*this, [](const tatm& atom) {
    return TXYZ{atom.x0, atom.y0, atom.z0};
  });
}

void tAtoms::mirror(int axis) {
  if (axis < 1 || axis > 3) {
    return;
  }
  const TXYZ centre = centroid3();
  for (tatm* atom : *this) {
    if (axis == 1) {
      atom->x = 2.0 * centre.x - atom->x;
    } else if (axis == 2) {
      atom->y = 2.0 * centre.y - atom->y;
    } else {
      atom->z = 2.0 * centre.z - atom->z;
    }
    atom->updatescreen();
  }
}

void tAtoms::rotate(const tmatrix3& matrix, double cx, double cy, double cz) {
  for (tatm* atom : *this) {
    if (!atom->ischemical()) {
      continue;
    }
    const TXYZ turned =
        turnpoint(matrix, {cx, cy, cz}, {atom->x, atom->y, atom->z});
    atom->x = turned.x;
    atom->y = turned.y;
    atom->z = turned.z;
    atom->updatescreen();
  }
}

void tAtoms::moveto(double x, double y, double z) {
  const TXYZ centre = centroid3();
  const double dx = x - centre.x;
  const double dy = y - centre.y;
  const double dz = z - centre.z;
  for (tatm* atom : *this) {
    atom->x += dx;
    atom->y += dy;
    atom->z += dz;
    atom->refreshhfree();
  }
}

void tAtoms::scaleabout(double cx, double cy, double cz, double factor) {
  for (tatm* atom : *this) {
    atom->scaleabout(cx, cy, cz, factor);
  }
}

void tAtoms::scale(double factor) {
  const TXYZ centre = centroid3();
  scaleabout(centre.x, centre.y, centre.z, factor);
}

void tAtoms::updatescreen() {
  for (tatm* atom : *this) {
    atom->updatescreen();
  }
}

void tAtoms::setcolourall(std::uint32_t colour) {
  for (tatm* atom : *this) {
    atom->setcolour(colour);
  }
}

void tAtoms::setfontall(std::uint8_t fontindex) {
  for (tatm* atom : *this) {
    atom->fontindex = fontindex;
  }
}

void tAtoms::setbyteall(std::uint8_t mark) {
  for (tatm* atom : *this) {
    atom->setmark(mark);
  }
}

int tAtoms::maxnumber() const {
  int largest = 0;
  for (const tatm* atom : *this) {
    largest = std::max(largest, static_cast<int>(atom->number));
  }
  return largest;
}

void tAtoms::clearnumbers() {
  for (tatm* atom : *this) {
    if (atom->ischemical()) {
      atom->number = 0;
    }
  }
}

bool tAtoms::allunnumbered() const {
  return std::none_of(begin(), end(), [](const tatm* atom) {
    return atom->ischemical() && atom->number != 0;
  });
}

int tAtoms::minx() const {
  return extremepixel(
      *this, [](const tatm& atom) { return atom.leftpixel(); }, smaller);
}

int tAtoms::maxx() const {
  return extremepixel(
      *this, [](const tatm& atom) { return atom.rightpixel(); }, larger);
}

int tAtoms::miny() const {
  return extremepixel(
      *this, [](const tatm& atom) { return atom.uppixel(); }, smaller);
}

int tAtoms::maxy() const {
  return extremepixel(
      *this, [](const tatm& atom) { return atom.downpixel(); }, larger);
}

txyzList tAtoms::savecoords() const {
  txyzList saved;
  saved.reserve(static_cast<std::size_t>(countchemical()));
  for (const tatm* atom : *this) {
    if (atom->ischemical()) {
      saved.push_back({atom->x, atom->y, atom->z});
    }
  }
  return saved;
}

void tAtoms::updatecoords(txyzList& saved) const {
  saved.resize(static_cast<std::size_t>(countchemical()));
  std::size_t i = 0;
  for (const tatm* atom : *this) {
    if (atom->ischemical()) {
      saved[i++] = {atom->x, atom->y, atom->z};
    }
  }
}

void tAtoms::restorecoords(const txyzList& saved) {
  std::size_t i = 0;
  for (tatm* atom : *this) {
    if (!atom->ischemical()) {
      continue;
    }
    if (i >= saved.size()) {
      return;
    }
    const TXYZ& point = saved[i++];
    if (atom->fixed == 0) {
      atom->setxyzraw(point.x, point.y, point.z);
      atom->updatescreen();
    }
  }
}

}  // namespace molvane
