// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace molvane {

/// A dense square matrix, rows first.
using tsquarematrix = std::vector<std::vector<double>>;

/// Eigenvalues and eigenvectors of a symmetric matrix.
struct teigensystem {
  /// In ascending order.
  std::vector<double> values;
  /// vectors[k] is the unit eigenvector of values[k].
  std::vector<std::vector<double>> vectors;
  /// False when the sweep limit was reached first; the values are then the
  /// best estimate found.
  bool converged = true;
};

/// Diagonalises a symmetric matrix by cyclic Jacobi rotations. Only the
/// upper triangle is read. The rotations stop when the norm of the
/// off-diagonal part has fallen to tolerance times the norm of the matrix,
/// or after maxsweeps sweeps. The matrix must be square.
teigensystem jacobieigensystem(tsquarematrix matrix, double tolerance,
                               int maxsweeps = 100);

/// The eigenvalues alone, ascending.
std::vector<double> jacobieigenvalues(tsquarematrix matrix, double tolerance,
                                      int maxsweeps = 100);

}  // namespace molvane
