// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/cell_list.h"

#include <algorithm>
#include <cmath>

namespace molvane {

void tcelllist::build(std::span<const double> xyz, double reach) {
  const std::size_t n = xyz.size() / 3;
  reach2_ = reach * reach;
  cellof_.assign(n, 0);
  double low[3] = {0.0, 0.0, 0.0};
  double high[3] = {0.0, 0.0, 0.0};
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t k = 0; k < 3; ++k) {
      const double v = xyz[3 * i + k];
      low[k] = i == 0 ? v : std::min(low[k], v);
      high[k] = i == 0 ? v : std::max(high[k], v);
    }
  }
  // Cells at least reach wide, and never many more of them than points.
  const double largest = 2.0 * static_cast<double>(n) + 27.0;
  double counts[3];
  for (std::size_t k = 0; k < 3; ++k) {
    const double extent = high[k] - low[k];
    counts[k] = reach > 0.0 && extent > 0.0
                    ? std::max(1.0, std::floor(std::min(extent / reach, 1e6)))
                    : 1.0;
  }
  while (counts[0] * counts[1] * counts[2] > largest) {
    double& widest = *std::max_element(counts, counts + 3);
    widest = std::max(1.0, std::floor(widest / 2.0));
  }
  double size[3];
  for (std::size_t k = 0; k < 3; ++k) {
    dims_[k] = static_cast<std::int64_t>(counts[k]);
    size[k] = (high[k] - low[k]) / counts[k];
  }
  const std::int64_t cells = dims_[0] * dims_[1] * dims_[2];
  first_.assign(static_cast<std::size_t>(cells) + 1, 0);
  for (std::size_t i = 0; i < n; ++i) {
    std::int64_t at[3];
    for (std::size_t k = 0; k < 3; ++k) {
      const double offset =
          size[k] > 0.0 ? std::floor((xyz[3 * i + k] - low[k]) / size[k]) : 0.0;
      at[k] = std::clamp(
          static_cast<std::int64_t>(std::clamp(offset, 0.0, counts[k] - 1.0)),
          std::int64_t{0}, dims_[k] - 1);
    }
    cellof_[i] = cellindex(at[0], at[1], at[2]);
    ++first_[static_cast<std::size_t>(cellof_[i]) + 1];
  }
  for (std::size_t c = 1; c < first_.size(); ++c) {
    first_[c] += first_[c - 1];
  }
  members_.assign(n, 0);
  std::vector<std::int64_t> next(first_.begin(), first_.end() - 1);
  for (std::size_t i = 0; i < n; ++i) {
    members_[static_cast<std::size_t>(
        next[static_cast<std::size_t>(cellof_[i])]++)] =
        static_cast<std::int32_t>(i);
  }
}

}  // namespace molvane
