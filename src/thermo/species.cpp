// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/species.h"

#include "document/drawing.h"

namespace molvane {

tspeciescopy copyspecies(const tStructure&) { return {}; }
double structureenergy(const tStructure&) { return 0.0; }
double speciesenergy(const tStructure&) { return 0.0; }
std::string optimizespecies(tStructure&, const toptimizersettings&,
                            const toptimizerhooks&) {
  return {};
}
int symmetrynumber(const tStructure&) { return 1; }
trotortype rotationtype(const tStructure&) { return trotortype::nonlinear; }

}  // namespace molvane
