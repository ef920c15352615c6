// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/molecular_data.h"

#include "chemistry/valence_check.h"
#include "document/drawing.h"
#include "mechanics/force_field.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/formula.h"
#include "support/number_text.h"

#include <unordered_set>
#include <vector>

namespace molvane {

namespace {

void describe(const TFragment& fragment, tmoleculardata& data) {
  data.formula = formulatext(fragment);
  data.formulaweight = formulaweighttext(fragment);
  data.composition = compositiontext(fragment);
}

void measure(TFragment& fragment, const tdrawing& drawing,
             tmoleculardata& data) {
  equilibratepartialcharges(fragment);
  data.measured = true;
  data.dipole = moleculedipole(fragment);
  data.moments = fragment.principalmoments();
  data.energycal = potentialenergy(drawing);
  data.charge = fragment.totalcharge();
}

}  // namespace

std::string tmoleculardata::dipoletext() const {
  return formatfixed(dipole.debye, 2, 6);
}

std::string tmoleculardata::momentstext(int decimals) const {
  std::string text;
  for (double moment : moments.moments) {
    if (!text.empty()) {
      text += ' ';
    }
    text += formatfixed(moment * amuangstromspergramcm, decimals, 6);
  }
  return text;
}

std::string tmoleculardata::energytext() const {
  return energycal ? formatfixed(*energycal * 0.001, 3, 6) : std::string();
}

std::unique_ptr<tdrawing> drawingofstructure(const tdrawing& drawing,
                                             const tStructure& structure) {
  std::unique_ptr<tdrawing> copy = drawing.clonedrawing();
  // The copy lists the atoms in the same order: those at the places of
  // atoms outside the structure go, with their bonds.
  std::vector<tatm*> outside;
  int place = 0;
  for (const tatm* atom : drawing.atoms) {
    if (!structure.hasatom(atom)) {
      outside.push_back(copy->atoms.items(place));
    }
    ++place;
  }
  for (tatm* atom : outside) {
    copy->removeatom(atom);
  }
  while (copy->symbols.count() > 0) {
    copy->deletesymbol(copy->symbols.items(0));
  }
  return copy;
}

bool bondedoutside(const tdrawing& drawing, const tStructure& structure) {
  for (const tbond* bond : drawing.bonds) {
    if (bond->atom1 == nullptr || bond->atom2 == nullptr) {
      continue;
    }
    const bool first = structure.hasatom(bond->atom1);
    const bool second = structure.hasatom(bond->atom2);
    if (first != second) {
      const tatm* other = first ? bond->atom2 : bond->atom1;
      if (other->ischemical()) {
        return true;
      }
    }
  }
  return false;
}

std::optional<double> potentialenergy(const tdrawing& drawing) {
  // The terms put packs into the atoms; a copy keeps the drawing as it is.
  std::unique_ptr<tdrawing> copy = drawing.clonedrawing();
  tforcefield field(*copy);
  if (!field.setupforcefield().empty()) {
    return std::nullopt;
  }
  return field.totalenergy();
}

tmoleculardata moleculardata(tdrawing& drawing) {
  tmoleculardata data;
  describe(drawing, data);
  data.valence = valencetext(valenceproblems(drawing));
  measure(drawing, drawing, data);
  return data;
}

tmoleculardata moleculardata(tdrawing& drawing, tStructure& structure) {
  tmoleculardata data;
  describe(structure, data);
  std::vector<tvalenceproblem> problems = valenceproblems(drawing);
  std::erase_if(problems, [&structure](const tvalenceproblem& problem) {
    return !structure.hasatom(problem.atom);
  });
  data.valence = valencetext(problems);
  if (bondedoutside(drawing, structure)) {
    return data;
  }
  measure(structure, *drawingofstructure(drawing, structure), data);
  return data;
}

}  // namespace molvane
