// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/legible_turn.h"

#include "model/rotation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace molvane {

namespace {

/// The tilts tried about each axis, in degrees.
constexpr std::array<int, 9> tilts{0, 15, -15, 30, -30, 45, -45, 60, -60};

double squared(double value) { return value * value; }

/// The typical bond length of points: the median of every point's distance
/// to its nearest neighbour in space.
double typicalbond(const std::vector<TXYZ>& points) {
  std::vector<double> nearest;
  nearest.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j < points.size(); ++j) {
      if (i == j) {
        continue;
      }
      const double d = squared(points[i].x - points[j].x) +
                       squared(points[i].y - points[j].y) +
                       squared(points[i].z - points[j].z);
      if (d > 0.0) {
        best = std::min(best, d);
      }
    }
    if (std::isfinite(best)) {
      nearest.push_back(std::sqrt(best));
    }
  }
  if (nearest.empty()) {
    return 0.0;
  }
  const auto middle = nearest.begin() + static_cast<long>(nearest.size() / 2);
  std::nth_element(nearest.begin(), middle, nearest.end());
  return *middle;
}

int countoverlaid(const std::vector<TXYZ>& points, double closeness) {
  const double limit = squared(closeness);
  int count = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    for (std::size_t j = i + 1; j < points.size(); ++j) {
      const double plane = squared(points[i].x - points[j].x) +
                           squared(points[i].y - points[j].y);
      if (plane < limit &&
          plane + squared(points[i].z - points[j].z) >= limit) {
        ++count;
      }
    }
  }
  return count;
}

}  // namespace

int overlaidpairs(const std::vector<TXYZ>& points) {
  return countoverlaid(points, typicalbond(points) / 3.0);
}

tmatrix3 legibleturn(const std::vector<TXYZ>& points) {
  tmatrix3 best{{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};
  if (points.size() < 3) {
    return best;
  }
  const double closeness = typicalbond(points) / 3.0;
  if (!(closeness > 0.0)) {
    return best;
  }
  const TXYZ origin{0.0, 0.0, 0.0};
  int fewest = countoverlaid(points, closeness);
  int smallesttilt = 0;
  std::vector<TXYZ> turned(points.size());
  for (const int aboutx : tilts) {
    for (const int abouty : tilts) {
      const int tilt = std::abs(aboutx) + std::abs(abouty);
      if (tilt == 0) {
        continue;
      }
      const tmatrix3 turn =
          product(rotationmatrix(yaxis, abouty), rotationmatrix(xaxis, aboutx));
      std::transform(
          points.begin(), points.end(), turned.begin(),
          [&](const TXYZ& point) { return turnpoint(turn, origin, point); });
      const int overlaid = countoverlaid(turned, closeness);
      if (overlaid < fewest || (overlaid == fewest && tilt < smallesttilt)) {
        fewest = overlaid;
        smallesttilt = tilt;
        best = turn;
      }
    }
  }
  return best;
}

}  // namespace molvane
