// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <span>
#include <vector>

namespace molvane {

/// A function of many variables to bring down to a local minimum, with all
/// variables moving together (limited-memory quasi-Newton steps).
struct tdescentproblem {
  /// The energy at x; when g is not empty (it is as long as x), also the
  /// gradient there (energy per unit of x).
  std::function<double(std::span<const double> x, std::span<double> g)>
      evaluate;
  /// Called once an iteration with the energy and the root-mean-square
  /// gradient reached; returning true stops the descent.
  std::function<bool(double energy, double rmsgradient)> stop;
  /// Applies, in place, an estimate of the inverse curvature (symmetric,
  /// positive definite) as the shape of the first curvature estimate;
  /// empty for all variables alike.
  std::function<void(std::span<double>)> precondition;
};

struct tdescentlimits {
  int iterations = 100000;
  /// The longest step of one variable in one iteration.
  double largeststep = 0.3;
  /// Converged when the root-mean-square gradient is at most this.
  double gradient = 1e-3;
};

struct tdescentresult {
  double energy = 0.0;
  double rmsgradient = 0.0;
  /// Evaluations of the energy alone, and of energy with gradient.
  long energies = 0;
  long gradients = 0;
  int iterations = 0;
  /// The gradient came down to the limit.
  bool converged = false;
};

/// Brings x down to a local minimum. x only ever takes positions of lower
/// energy than the one before, and ends at the lowest one reached; a start
/// whose energy is not a number is left as it is.
tdescentresult descend(const tdescentproblem& problem, std::vector<double>& x,
                       const tdescentlimits& limits);

}  // namespace molvane
