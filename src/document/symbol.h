// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/structure.h"
#include "document/symbol_geometry.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace molvane {

class tdrawing;

/// Type codes of the symbol classes, stored in `fragtype`.
inline constexpr int arrowtype = 102;
inline constexpr int doublearrowtype = 103;
inline constexpr int eqarrowtype = 104;
inline constexpr int eqarrow2type = 105;
inline constexpr int triangletype = 106;
inline constexpr int arctype = 108;
inline constexpr int arcarrowtype = 109;
inline constexpr int curvedarrowtype = 110;

/// A non-chemical mark of the drawing (arrow, arc, triangle): a structure
/// whose atoms are symbol points and whose bonds are links.
class tSymbol : public tStructure {
 public:
  explicit tSymbol(int typecode);

  std::uint8_t linewidth = 1;
  std::uint8_t headstyle = 0;
  std::uint8_t stylecount = lastheadstyle;
  /// +1 or -1: the sense of an arc and the side of a half head.
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

  /// An empty symbol of the same class and type code.
  virtual std::unique_ptr<tSymbol> newsymbol() const;
  std::unique_ptr<tStructure> newempty() const override;

  /// Reflects the points about their rounded centre (axis 1 reflects y,
  /// 2 reflects x), flips `turn` and takes the new positions as reference.
  void mirror(int axis) override;

  /// The arrow heads, arcs and curves a painter draws besides the links,
  /// in pixels from the points' screen positions. Arcs also store their
  /// `quadrant`. Points a damaged symbol lacks give no shape.
  virtual tsymbolshapes computeshapes();

  /// The mean of the points; the origin for a symbol without points.
  TXYZ centre() const;
  /// Head styles go round 0 .. `stylecount`.
  void cyclestyle();
  /// Pen widths go round 0 .. 3; every link takes the new width.
  void cyclewidth();
  /// Turns straight arrows and triangles (type codes 100 .. 107) by
  /// degrees about the centre in the screen plane, from the reference
  /// positions; positive degrees turn clockwise on the screen. Reference
  /// positions are kept, so a slider can call it repeatedly.
  void rotatesymbol(double degrees);
  /// Scales the reference positions about the centre by factor; the
  /// reference positions are kept.
  void scalesymbol(double factor);
  /// Unless locked, moves the symbol so that its centre is at (x, y).
  void movecentreto(double x, double y);
  /// The current positions become the reference positions.
  void takereference();

  /// Appends a point at (x, y) that this symbol owns.
  tatm* addpoint(double x, double y);
  /// Appends a link between two points in the symbol's pen width and
  /// colour; the symbol owns it.
  tbond* addlink(tatm* from, tatm* to);

 protected:
  /// The head with its tip at point tip, running from point base; none
  /// when either point is missing or the style is unknown.
  std::optional<tsymbolshape> headat(int tip, int base) const;
};

/// A straight arrow: tip P0, tail P1, a head at the tip.
class tArrow : public tSymbol {
 public:
  tArrow() : tSymbol(arrowtype) {}
  std::unique_ptr<tSymbol> newsymbol() const override;
  /// Arrows exchange the axes: axis 1 reverses the arrow left to right.
  void mirror(int axis) override;
  tsymbolshapes computeshapes() override;

 protected:
  explicit tArrow(int typecode) : tSymbol(typecode) {}
};

/// A straight arrow with a head at both ends.
class tdblArrow : public tArrow {
 public:
  tdblArrow() : tArrow(doublearrowtype) {}
  std::unique_ptr<tSymbol> newsymbol() const override;
  tsymbolshapes computeshapes() override;
};

/// Two parallel arrows pointing opposite ways: P0 <- P1 above, P2 <- P3
/// below, heads at P0 and P2.
class tEqArrow1 : public tArrow {
 public:
  tEqArrow1() : tArrow(eqarrowtype) {}
  std::unique_ptr<tSymbol> newsymbol() const override;
  tsymbolshapes computeshapes() override;

 protected:
  explicit tEqArrow1(int typecode) : tArrow(typecode) {}
};

/// An equilibrium arrow whose lower arrow is half as long.
class tEqArrow2 : public tEqArrow1 {
 public:
  tEqArrow2() : tEqArrow1(eqarrow2type) {}
  std::unique_ptr<tSymbol> newsymbol() const override;
};

/// The triangle of heating, three points joined round.
class ttriangle : public tSymbol {
 public:
  ttriangle() : tSymbol(triangletype) {}
  std::unique_ptr<tSymbol> newsymbol() const override;
};

/// A quarter ellipse from P0 to P1; it has no links.
class tArc : public tSymbol {
 public:
  tArc() : tSymbol(arctype) {}
  std::unique_ptr<tSymbol> newsymbol() const override;
  tsymbolshapes computeshapes() override;

 protected:
  explicit tArc(int typecode) : tSymbol(typecode) {}
  /// The arc through the screen positions of P0 and P1; none when a point
  /// is missing. Stores `quadrant`.
  std::optional<tarcframe> computearc();
};

/// An arc with a head at P0.
class tArcArrow : public tArc {
 public:
  tArcArrow() : tArc(arcarrowtype) {}
  std::unique_ptr<tSymbol> newsymbol() const override;
  tsymbolshapes computeshapes() override;
};

/// A curved arrow: tip P0 and tail P1 with the shifted pair P2, P3
/// steering a Bezier stroke P1, P3, P2, P0. Its links are control lines
/// and are not drawn.
class tSArrow : public tArrow {
 public:
  tSArrow() : tArrow(curvedarrowtype) {}
  std::unique_ptr<tSymbol> newsymbol() const override;
  tsymbolshapes computeshapes() override;
};

/// A new symbol of the class that typecode stands for, with no points;
/// null for a code that names no symbol class.
std::unique_ptr<tSymbol> makesymbol(int typecode);

/// The symbol a symbol-tool command (720 .. 730) creates, built around the
/// origin with the bond length and line width of settings; null for any
/// other code.
std::unique_ptr<tSymbol> makesymbolforcommand(
    int code, const tgeometrysettings& settings = defaultgeometry());

/// Builds the symbol of command code, adds it to drawing and moves it so
/// that its centre is at (x, y). Null (and nothing added) for a code that
/// creates no symbol.
tSymbol* placesymbol(tdrawing& drawing, int code, double x, double y);

/// A free-standing copy of symbol (a plain tSymbol for an unknown type
/// code) with its own copies of the points and links; the links take the
/// source's pen width.
std::unique_ptr<tSymbol> copysymbol(const tSymbol& symbol);

/// The symbol of drawing whose centre is nearest to (x, y) in the page
/// plane; the earlier one wins a tie; symbols without points are skipped.
/// Null when there is none.
tSymbol* nearestsymbol(const tdrawing& drawing, double x, double y);

/// The drawing's symbols; the drawing owns them through this list.
class tSymbols : public tBaseList<tSymbol> {};

}  // namespace molvane
