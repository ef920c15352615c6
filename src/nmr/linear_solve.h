// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

namespace molvane {

/// Solves the symmetric positive definite system a x = b (Cholesky); a is n
/// by n, row by row. Pivots that rounding makes zero or negative are held
/// at a tiny positive value, so the result is always finite for finite
/// input.
std::vector<double> solvepositivedefinite(std::vector<double> a,
                                          std::vector<double> b, std::size_t n);

}  // namespace molvane
