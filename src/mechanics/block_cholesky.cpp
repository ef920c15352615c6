// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/block_cholesky.h"

#include <queue>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace molvane {

namespace {

/// Fill beyond this many blocks below the diagonal per block row means the
/// graph is nothing like a molecule's; the factor is then not made.
constexpr std::size_t mostblocksperrow = 64;

tblock3 transposed(const tblock3& m) {
  return {m[0], m[3], m[6], m[1], m[4], m[7], m[2], m[5], m[8]};
}

/// The lower triangle of m made into its Cholesky factor, the upper
/// triangle cleared; false when m is not positive definite.
bool choleskyof(tblock3& m) {
  for (int j = 0; j < 3; ++j) {
    double pivot = m[4 * j];
    for (int k = 0; k < j; ++k) {
      pivot -= m[3 * j + k] * m[3 * j + k];
    }
    if (!(pivot > 0.0) || !std::isfinite(pivot)) {
      return false;
    }
    const double root = std::sqrt(pivot);
    m[4 * j] = root;
    for (int i = j + 1; i < 3; ++i) {
      double sum = m[3 * i + j];
      for (int k = 0; k < j; ++k) {
        sum -= m[3 * i + k] * m[3 * j + k];
      }
      m[3 * i + j] = sum / root;
      m[3 * j + i] = 0.0;
    }
  }
  return true;
}

/// x = L⁻¹ x for a lower triangular L.
void forward(const tblock3& l, double* x) {
  x[0] /= l[0];
  x[1] = (x[1] - l[3] * x[0]) / l[4];
  x[2] = (x[2] - l[6] * x[0] - l[7] * x[1]) / l[8];
}

/// x = L⁻ᵀ x for a lower triangular L.
void backward(const tblock3& l, double* x) {
  x[2] /= l[8];
  x[1] = (x[1] - l[7] * x[2]) / l[4];
  x[0] = (x[0] - l[3] * x[1] - l[6] * x[2]) / l[0];
}

/// target -= a bᵀ.
void subtractproduct(tblock3& target, const tblock3& a, const tblock3& b) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      target[3 * i + j] -= a[3 * i] * b[3 * j] + a[3 * i + 1] * b[3 * j + 1] +
                           a[3 * i + 2] * b[3 * j + 2];
    }
  }
}

}  // namespace

tblockcholesky::tblockcholesky(std::size_t blocks)
    : n_(blocks), pending_(blocks), diagonal_(blocks) {}

void tblockcholesky::add(std::size_t row, std::size_t column,
                         const tblock3& m) {
  factored_ = false;
  if (row == column) {
    for (std::size_t k = 0; k < 9; ++k) {
      diagonal_[row][k] += m[k];
    }
  } else if (row > column) {
    pending_[row].emplace_back(column, m);
  } else {
    pending_[column].emplace_back(row, transposed(m));
  }
}

void tblockcholesky::shift(double value) {
  for (tblock3& d : diagonal_) {
    d[0] += value;
    d[4] += value;
    d[8] += value;
  }
}

double tblockcholesky::meandiagonal() const {
  double sum = 0.0;
  for (const tblock3& d : diagonal_) {
    sum += d[0] + d[4] + d[8];
  }
  return n_ == 0 ? 0.0 : sum / static_cast<double>(3 * n_);
}

std::vector<std::size_t> tblockcholesky::eliminationorder(
    std::vector<std::vector<std::size_t>>& later) const {
  // Fewest remaining neighbours first, the neighbours of each eliminated
  // block joined to one another as the factor will join them.
  std::vector<std::vector<std::size_t>> around(n_);
  for (std::size_t row = 0; row < n_; ++row) {
    for (const auto& [column, block] : pending_[row]) {
      around[row].push_back(column);
      around[column].push_back(row);
    }
  }
  using tentry = std::pair<std::size_t, std::size_t>;  // degree, block
  std::priority_queue<tentry, std::vector<tentry>, std::greater<>> queue;
  for (std::size_t b = 0; b < n_; ++b) {
    std::sort(around[b].begin(), around[b].end());
    around[b].erase(std::unique(around[b].begin(), around[b].end()),
                    around[b].end());
    queue.emplace(around[b].size(), b);
  }
  std::vector<bool> gone(n_, false);
  std::vector<std::size_t> order;
  order.reserve(n_);
  std::vector<std::size_t> joined;
  while (!queue.empty()) {
    const std::size_t degree = queue.top().first;
    const std::size_t b = queue.top().second;
    queue.pop();
    if (gone[b] || degree != around[b].size()) {
      continue;  // eliminated already, or its degree has changed since
    }
    gone[b] = true;
    order.push_back(b);
    later.push_back(around[b]);  // all still to come: the column of L
    for (std::size_t u : around[b]) {
      joined.clear();
      std::set_union(around[u].begin(), around[u].end(), around[b].begin(),
                     around[b].end(), std::back_inserter(joined));
      joined.erase(
          std::remove_if(joined.begin(), joined.end(),
                         [&](std::size_t w) { return w == u || w == b; }),
          joined.end());
      if (joined.size() > mostblocksperrow) {
        return {};
      }
      around[u].swap(joined);
      queue.emplace(around[u].size(), u);
    }
  }
  return order;
}

tblock3* tblockcholesky::below(std::size_t column, std::size_t row) {
  tcolumn& c = columns_[column];
  const auto at = std::lower_bound(c.rows.begin(), c.rows.end(), row);
  if (at == c.rows.end() || *at != row) {
    return nullptr;
  }
  return &c.blocks[static_cast<std::size_t>(at - c.rows.begin())];
}

bool tblockcholesky::arrange() {
  columns_.clear();
  std::vector<std::vector<std::size_t>> later;
  original_ = eliminationorder(later);
  if (original_.size() != n_) {
    return false;
  }
  position_.assign(n_, 0);
  for (std::size_t p = 0; p < n_; ++p) {
    position_[original_[p]] = p;
  }
  columns_.assign(n_, {});
  for (std::size_t p = 0; p < n_; ++p) {
    auto& rows = columns_[p].rows;
    for (std::size_t block : later[p]) {
      rows.push_back(position_[block]);
    }
    std::sort(rows.begin(), rows.end());
    columns_[p].blocks.assign(rows.size(), tblock3{});
  }
  return true;
}

bool tblockcholesky::fill() {
  for (std::size_t p = 0; p < n_; ++p) {
    columns_[p].diagonal = diagonal_[original_[p]];
    std::fill(columns_[p].blocks.begin(), columns_[p].blocks.end(), tblock3{});
  }
  for (std::size_t row = 0; row < n_; ++row) {
    for (const auto& [column, block] : pending_[row]) {
      const std::size_t pr = position_[row];
      const std::size_t pc = position_[column];
      tblock3* target = pr > pc ? below(pc, pr) : below(pr, pc);
      if (target == nullptr) {
        return false;  // a block the order was not made for
      }
      const tblock3 add = pr > pc ? block : transposed(block);
      for (std::size_t k = 0; k < 9; ++k) {
        (*target)[k] += add[k];
      }
    }
  }
  return true;
}

bool tblockcholesky::factor() {
  factored_ = false;
  if (columns_.size() != n_ || !fill()) {
    if (!arrange() || !fill()) {
      columns_.clear();
      return false;
    }
  }
  for (std::size_t p = 0; p < n_; ++p) {
    tcolumn& c = columns_[p];
    if (!choleskyof(c.diagonal)) {
      return false;
    }
    for (tblock3& b : c.blocks) {
      // Each row of L's block solves the diagonal factor against B's row.
      for (int r = 0; r < 3; ++r) {
        forward(c.diagonal, &b[static_cast<std::size_t>(3 * r)]);
      }
    }
    for (std::size_t a = 0; a < c.rows.size(); ++a) {
      subtractproduct(columns_[c.rows[a]].diagonal, c.blocks[a], c.blocks[a]);
      for (std::size_t b = 0; b < a; ++b) {
        // Two later neighbours of one block are neighbours themselves.
        tblock3* target = below(c.rows[b], c.rows[a]);
        if (target == nullptr) {
          columns_.clear();
          return false;
        }
        subtractproduct(*target, c.blocks[a], c.blocks[b]);
      }
    }
  }
  work_.assign(3 * n_, 0.0);
  factored_ = true;
  return true;
}

void tblockcholesky::clear() {
  factored_ = false;
  for (auto& row : pending_) {
    row.clear();
  }
  std::fill(diagonal_.begin(), diagonal_.end(), tblock3{});
}

void tblockcholesky::solve(std::span<double> v) const {
  if (!factored_ || v.size() != 3 * n_) {
    return;
  }
  for (std::size_t p = 0; p < n_; ++p) {
    std::copy_n(v.begin() + static_cast<std::ptrdiff_t>(3 * original_[p]), 3,
                work_.begin() + static_cast<std::ptrdiff_t>(3 * p));
  }
  for (std::size_t p = 0; p < n_; ++p) {
    const tcolumn& c = columns_[p];
    double* x = &work_[3 * p];
    forward(c.diagonal, x);
    for (std::size_t a = 0; a < c.rows.size(); ++a) {
      double* y = &work_[3 * c.rows[a]];
      const tblock3& l = c.blocks[a];
      for (int i = 0; i < 3; ++i) {
        y[i] -= l[3 * i] * x[0] + l[3 * i + 1] * x[1] + l[3 * i + 2] * x[2];
      }
    }
  }
  for (std::size_t p = n_; p-- > 0;) {
    const tcolumn& c = columns_[p];
    double* x = &work_[3 * p];
    for (std::size_t a = 0; a < c.rows.size(); ++a) {
      const double* y = &work_[3 * c.rows[a]];
      const tblock3& l = c.blocks[a];
      for (int j = 0; j < 3; ++j) {
        x[j] -= l[j] * y[0] + l[3 + j] * y[1] + l[6 + j] * y[2];
      }
    }
    backward(c.diagonal, x);
  }
  for (std::size_t p = 0; p < n_; ++p) {
    std::copy_n(work_.begin() + static_cast<std::ptrdiff_t>(3 * p), 3,
                v.begin() + static_cast<std::ptrdiff_t>(3 * original_[p]));
  }
}

}  // namespace molvane
