// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/reaction.h"

#include "document/drawing.h"

namespace molvane {

tSymbol* reactionarrow(const tdrawing&) { return nullptr; }
bool structuresoverlap(const tdrawing&) { return false; }
treactioncheck checkreaction(const tdrawing&) {
  return treactioncheck::nostructures;
}
std::string_view checktext(treactioncheck) { return {}; }
double arrowposition(const tSymbol&) { return 0.0; }
bool isreactant(const tStructure&, const tSymbol&) { return true; }
treactionspecies findspecies(const tdrawing&, const tSymbol&) { return {}; }
bool balancereaction(tdrawing&, const tSymbol&, const tStructure&) {
  return false;
}
bool isbalanced(const tdrawing&, const tSymbol&) { return false; }
std::string imbalancetext(const tdrawing&, const tSymbol&) { return {}; }
treactionvalues reactionvalues(tdrawing&, const tSymbol&, double, double) {
  return {};
}
std::optional<std::string_view> classifyreaction(double, double) {
  return std::nullopt;
}
treactionlabels formatreaction(const treactionvalues&, double, double) {
  return {};
}
std::array<std::string, 3> reportlines(const treactionvalues&, double, double) {
  return {};
}
std::string reportindenttext(const treactionvalues&) { return {}; }
treactionanalysis analysereaction(tdrawing&, double, double) { return {}; }

}  // namespace molvane
