// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace molvane {

/// Finds the pairs of points closer than a reach by sorting the points into
/// a grid of cells at least that wide, so that only neighbouring cells are
/// compared: for matter of ordinary density the work grows linearly with
/// the number of points. The grid never has many more cells than points, so
/// points spread over a huge range, or all in one place, cost time (up to
/// every pair) but no memory beyond the points.
class tcelllist {
 public:
  /// Sorts the points (x, y, z of each in turn, all finite) into cells for
  /// pairs closer than reach (same unit as the points, > 0).
  void build(std::span<const double> xyz, double reach);

  /// Calls visit(i, j) once for every pair of points i != j closer than the
  /// reach, each pair once in either order. visit returns false to stop
  /// early; then so does this, otherwise it returns true.
  template <typename tvisit>
  bool forpairs(std::span<const double> xyz, tvisit&& visit) const;

  std::size_t points() const { return cellof_.size(); }

 private:
  std::int64_t cellindex(std::int64_t x, std::int64_t y, std::int64_t z) const {
    return (z * dims_[1] + y) * dims_[0] + x;
  }

  double reach2_ = 0.0;
  std::int64_t dims_[3] = {1, 1, 1};
  /// Cell of each point, and the points of cell c at
  /// members_[first_[c]] ... members_[first_[c + 1] - 1].
  std::vector<std::int64_t> cellof_;
  std::vector<std::int64_t> first_;
  std::vector<std::int32_t> members_;
};

template <typename tvisit>
bool tcelllist::forpairs(std::span<const double> xyz, tvisit&& visit) const {
  auto close = [this, xyz](std::int32_t i, std::int32_t j) {
    const auto a = static_cast<std::size_t>(i) * 3;
    const auto b = static_cast<std::size_t>(j) * 3;
    const double dx = xyz[a] - xyz[b];
    const double dy = xyz[a + 1] - xyz[b + 1];
    const double dz = xyz[a + 2] - xyz[b + 2];
    return dx * dx + dy * dy + dz * dz < reach2_;
  };
  const auto cells = static_cast<std::int64_t>(first_.size()) - 1;
  for (std::int64_t c = 0; c < cells; ++c) {
    const auto begin = first_[static_cast<std::size_t>(c)];
    const auto end = first_[static_cast<std::size_t>(c) + 1];
    if (begin == end) {
      continue;
    }
    const std::int64_t cz = c / (dims_[0] * dims_[1]);
    const std::int64_t cy = (c / dims_[0]) % dims_[1];
    const std::int64_t cx = c % dims_[0];
    // This cell with itself, then with the neighbours of higher index, so
    // each pair of cells is seen once.
    for (std::int64_t dz = -1; dz <= 1; ++dz) {
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
          const std::int64_t x = cx + dx, y = cy + dy, z = cz + dz;
          if (x < 0 || y < 0 || z < 0 || x >= dims_[0] || y >= dims_[1] ||
              z >= dims_[2]) {
            continue;
          }
          const std::int64_t other = cellindex(x, y, z);
          if (other < c) {
            continue;
          }
          const auto obegin = first_[static_cast<std::size_t>(other)];
          const auto oend = first_[static_cast<std::size_t>(other) + 1];
          for (auto p = begin; p < end; ++p) {
            const std::int32_t i = members_[static_cast<std::size_t>(p)];
            for (auto q = other == c ? p + 1 : obegin; q < oend; ++q) {
              const std::int32_t j = members_[static_cast<std::size_t>(q)];
              if (close(i, j) && !visit(i, j)) {
                return false;
              }
            }
          }
        }
      }
    }
  }
  return true;
}

}  // namespace molvane
