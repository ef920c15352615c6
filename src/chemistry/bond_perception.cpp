// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/bond_perception.h"

#include "model/element_data.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>

namespace molvane {

namespace {

using tcell = std::array<std::int64_t, 3>;

tcell cellof(const tplacedatom& atom, double size) {
  auto index = [size](double value) {
    return static_cast<std::int64_t>(std::floor(value / size));
  };
  return {index(atom.x), index(atom.y), index(atom.z)};
}

}  // namespace

tperceivedbonds perceivebonds(std::span<const tplacedatom> atoms,
                              std::size_t maxpairs) {
  tperceivedbonds result;
  double largest = 0.0;
  for (const tplacedatom& atom : atoms) {
    largest = std::max(largest, radiusof(atom.element));
  }
  if (largest <= 0.0) {
    return result;
  }
  // A cell as wide as the longest possible bond: bonded atoms lie in the
  // same or in neighbouring cells.
  const double size = 2.0 * largest + bondtolerance;
  std::map<tcell, std::vector<int>> cells;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    if (radiusof(atoms[i].element) > 0.0) {
      cells[cellof(atoms[i], size)].push_back(static_cast<int>(i));
    }
  }
  std::size_t looked = 0;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    const tplacedatom& a = atoms[i];
    double ra = radiusof(a.element);
    if (ra <= 0.0) {
      continue;
    }
    tcell home = cellof(a, size);
    std::vector<int> partners;
    for (std::int64_t dx = -1; dx <= 1; ++dx) {
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        for (std::int64_t dz = -1; dz <= 1; ++dz) {
          auto found = cells.find({home[0] + dx, home[1] + dy, home[2] + dz});
          if (found == cells.end()) {
            continue;
          }
          for (int j : found->second) {
            if (static_cast<std::size_t>(j) <= i) {
              continue;
            }
            if (++looked > maxpairs) {
              result.complete = false;
              return result;
            }
            const tplacedatom& b = atoms[static_cast<std::size_t>(j)];
            double distance = std::sqrt((a.x - b.x) * (a.x - b.x) +
                                        (a.y - b.y) * (a.y - b.y) +
                                        (a.z - b.z) * (a.z - b.z));
            double reach = ra + radiusof(b.element) + bondtolerance;
            if (distance >= shortestbond && distance <= reach) {
              partners.push_back(j);
            }
          }
        }
      }
    }
    std::sort(partners.begin(), partners.end());
    for (int j : partners) {
      result.pairs.emplace_back(static_cast<int>(i), j);
    }
  }
  return result;
}

}  // namespace molvane
