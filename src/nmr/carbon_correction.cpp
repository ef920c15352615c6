// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_correction.h"

#include "nmr/carbon_features.h"
#include "nmr/carbon_model.h"
#include "nmr/nmr_graph.h"

#include <array>

namespace molvane {

namespace {

/// By class (sp, sp2, sp3, aromatic) and match level 0 to 7.
constexpr std::array<std::array<double, 8>, 4> shares = {{
    {1.0, 0.5, 0.4, 0.3, 0.2, 0.1, 0.0, 0.0},
    {1.0, 0.7, 0.5, 0.3, 0.2, 0.1, 0.0, 0.0},
    {1.0, 0.6, 0.4, 0.25, 0.1, 0.0, 0.0, 0.0},
    {1.0, 0.6, 0.4, 0.25, 0.1, 0.0, 0.0, 0.0},
}};

}  // namespace

double carbonmodelshare(int c, int level) {
  if (c < 1 || c > 4 || level < 0 || level > 7) {
    return 0.0;
  }
  return shares[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(level)];
}

tprediction refinecarbon(const tcarbonmodel& model, const tnmrgraph& graph,
                         int atom, int level, const tprediction& current) {
  double share = current.has() ? carbonmodelshare(shiftclass(graph, atom), level)
                               : 1.0;
  if (share <= 0.0) {
    return current;
  }
  tcarbonfeatures features = carbonfeatures(graph, atom);
  if (!model.knows(features)) {
    return current;
  }
  double learned = model.predict(features);
  if (!current.has()) {
    return {learned, -1};
  }
  return {share * learned + (1.0 - share) * current.shift, current.level};
}

}  // namespace molvane
