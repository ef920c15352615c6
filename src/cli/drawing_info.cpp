// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/drawing_info.h"

#include "document/drawing.h"
#include "model/formula.h"

namespace molvane {

tdrawinginfo drawinginfo(tdrawing& drawing) {
  tdrawinginfo info;
  info.data = moleculardata(drawing);
  for (const tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      info.partialcharges.push_back(atom->qpartial);
    }
  }
  for (double moment : info.data.moments.moments) {
    info.moments.push_back(moment * amuangstromspergramcm);
  }
  info.formula = formulatext(drawing);
  info.hill = hillformula(drawing);
  info.weight = drawing.molmass();
  info.composition = compositiontext(drawing);
  info.charge = drawing.totalcharge();
  info.atoms = drawing.atoms.countchemical();
  info.bonds = drawing.bonds.countchemical();
  info.structures = drawing.structures.count();
  info.symbols = drawing.symbols.count();
  return info;
}

}  // namespace molvane
