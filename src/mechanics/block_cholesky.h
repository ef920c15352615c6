// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace molvane {

/// A 3x3 block, row major.
using tblock3 = std::array<double, 9>;

/// A sparse symmetric positive definite matrix of 3x3 blocks (one block row
/// per atom), factored as L Lᵀ so that systems with it are solved in time
/// about linear in its nonzero blocks. The unknowns are eliminated fewest
/// neighbours first, which keeps the fill small for molecular graphs: none
/// for chains and trees, a little for each ring.
class tblockcholesky {
 public:
  explicit tblockcholesky(std::size_t blocks);

  /// Adds m to the block at (row, column) and its transpose at (column,
  /// row); a diagonal block takes m as it is (m must then be symmetric).
  void add(std::size_t row, std::size_t column, const tblock3& m);
  /// Adds value to every diagonal element.
  void shift(double value);
  /// The mean of the diagonal elements.
  double meandiagonal() const;

  /// Orders and factors the matrix; false, leaving the factor unusable,
  /// when it is not positive definite to working precision. The order and
  /// the places of the fill are kept for the next factor of a matrix with
  /// the same blocks.
  bool factor();
  /// Forgets the values, keeping the order and the places of the fill.
  void clear();
  bool factored() const { return factored_; }
  /// Overwrites v (three values a block) with the solution x of A x = v.
  void solve(std::span<double> v) const;

 private:
  struct tcolumn {
    tblock3 diagonal{};
    /// Blocks below the diagonal: positions in elimination order, sorted.
    std::vector<std::size_t> rows;
    std::vector<tblock3> blocks;
  };

  tblock3* below(std::size_t column, std::size_t row);
  /// The blocks fewest neighbours first; later receives, for each, its
  /// neighbours counting fill when it is eliminated.
  std::vector<std::size_t> eliminationorder(
      std::vector<std::vector<std::size_t>>& later) const;
  bool arrange();
  bool fill();

  std::size_t n_ = 0;
  /// Before factor(): off-diagonal entries by block row and column in the
  /// original numbering, one per unordered pair (row > column).
  std::vector<std::vector<std::pair<std::size_t, tblock3>>> pending_;
  std::vector<tblock3> diagonal_;
  /// After factor(): the columns of L in elimination order, and the
  /// original block of each position.
  std::vector<tcolumn> columns_;
  std::vector<std::size_t> original_;
  std::vector<std::size_t> position_;
  mutable std::vector<double> work_;
  bool factored_ = false;
};

}  // namespace molvane
