// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_correction.h"

#include "nmr/carbon_features.h"
#include "nmr/carbon_model.h"
#include "nmr/environment_keys.h"
#include "nmr/nmr_graph.h"

namespace molvane {

tprediction refinecarbon(const tcarbonmodel& model, const tnmrgraph& graph,
                         int atom, int level, const tprediction& current) {
  double share =
      current.has() ? model.share(atomclass(graph, atom), level) : 1.0;
  if (share <= 0.0 || model.empty()) {
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
