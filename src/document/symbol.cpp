// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/symbol.h"

#include "document/session.h"

namespace molvane {

tSymbol::tSymbol(int typecode)
    : linewidth(static_cast<std::uint8_t>(session().settings.linewidth())) {
  fragtype = typecode;
}

void tSymbol::copyfields(const tStructure& other) {
  tStructure::copyfields(other);
  const auto* symbol = dynamic_cast<const tSymbol*>(&other);
  if (symbol == nullptr) {
    return;
  }
  linewidth = symbol->linewidth;
  headstyle = symbol->headstyle;
  stylecount = symbol->stylecount;
  turn = symbol->turn;
  quadrant = symbol->quadrant;
  colour = symbol->colour;
}

tStructure::trecordbytes tSymbol::recordbytes() const {
  return {linewidth,
          headstyle,
          stylecount,
          static_cast<std::uint8_t>(turn),
          static_cast<std::uint8_t>(quadrant),
          shownumbers};
}

void tSymbol::setrecordbytes(const trecordbytes& bytes) {
  linewidth = bytes[0];
  headstyle = bytes[1];
  stylecount = bytes[2];
  turn = static_cast<std::int8_t>(bytes[3]);
  quadrant = static_cast<std::int8_t>(bytes[4]);
  shownumbers = bytes[5];
}

std::unique_ptr<tSymbol> makesymbol(int typecode) {
  return std::make_unique<tSymbol>(typecode);
}

}  // namespace molvane
