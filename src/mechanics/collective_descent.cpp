// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/collective_descent.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <deque>

namespace molvane {

namespace {

/// Steps remembered for the curvature estimate.
constexpr std::size_t remembered = 8;
/// Sufficient decrease of a step, as a share of what the slope promises.
constexpr double sufficient = 1e-4;
constexpr int halvings = 30;

double dot(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    sum += a[i] * b[i];
  }
  return sum;
}

struct tpair {
  std::vector<double> s;  // change of x
  std::vector<double> y;  // change of the gradient
  double rho = 0.0;       // 1 / (s . y)
};

/// The quasi-Newton direction -H g from the remembered pairs.
void direction(const std::deque<tpair>& pairs, const std::vector<double>& g,
               std::vector<double>& d) {
  d = g;
  std::vector<double> alpha(pairs.size());
  for (std::size_t k = pairs.size(); k-- > 0;) {
    alpha[k] = pairs[k].rho * dot(pairs[k].s, d);
    for (std::size_t i = 0; i < d.size(); ++i) {
      d[i] -= alpha[k] * pairs[k].y[i];
    }
  }
  if (!pairs.empty()) {
    const tpair& last = pairs.back();
    const double scale = 1.0 / (last.rho * dot(last.y, last.y));
    for (double& v : d) {
      v *= scale;
    }
  }
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    const double beta = pairs[k].rho * dot(pairs[k].y, d);
    for (std::size_t i = 0; i < d.size(); ++i) {
      d[i] += (alpha[k] - beta) * pairs[k].s[i];
    }
  }
  for (double& v : d) {
    v = -v;
  }
}

}  // namespace

double descend(const tdescentproblem& problem, std::vector<double>& x,
               const tdescentlimits& limits) {
  const std::size_t n = x.size();
  double energy = problem.energy(x);
  if (n == 0 || !std::isfinite(energy)) {
    return energy;
  }
  std::vector<double> g(n);
  std::vector<double> d(n);
  std::vector<double> trial(n);
  std::vector<double> gtrial(n);
  std::deque<tpair> pairs;
  problem.gradient(x, g);
  for (int iteration = 0; iteration < limits.iterations; ++iteration) {
    const double rms = std::sqrt(dot(g, g) / static_cast<double>(n));
    if (!(rms > limits.gradient) || (problem.stop && problem.stop(energy))) {
      break;
    }
    direction(pairs, g, d);
    double slope = dot(d, g);
    if (!(slope < 0.0)) {
      // Not downhill: forget the curvature and go straight down.
      pairs.clear();
      d = g;
      for (double& v : d) {
        v = -v;
      }
      slope = dot(d, g);
    }
    double longest = 0.0;
    for (double v : d) {
      longest = std::max(longest, std::abs(v));
    }
    double step =
        longest > limits.largeststep ? limits.largeststep / longest : 1.0;
    double reached = energy;
    bool accepted = false;
    for (int h = 0; h < halvings; ++h, step *= 0.5) {
      for (std::size_t i = 0; i < n; ++i) {
        trial[i] = x[i] + step * d[i];
      }
      reached = problem.energy(trial);
      if (std::isfinite(reached) &&
          reached <= energy + sufficient * step * slope) {
        accepted = true;
        break;
      }
    }
    if (!accepted || !(reached < energy)) {
      break;
    }
    problem.gradient(trial, gtrial);
    tpair pair;
    pair.s.resize(n);
    pair.y.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
      pair.s[i] = trial[i] - x[i];
      pair.y[i] = gtrial[i] - g[i];
    }
    const double sy = dot(pair.s, pair.y);
    if (sy > 1e-12) {
      pair.rho = 1.0 / sy;
      pairs.push_back(std::move(pair));
      if (pairs.size() > remembered) {
        pairs.pop_front();
      }
    }
    x.swap(trial);
    g.swap(gtrial);
    energy = reached;
  }
  // The caller's geometry must be the accepted x.
  return problem.energy(x);
}

}  // namespace molvane
