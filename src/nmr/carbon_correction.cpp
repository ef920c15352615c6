// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_correction.h"

#include "nmr/carbon_features.h"
#include "nmr/carbon_model.h"
#include "nmr/environment_keys.h"
#include "nmr/nmr_graph.h"

#include <algorithm>

namespace molvane {

namespace {

/// Rings up to this size strain their carbons enough to move their shifts.
constexpr int strainedring = 5;

}  // namespace

tprediction refinecarbon(const tcarbonmodel& model, const tnmrgraph& graph,
                         int atom, int level, const tprediction& current) {
  if (model.empty()) {
    return current;
  }
  int c = atomclass(graph, atom);
  tcarbonfeatures features = carbonfeatures(graph, atom);
  double share = current.has() ? model.share(c, level) : 1.0;
  // The spheres of a carbon in a small strained ring look like those of an
  // open chain until the paths close the ring, so a database match short of
  // that depth misses the strain (a cyclopentanone's carbonyl lies 8 ppm
  // above a cyclohexanone's). The model knows the ring size: it takes the
  // share it has for a shallow match.
  if (current.has() && (c == 2 || c == 3) && features.ring >= 3 &&
      features.ring <= strainedring && level < features.ring) {
    share = std::max(share, model.share(c, 1));
  }
  if (share <= 0.0) {
    return current;
  }
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
