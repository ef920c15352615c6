// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/structure.h"

#include <cstdint>
#include <memory>

namespace molvane {

/// A non-chemical mark of the drawing (arrow, arc, triangle): a structure
/// whose atoms are symbol points and whose bonds are links.
class tSymbol : public tStructure {
 public:
  explicit tSymbol(int typecode);

  std::uint8_t linewidth = 1;
  std::uint8_t headstyle = 0;
  std::uint8_t stylecount = 5;
  std::int8_t turn = 1;
  std::int8_t quadrant = 0;
  std::uint32_t colour = 0;

  /// Copies the structure fields and, from another symbol, the symbol's
  /// own fields (not its points).
  void copyfields(const tStructure& other) override;
  /// A symbol keeps its own fields where a structure keeps ring style,
  /// draw mode and flags, and its colour in the record's word.
  trecordbytes recordbytes() const override;
  void setrecordbytes(const trecordbytes& bytes) override;
  std::uint32_t recordword() const override { return colour; }
  void setrecordword(std::uint32_t word) override { colour = word; }
};

/// A new symbol of the class that typecode stands for, with no points.
std::unique_ptr<tSymbol> makesymbol(int typecode);

/// The drawing's symbols; the drawing owns them through this list.
class tSymbols : public tBaseList<tSymbol> {};

}  // namespace molvane
