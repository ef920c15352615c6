// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/record_layout.h"

#include "chemistry/coordgen_layout.h"
#include "chemistry/fallback_layout.h"
#include "chemistry/record_rings.h"
#include "chemistry/stereo_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <set>
#include <utility>

namespace molvane {
namespace {

constexpr double bondlength = 1.5;
/// Parts up to this size go to the library, larger ones get the quick
/// layout: the library's time grows with the cube of a chain's length and
/// reaches about 2 s here. Its time for large rings grows faster still: a
/// ring of 30 takes 0.7 s, one of 40 more than 10 s, so parts whose rings
/// average more atoms than that are laid out quickly too, as are parts
/// with crowded atoms.
constexpr std::size_t largestlibrarypart = 150;
constexpr std::size_t largestlibraryring = 30;
constexpr std::size_t mostlibraryrings = 60;
constexpr std::size_t mostlibraryneighbours = 8;
/// Space between parts laid side by side, in bond lengths.
constexpr double partgap = 2.0;

/// One connected part: its atoms in record order and its own record.
struct tpart {
  std::vector<int> atoms;
  tmoleculerecord record;
  trecordstereo stereo;
  std::vector<tflatpoint> points;
  double left = 0, right = 0, bottom = 0, top = 0;
};

std::vector<tpart> splitparts(const tmoleculerecord& record,
                              const trecordstereo& stereo) {
  const std::size_t count = record.atoms.size();
  std::vector<std::vector<int>> neighbours(count);
  for (const tbondentry& bond : record.bonds) {
    neighbours[static_cast<std::size_t>(bond.atom1)].push_back(bond.atom2);
    neighbours[static_cast<std::size_t>(bond.atom2)].push_back(bond.atom1);
  }
  std::vector<int> partof(count, -1), local(count, -1);
  std::vector<tpart> parts;
  for (std::size_t start = 0; start < count; ++start) {
    if (partof[start] >= 0) {
      continue;
    }
    tpart part;
    const int index = static_cast<int>(parts.size());
    std::vector<int> stack{static_cast<int>(start)};
    partof[start] = index;
    while (!stack.empty()) {
      int atom = stack.back();
      stack.pop_back();
      part.atoms.push_back(atom);
      for (int next : neighbours[static_cast<std::size_t>(atom)]) {
        if (partof[static_cast<std::size_t>(next)] < 0) {
          partof[static_cast<std::size_t>(next)] = index;
          stack.push_back(next);
        }
      }
    }
    std::sort(part.atoms.begin(), part.atoms.end());
    for (std::size_t i = 0; i < part.atoms.size(); ++i) {
      local[static_cast<std::size_t>(part.atoms[i])] = static_cast<int>(i);
      part.record.atoms.push_back(
          record.atoms[static_cast<std::size_t>(part.atoms[i])]);
    }
    parts.push_back(std::move(part));
  }
  // Each bond once; the position of each record bond in its part.
  std::vector<int> localbond(record.bonds.size(), -1);
  std::set<std::pair<int, int>> seen;
  for (std::size_t i = 0; i < record.bonds.size(); ++i) {
    tbondentry bond = record.bonds[i];
    if (!seen.insert(std::minmax(bond.atom1, bond.atom2)).second) {
      continue;
    }
    tpart& part = parts[static_cast<std::size_t>(
        partof[static_cast<std::size_t>(bond.atom1)])];
    bond.atom1 = local[static_cast<std::size_t>(bond.atom1)];
    bond.atom2 = local[static_cast<std::size_t>(bond.atom2)];
    localbond[i] = static_cast<int>(part.record.bonds.size());
    part.record.bonds.push_back(bond);
  }
  for (const tdoublebondstereo& stated : stereo.doublebonds) {
    if (stated.bond < 0 ||
        static_cast<std::size_t>(stated.bond) >= record.bonds.size() ||
        localbond[static_cast<std::size_t>(stated.bond)] < 0 ||
        stated.neighbour1 < 0 ||
        static_cast<std::size_t>(stated.neighbour1) >= count ||
        stated.neighbour2 < 0 ||
        static_cast<std::size_t>(stated.neighbour2) >= count) {
      continue;
    }
    const int where = partof[static_cast<std::size_t>(stated.neighbour1)];
    if (partof[static_cast<std::size_t>(stated.neighbour2)] != where ||
        partof[static_cast<std::size_t>(
            record.bonds[static_cast<std::size_t>(stated.bond)].atom1)] !=
            where) {
      continue;
    }
    tpart& part = parts[static_cast<std::size_t>(where)];
    tdoublebondstereo mapped{localbond[static_cast<std::size_t>(stated.bond)],
                             local[static_cast<std::size_t>(stated.neighbour1)],
                             local[static_cast<std::size_t>(stated.neighbour2)],
                             stated.cis};
    if (statedfits(part.record, mapped)) {
      part.stereo.doublebonds.push_back(mapped);
    }
  }
  return parts;
}

bool suitsthelibrary(const tmoleculerecord& part) {
  if (part.atoms.size() > largestlibrarypart ||
      part.bonds.size() + 1 > part.atoms.size() + mostlibraryrings) {
    return false;
  }
  const std::vector<bool> inring = ringbonds(part);
  std::vector<bool> ringatom(part.atoms.size(), false);
  for (std::size_t i = 0; i < part.bonds.size(); ++i) {
    if (inring[i]) {
      ringatom[static_cast<std::size_t>(part.bonds[i].atom1)] = true;
      ringatom[static_cast<std::size_t>(part.bonds[i].atom2)] = true;
    }
  }
  const auto ringatoms = static_cast<std::size_t>(
      std::count(ringatom.begin(), ringatom.end(), true));
  const std::size_t rings = part.bonds.size() + 1 - part.atoms.size();
  if (ringatoms > largestlibraryring * rings) {
    return false;
  }
  std::vector<std::size_t> degree(part.atoms.size(), 0);
  for (const tbondentry& bond : part.bonds) {
    if (++degree[static_cast<std::size_t>(bond.atom1)] >
            mostlibraryneighbours ||
        ++degree[static_cast<std::size_t>(bond.atom2)] >
            mostlibraryneighbours) {
      return false;
    }
  }
  return true;
}

/// Scales a part's points so that its median bond is one bond length
/// long (a few stretched bonds of the quick layout do not shrink the rest),
/// and notes its extent.
void normalise(tpart& part) {
  std::vector<double> lengths;
  lengths.reserve(part.record.bonds.size());
  for (const tbondentry& bond : part.record.bonds) {
    const tflatpoint& a = part.points[static_cast<std::size_t>(bond.atom1)];
    const tflatpoint& b = part.points[static_cast<std::size_t>(bond.atom2)];
    lengths.push_back(std::hypot(a.x - b.x, a.y - b.y));
  }
  double factor = 1.0;
  if (!lengths.empty()) {
    auto middle =
        lengths.begin() + static_cast<std::ptrdiff_t>(lengths.size() / 2);
    std::nth_element(lengths.begin(), middle, lengths.end());
    if (*middle > 0 && std::isfinite(*middle)) {
      factor = bondlength / *middle;
    }
  }
  part.left = part.bottom = std::numeric_limits<double>::infinity();
  part.right = part.top = -std::numeric_limits<double>::infinity();
  for (tflatpoint& point : part.points) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
      point = {0.0, 0.0};
    }
    point.x *= factor;
    point.y *= factor;
    part.left = std::min(part.left, point.x);
    part.right = std::max(part.right, point.x);
    part.bottom = std::min(part.bottom, point.y);
    part.top = std::max(part.top, point.y);
  }
}

/// Places the parts in rows, left to right and top to bottom, rows about
/// as wide as the whole is tall.
void arrange(std::vector<tpart>& parts, tmoleculerecord& record) {
  double area = 0.0, widest = 0.0;
  for (const tpart& part : parts) {
    double width = part.right - part.left + partgap * bondlength;
    double height = part.top - part.bottom + partgap * bondlength;
    area += width * height;
    widest = std::max(widest, width);
  }
  const double rowwidth = std::max(widest, std::sqrt(area) * 1.5);
  double x = 0.0, rowtop = 0.0, rowheight = 0.0;
  for (const tpart& part : parts) {
    double width = part.right - part.left;
    double height = part.top - part.bottom;
    if (x > 0 && x + width > rowwidth) {
      x = 0.0;
      rowtop -= rowheight + partgap * bondlength;
      rowheight = 0.0;
    }
    for (std::size_t i = 0; i < part.atoms.size(); ++i) {
      tatomentry& atom = record.atoms[static_cast<std::size_t>(part.atoms[i])];
      atom.x = x + part.points[i].x - part.left;
      atom.y = rowtop - (part.top - part.points[i].y);
      atom.z = 0.0;
    }
    x += width + partgap * bondlength;
    rowheight = std::max(rowheight, height);
  }
}

}  // namespace

std::string layoutrecord(tmoleculerecord& record, const trecordstereo& stereo) {
  const auto count = static_cast<int>(record.atoms.size());
  for (const tbondentry& bond : record.bonds) {
    if (bond.atom1 < 0 || bond.atom1 >= count || bond.atom2 < 0 ||
        bond.atom2 >= count || bond.atom1 == bond.atom2) {
      return "a bond names an atom the structure does not have";
    }
  }
  std::vector<tpart> parts = splitparts(record, stereo);
  std::vector<std::string> notices;
  bool quick = false;
  for (tpart& part : parts) {
    if (suitsthelibrary(part.record)) {
      part.points = librarylayout(part.record, part.stereo);
    } else {
      part.points = quicklayout(part.record);
      quick = true;
    }
    turndoublebonds(part.record, part.stereo, part.points, notices);
    normalise(part);
  }
  arrange(parts, record);
  if (quick) {
    record.notices.push_back(
        "a large structure was laid out quickly in a simple pattern");
  }
  record.notices.insert(record.notices.end(), notices.begin(), notices.end());
  placewedges(record, stereo);
  return "";
}

}  // namespace molvane
