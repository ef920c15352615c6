// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/ring_angles.h"

#include <algorithm>
#include <numbers>

namespace molvane {

namespace {

constexpr double degree = std::numbers::pi / 180.0;
constexpr int largestring = 6;

/// Ideal angle inside a ring of that size, or 0 when the plain angle holds.
double inringangle(int size, bool flat) {
  switch (size) {
    case 3:
      return 60.0 * degree;
    case 4:
      return 90.0 * degree;
    case 5:
      return (flat ? 108.0 : 104.0) * degree;
    default:
      return 0.0;
  }
}

/// At a flat centre with one double bond, the double bond takes more room:
/// 122° beside it and 116° between the two single bonds (ethylene,
/// ketones, amides).
double flatangle(const std::vector<bool>& doubled, std::size_t i,
                 std::size_t j) {
  const auto doubles = std::count(doubled.begin(), doubled.end(), true);
  if (doubles != 1) {
    return 120.0 * degree;
  }
  return (doubled[i] || doubled[j] ? 122.0 : 116.0) * degree;
}

}  // namespace

int smallringsize(const std::vector<std::vector<std::int32_t>>& neighbours,
                  std::int32_t first, std::int32_t centre,
                  std::int32_t second) {
  // Breadth-first from first to second without passing the centre.
  std::vector<std::int32_t> frontier{first};
  std::vector<std::int32_t> seen{centre, first};
  for (int steps = 1; steps <= largestring - 2 && !frontier.empty(); ++steps) {
    std::vector<std::int32_t> next;
    for (std::int32_t atom : frontier) {
      for (std::int32_t n : neighbours[static_cast<std::size_t>(atom)]) {
        if (n == second) {
          return steps + 2;
        }
        if (std::find(seen.begin(), seen.end(), n) == seen.end()) {
          seen.push_back(n);
          next.push_back(n);
        }
      }
    }
    frontier = std::move(next);
  }
  return 0;
}

std::vector<double> ringidealangles(
    const std::vector<std::vector<std::int32_t>>& neighbours,
    std::int32_t centre, bool flat, double ideal,
    const std::vector<bool>& doubled) {
  const auto& around = neighbours[static_cast<std::size_t>(centre)];
  const std::size_t m = around.size();
  const bool trigonal = flat && m == 3;
  std::vector<double> angles;
  std::vector<bool> inring;
  double ringsum = 0.0;
  bool anysmall = false;
  bool anyring = false;
  for (std::size_t i = 0; i < m; ++i) {
    for (std::size_t j = i + 1; j < m; ++j) {
      const int size = smallringsize(neighbours, around[i], centre, around[j]);
      const double angle = inringangle(size, flat);
      anysmall = anysmall || angle > 0.0;
      anyring = anyring || size > 0;
      angles.push_back(angle > 0.0 ? angle : ideal);
      inring.push_back(size > 0);
      ringsum += size > 0 ? angles.back() : 0.0;
    }
  }
  if (trigonal && !anyring) {
    // Outside rings the double bond takes its room; inside a flat ring the
    // ring angles must add up to the full polygon, so they stay even.
    for (std::size_t i = 0, k = 0; i < m; ++i) {
      for (std::size_t j = i + 1; j < m; ++j, ++k) {
        angles[k] = flatangle(doubled, i, j);
      }
    }
  } else if (trigonal && anysmall) {
    const auto open =
        static_cast<double>(std::count(inring.begin(), inring.end(), false));
    for (std::size_t k = 0; k < angles.size(); ++k) {
      if (!inring[k] && open > 0.0) {
        angles[k] = (360.0 * degree - ringsum) / open;
      }
    }
  }
  return angles;
}

}  // namespace molvane
