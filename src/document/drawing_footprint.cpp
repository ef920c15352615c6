// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing_footprint.h"

#include "document/drawing.h"
#include "document/symbol.h"
#include "model/atom.h"
#include "model/bond.h"

namespace molvane {

std::size_t atomfootprint(const tatm& atom) {
  return sizeof(tLAtm) + atom.symbol.capacity();
}

std::size_t bondfootprint() { return sizeof(tbond); }

std::size_t framefootprint(const tdrawing& drawing, std::size_t entry) {
  std::size_t bytes = sizeof(tdrawing) + drawing.title().size() +
                      drawing.author().size() + drawing.notes().size() +
                      drawing.filename.size();
  bytes +=
      static_cast<std::size_t>(drawing.atoms.count() + drawing.bonds.count()) *
      entry;
  for (const tSymbol* symbol : drawing.symbols) {
    bytes += sizeof(tSymbol) + entry +
             static_cast<std::size_t>(symbol->atoms.count() +
                                      symbol->bonds.count()) *
                 entry;
  }
  for (const tStructure* structure : drawing.structures) {
    bytes += sizeof(tStructure) + entry +
             static_cast<std::size_t>(structure->atoms.count() +
                                      structure->bonds.count()) *
                 entry;
  }
  return bytes;
}

std::size_t drawingfootprint(const tdrawing& drawing) {
  // A list entry and the ownership entry that point at each object; the
  // structures' own lists are views of the same objects.
  std::size_t bytes = framefootprint(drawing, 2 * sizeof(void*));
  for (const tatm* atom : drawing.atoms) {
    bytes += atomfootprint(*atom);
  }
  return bytes +
         static_cast<std::size_t>(drawing.bonds.count()) * bondfootprint();
}

}  // namespace molvane
