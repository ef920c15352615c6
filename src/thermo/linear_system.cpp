// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/linear_system.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace molvane {
namespace {

/// Pivots smaller than this count as zero: the system is singular.
constexpr double smallestpivot = 1e-12;

std::size_t place(int row, int column, int columns) {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
         static_cast<std::size_t>(column);
}

/// Gauss-Jordan elimination with full pivoting of the n x n matrix a with
/// right-hand side b; the solution replaces b. False when singular.
bool gaussjordan(int n, std::vector<double>& a, std::vector<double>& b) {
  std::vector<bool> used(static_cast<std::size_t>(n), false);
  for (int step = 0; step < n; ++step) {
    // The largest element among the rows and columns not yet pivoted.
    double largest = -1.0;
    int prow = -1;
    int pcol = -1;
    for (int i = 0; i < n; ++i) {
      if (used[static_cast<std::size_t>(i)]) {
        continue;
      }
      for (int j = 0; j < n; ++j) {
        if (used[static_cast<std::size_t>(j)]) {
          continue;
        }
        const double value = std::abs(a[place(i, j, n)]);
        if (value > largest) {
          largest = value;
          prow = i;
          pcol = j;
        }
      }
    }
    if (prow < 0 || !(largest >= smallestpivot)) {
      return false;
    }
    used[static_cast<std::size_t>(pcol)] = true;
    // The pivot moves onto the diagonal of its column.
    if (prow != pcol) {
      for (int j = 0; j < n; ++j) {
        std::swap(a[place(prow, j, n)], a[place(pcol, j, n)]);
      }
      std::swap(b[static_cast<std::size_t>(prow)],
                b[static_cast<std::size_t>(pcol)]);
    }
    const double inverse = 1.0 / a[place(pcol, pcol, n)];
    for (int j = 0; j < n; ++j) {
      a[place(pcol, j, n)] *= inverse;
    }
    b[static_cast<std::size_t>(pcol)] *= inverse;
    for (int i = 0; i < n; ++i) {
      if (i == pcol) {
        continue;
      }
      const double factor = a[place(i, pcol, n)];
      if (factor == 0.0) {
        continue;
      }
      for (int j = 0; j < n; ++j) {
        a[place(i, j, n)] -= factor * a[place(pcol, j, n)];
      }
      b[static_cast<std::size_t>(i)] -=
          factor * b[static_cast<std::size_t>(pcol)];
    }
  }
  return std::all_of(b.begin(), b.end(),
                     [](double value) { return std::isfinite(value); });
}

}  // namespace

tmatrix::tmatrix(int rows, int columns)
    : rows_(std::max(rows, 0)),
      columns_(std::max(columns, 0)),
      a_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_),
         0.0),
      b_(static_cast<std::size_t>(rows_), 0.0) {}

double& tmatrix::at(int row, int column) {
  return a_[place(row, column, columns_)];
}

double tmatrix::at(int row, int column) const {
  return a_[place(row, column, columns_)];
}

double& tmatrix::rhs(int row) { return b_[static_cast<std::size_t>(row)]; }

double tmatrix::rhs(int row) const { return b_[static_cast<std::size_t>(row)]; }

bool tmatrix::solve() {
  solution_.clear();
  const int n = columns_;
  if (n == 0) {
    return false;
  }
  std::vector<double> a;
  std::vector<double> b;
  if (rows_ == columns_) {
    a = a_;
    b = b_;
  } else {
    // Normal equations: (AᵀA) x = Aᵀb.
    a.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
    b.assign(static_cast<std::size_t>(n), 0.0);
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        double sum = 0.0;
        for (int r = 0; r < rows_; ++r) {
          sum += at(r, i) * at(r, j);
        }
        a[place(i, j, n)] = sum;
      }
      double sum = 0.0;
      for (int r = 0; r < rows_; ++r) {
        sum += at(r, i) * rhs(r);
      }
      b[static_cast<std::size_t>(i)] = sum;
    }
  }
  if (!gaussjordan(n, a, b)) {
    return false;
  }
  solution_ = std::move(b);
  return true;
}

}  // namespace molvane
