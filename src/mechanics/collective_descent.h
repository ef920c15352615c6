// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

namespace molvane {

/// A function of many variables to bring down to a local minimum, with all
/// variables moving together (limited-memory quasi-Newton steps).
struct tdescentproblem {
  /// Energy at x.
  std::function<double(const std::vector<double>& x)> energy;
  /// Gradient at x (energy per unit of x). It is always asked for right
  /// after the energy at the same x, so it may rely on what that left.
  std::function<void(const std::vector<double>& x, std::vector<double>& g)>
      gradient;
  /// Called once an iteration; returning true stops the descent.
  std::function<bool(double energy)> stop;
};

struct tdescentlimits {
  int iterations = 2000;
  /// The longest step of one variable in one iteration.
  double largeststep = 0.3;
  /// Converged when the root-mean-square gradient is below this.
  double gradient = 1e-3;
};

/// Brings x down to a local minimum; returns the energy reached. x only
/// ever takes positions of lower energy than the one before.
double descend(const tdescentproblem& problem, std::vector<double>& x,
               const tdescentlimits& limits);

}  // namespace molvane
