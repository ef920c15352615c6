// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/jacobi.h"

#include "model/assertion.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <utility>

namespace molvane {

namespace {

double offdiagonalnorm(const tsquarematrix& a) {
  double sum = 0.0;
  for (std::size_t p = 0; p < a.size(); ++p) {
    for (std::size_t q = p + 1; q < a.size(); ++q) {
      sum += a[p][q] * a[p][q];
    }
  }
  return std::sqrt(2.0 * sum);
}

double frobeniusnorm(const tsquarematrix& a) {
  double sum = 0.0;
  for (const auto& row : a) {
    for (double value : row) {
      sum += value * value;
    }
  }
  return std::sqrt(sum);
}

// One rotation in the (p, q) plane that zeroes a[p][q]; v collects the
// rotations, so its columns become the eigenvectors.
void rotate(tsquarematrix& a, tsquarematrix& v, std::size_t p, std::size_t q) {
  const double apq = a[p][q];
  const double theta = (a[q][q] - a[p][p]) / (2.0 * apq);
  // The smaller root of t^2 + 2 theta t - 1 = 0 keeps the rotation angle
  // below 45 degrees, which is what makes the sweeps converge. For a huge
  // theta the square overflows and t becomes 0: apq is then negligible.
  double t = 1.0 / (std::abs(theta) + std::sqrt(theta * theta + 1.0));
  if (theta < 0.0) {
    t = -t;
  }
  const double c = 1.0 / std::sqrt(t * t + 1.0);
  const double s = t * c;
  const std::size_t n = a.size();
  for (std::size_t k = 0; k < n; ++k) {
    if (k == p || k == q) {
      continue;
    }
    const double akp = a[k][p];
    const double akq = a[k][q];
    a[k][p] = a[p][k] = c * akp - s * akq;
    a[k][q] = a[q][k] = s * akp + c * akq;
  }
  a[p][p] -= t * apq;
  a[q][q] += t * apq;
  a[p][q] = a[q][p] = 0.0;
  for (std::size_t k = 0; k < n; ++k) {
    const double vkp = v[k][p];
    const double vkq = v[k][q];
    v[k][p] = c * vkp - s * vkq;
    v[k][q] = s * vkp + c * vkq;
  }
}

}  // namespace

teigensystem jacobieigensystem(tsquarematrix matrix, double tolerance,
                               int maxsweeps) {
  const std::size_t n = matrix.size();
  for ([[maybe_unused]] const auto& row : matrix) {
    MOLVANE_ASSERT(row.size() == n, "Jacobi rotations need a square matrix");
  }
  tsquarematrix& a = matrix;
  for (std::size_t p = 0; p < n; ++p) {
    for (std::size_t q = p + 1; q < n; ++q) {
      a[q][p] = a[p][q];
    }
  }
  tsquarematrix v(n, std::vector<double>(n, 0.0));
  for (std::size_t k = 0; k < n; ++k) {
    v[k][k] = 1.0;
  }

  teigensystem result;
  result.converged = false;
  const double limit = tolerance * frobeniusnorm(a);
  for (int sweep = 0; sweep <= maxsweeps; ++sweep) {
    if (offdiagonalnorm(a) <= limit) {
      result.converged = true;
      break;
    }
    if (sweep == maxsweeps) {
      break;
    }
    for (std::size_t p = 0; p < n; ++p) {
      for (std::size_t q = p + 1; q < n; ++q) {
        const double apq = a[p][q];
        if (apq == 0.0) {
          continue;
        }
        // An element too small to change either diagonal entry is simply
        // dropped; this is what lets the off-diagonal part reach exactly
        // zero however small the tolerance.
        const double guard = 100.0 * std::abs(apq);
        if (std::abs(a[p][p]) + guard == std::abs(a[p][p]) &&
            std::abs(a[q][q]) + guard == std::abs(a[q][q])) {
          a[p][q] = a[q][p] = 0.0;
          continue;
        }
        rotate(a, v, p, q);
      }
    }
  }

  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(
      order.begin(), order.end(),
      [&a](std::size_t i, std::size_t j) { return a[i][i] < a[j][j]; });
  result.values.reserve(n);
  result.vectors.reserve(n);
  for (std::size_t k : order) {
    result.values.push_back(a[k][k]);
    std::vector<double> column(n);
    for (std::size_t row = 0; row < n; ++row) {
      column[row] = v[row][k];
    }
    result.vectors.push_back(std::move(column));
  }
  return result;
}

std::vector<double> jacobieigenvalues(tsquarematrix matrix, double tolerance,
                                      int maxsweeps) {
  return jacobieigensystem(std::move(matrix), tolerance, maxsweeps).values;
}

}  // namespace molvane
