// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

namespace molvane {

/// A linear system A x = b of n rows and m unknowns, solved once.
class tmatrix {
 public:
  /// An all-zero system; negative sizes count as 0.
  tmatrix(int rows, int columns);

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  /// The coefficient at (row, column), both 0-based and in range.
  double& at(int row, int column);
  double at(int row, int column) const;
  /// The right-hand side of row.
  double& rhs(int row);
  double rhs(int row) const;

  /// Solves the system. A square one goes straight to Gauss-Jordan
  /// elimination with full pivoting; any other is replaced by its normal
  /// equations (AᵀA x = Aᵀb, m equations) first. Returns false, leaving
  /// the solution empty, when the matrix is singular (a pivot of magnitude
  /// below 1e-12) or the result is not a finite number.
  [[nodiscard]] bool solve();
  /// The unknowns after a successful `solve`, else empty.
  const std::vector<double>& solution() const { return solution_; }

 private:
  int rows_ = 0;
  int columns_ = 0;
  std::vector<double> a_;
  std::vector<double> b_;
  std::vector<double> solution_;
};

}  // namespace molvane
