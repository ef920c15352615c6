// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/collective_descent.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace molvane {

namespace {

/// Steps remembered for the curvature estimate.
constexpr std::size_t remembered = 8;
/// Sufficient decrease of a step, as a share of what the slope promises.
constexpr double sufficient = 1e-4;
constexpr int halvings = 40;

double dot(std::span<const double> a, std::span<const double> b) {
  double sum = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    sum += a[i] * b[i];
  }
  return sum;
}

/// The remembered changes of x (s) and of the gradient (y), oldest first,
/// in storage allocated once.
class thistory {
 public:
  explicit thistory(std::size_t n)
      : s_(remembered * n), y_(remembered * n), rho_(remembered), n_(n) {}

  std::size_t size() const { return count_; }
  void clear() { count_ = 0; }
  std::span<double> s(std::size_t k) { return slot(s_, k); }
  std::span<double> y(std::size_t k) { return slot(y_, k); }
  double& rho(std::size_t k) { return rho_[(first_ + k) % remembered]; }

  /// Makes room for a newest pair and returns its position.
  std::size_t push() {
    if (count_ == remembered) {
      first_ = (first_ + 1) % remembered;
    } else {
      ++count_;
    }
    return count_ - 1;
  }

 private:
  std::span<double> slot(std::vector<double>& store, std::size_t k) {
    return std::span<double>(store).subspan(((first_ + k) % remembered) * n_,
                                            n_);
  }

  std::vector<double> s_, y_, rho_;
  std::size_t n_ = 0;
  std::size_t first_ = 0;
  std::size_t count_ = 0;
};

/// The quasi-Newton direction -H g from the remembered pairs; yhy is
/// yᵀ M y of the newest pair, M the preconditioner.
void direction(thistory& pairs, std::span<const double> g,
               const tdescentproblem& problem, double yhy,
               std::vector<double>& alpha, std::span<double> d) {
  std::copy(g.begin(), g.end(), d.begin());
  for (std::size_t k = pairs.size(); k-- > 0;) {
    alpha[k] = pairs.rho(k) * dot(pairs.s(k), d);
    const auto y = pairs.y(k);
    for (std::size_t i = 0; i < d.size(); ++i) {
      d[i] -= alpha[k] * y[i];
    }
  }
  if (problem.precondition) {
    problem.precondition(d);
  }
  if (pairs.size() > 0) {
    // The first estimate scaled to the curvature the newest step saw.
    const double scale = 1.0 / (pairs.rho(pairs.size() - 1) * yhy);
    for (double& v : d) {
      v *= scale;
    }
  }
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    const double beta = pairs.rho(k) * dot(pairs.y(k), d);
    const auto s = pairs.s(k);
    for (std::size_t i = 0; i < d.size(); ++i) {
      d[i] += (alpha[k] - beta) * s[i];
    }
  }
  for (double& v : d) {
    v = -v;
  }
}

}  // namespace

tdescentresult descend(const tdescentproblem& problem, std::vector<double>& x,
                       const tdescentlimits& limits) {
  const std::size_t n = x.size();
  tdescentresult result;
  std::vector<double> g(n), d(n), trial(n), gtrial(n), snew(n), ynew(n);
  std::vector<double> alpha(remembered);
  result.energy = problem.evaluate(x, g);
  ++result.gradients;
  auto rmsof = [n](std::span<const double> v) {
    return n == 0 ? 0.0 : std::sqrt(dot(v, v) / static_cast<double>(n));
  };
  result.rmsgradient = rmsof(g);
  if (n == 0 || !std::isfinite(result.energy) ||
      !std::isfinite(result.rmsgradient)) {
    result.converged = n == 0;
    return result;
  }
  thistory pairs(n);
  double yhy = 0.0;
  while (result.iterations < limits.iterations) {
    if (!(result.rmsgradient > limits.gradient)) {
      result.converged = true;
      break;
    }
    if (problem.stop && problem.stop(result.energy, result.rmsgradient)) {
      break;
    }
    ++result.iterations;
    direction(pairs, g, problem, yhy, alpha, d);
    double slope = dot(d, g);
    if (!(slope < 0.0)) {
      // Not downhill: forget the curvature and go straight down.
      pairs.clear();
      for (std::size_t i = 0; i < n; ++i) {
        d[i] = -g[i];
      }
      slope = dot(d, g);
    }
    double longest = 0.0;
    for (double v : d) {
      longest = std::max(longest, std::abs(v));
    }
    double step =
        longest > limits.largeststep ? limits.largeststep / longest : 1.0;
    bool accepted = false;
    double reached = result.energy;
    for (int h = 0; h < halvings && !accepted; ++h) {
      for (std::size_t i = 0; i < n; ++i) {
        trial[i] = x[i] + step * d[i];
      }
      reached = problem.evaluate(trial, gtrial);
      ++result.gradients;
      if (std::isfinite(reached) &&
          reached <= result.energy + sufficient * step * slope &&
          reached < result.energy) {
        accepted = true;
      } else {
        // Along a quadratic through the two energies and the slope, or a
        // halving when that says little.
        const double rise = reached - result.energy - step * slope;
        const double best = std::isfinite(reached) && rise > 0.0
                                ? -0.5 * slope * step * step / rise
                                : 0.5 * step;
        step = std::clamp(best, 0.1 * step, 0.5 * step);
      }
    }
    if (!accepted) {
      if (pairs.size() == 0) {
        break;  // no step downhill is left at this precision
      }
      pairs.clear();
      continue;
    }
    for (std::size_t i = 0; i < n; ++i) {
      snew[i] = trial[i] - x[i];
      ynew[i] = gtrial[i] - g[i];
    }
    // Only pairs that show the function curving upwards keep the
    // direction downhill.
    const double sy = dot(snew, ynew);
    if (sy > 1e-12 * std::sqrt(dot(snew, snew) * dot(ynew, ynew)) && sy > 0.0) {
      const std::size_t k = pairs.push();
      std::copy(snew.begin(), snew.end(), pairs.s(k).begin());
      std::copy(ynew.begin(), ynew.end(), pairs.y(k).begin());
      pairs.rho(k) = 1.0 / sy;
      if (problem.precondition) {
        problem.precondition(ynew);  // ynew is made anew each iteration
        yhy = dot(pairs.y(k), ynew);
      } else {
        yhy = dot(ynew, ynew);
      }
    }
    x.swap(trial);
    g.swap(gtrial);
    result.energy = reached;
    result.rmsgradient = rmsof(g);
  }
  return result;
}

}  // namespace molvane
