// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/linear_solve.h"

#include <algorithm>
#include <cmath>

namespace molvane {

std::vector<double> solvepositivedefinite(std::vector<double> a,
                                          std::vector<double> b,
                                          std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) {
    double d = a[j * n + j];
    for (std::size_t k = 0; k < j; ++k) {
      d -= a[j * n + k] * a[j * n + k];
    }
    d = std::sqrt(std::max(d, 1e-12));
    a[j * n + j] = d;
    for (std::size_t i = j + 1; i < n; ++i) {
      double s = a[i * n + j];
      for (std::size_t k = 0; k < j; ++k) {
        s -= a[i * n + k] * a[j * n + k];
      }
      a[i * n + j] = s / d;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t k = 0; k < i; ++k) {
      b[i] -= a[i * n + k] * b[k];
    }
    b[i] /= a[i * n + i];
  }
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t k = i + 1; k < n; ++k) {
      b[i] -= a[k * n + i] * b[k];
    }
    b[i] /= a[i * n + i];
  }
  return b;
}

}  // namespace molvane
