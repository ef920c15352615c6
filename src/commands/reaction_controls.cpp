// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/reaction_controls.h"

#include "document/drawing.h"
#include "document/structure.h"
#include "model/atom.h"

#include <algorithm>

namespace molvane {

namespace {

constexpr double leastpressure = 0.01;
constexpr std::uint8_t flatdrawmode = 0;

}  // namespace

int steptemperature(int temperature, int delta) {
  return std::max(0, temperature + delta);
}

double steppressure(double pressure, double delta) {
  return std::max(leastpressure, pressure + delta);
}

bool isreactiondrawing(const tdrawing& drawing) {
  int chemical = 0;
  for (const tatm* atom : drawing.atoms) {
    if (atom->kind != chemicalatomkind) {
      continue;
    }
    if (atom->element == 0) {
      return false;
    }
    ++chemical;
  }
  return chemical > 1;
}

tStructure* nextreference(const tdrawing& drawing, const tStructure* current) {
  const int count = drawing.structures.count();
  if (count == 0) {
    return nullptr;
  }
  const int position = drawing.structures.indexof(current);
  return drawing.structures.items(position < 0 ? 0 : (position + 1) % count);
}

void highlightreference(tdrawing& drawing, tStructure* reference) {
  for (tStructure* structure : drawing.structures) {
    const std::uint32_t colour = structure == reference ? referencecolour : 0;
    structure->atoms.setcolourall(colour);
    structure->bonds.setcolourall(colour);
  }
}

std::optional<tspeciesstate> stateofphase(std::uint8_t phase) {
  switch (phase) {
    case gasphase:
      return tspeciesstate::gas;
    case liquidphase:
      return tspeciesstate::liquid;
    case otherphase:
      return tspeciesstate::solute;
    case solventphase:
      return tspeciesstate::solvent;
    default:
      return std::nullopt;
  }
}

void setspeciesstate(tStructure& structure, tspeciesstate state) {
  static constexpr std::uint8_t phases[] = {gasphase, liquidphase, otherphase,
                                            solventphase};
  structure.setphase(phases[static_cast<int>(state)]);
  if (state == tspeciesstate::solvent) {
    structure.amount = 0.0;
  } else if (structure.amount == 0.0) {
    structure.amount = 1.0;
  }
}

std::uint8_t beginreaction(tdrawing& drawing) {
  const std::uint8_t saved = drawing.drawmode;
  drawing.setdrawmode(flatdrawmode);
  return saved;
}

void endreaction(tdrawing& drawing, std::uint8_t drawmode) {
  highlightreference(drawing, nullptr);
  drawing.setdrawmode(drawmode);
  drawing.atoms.setbyteall(0);
}

}  // namespace molvane
