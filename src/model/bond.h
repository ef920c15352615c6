// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"
#include "model/base_object.h"
#include "model/stereo_mark.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace molvane {

class tatm;
struct tgeometrysettings;

/// How a bond is drawn. The values are the numbers documents store. Every
/// other number is a style too and keeps its number: 0, -7 and 7 draw one
/// plain line like the named plain styles, 10 .. 15, 20 .. 25 and 30 .. 35
/// a coloured line, and the rest nothing.
enum class tbondstyle : std::int32_t {
  normal = 1,
  wedge = 2,
  hashed = 3,
  centred = 4,  ///< multiple lines centred on the bond
  arrow = 5,    ///< dative, pointing at the wide end
  plain = 6,    ///< one line whatever the kind (aromatic rings)
  reversedplain = -6,
  otherplain = 7,
};

/// The number a style is stored as.
constexpr std::int32_t bondstylenumber(tbondstyle style) {
  return static_cast<std::int32_t>(style);
}
/// The style stored as number; any number is accepted and kept.
constexpr tbondstyle bondstylefromnumber(std::int32_t number) {
  return static_cast<tbondstyle>(number);
}
/// A style from the byte of a bond record, which holds the negative styles
/// in two's complement.
constexpr tbondstyle bondstylefrombyte(std::uint8_t stored) {
  return bondstylefromnumber(static_cast<std::int8_t>(stored));
}
/// The byte a bond record stores a style in; only -128 .. 255 survive.
constexpr std::uint8_t bondstylebyte(tbondstyle style) {
  return static_cast<std::uint8_t>(bondstylenumber(style));
}

/// Marks a delocalised (aromatic) bond in `order`.
inline constexpr int delocalisedflag = 100;

/// The 23-byte bond record of documents, little-endian.
struct bondrecord {
  static constexpr std::size_t recordsize = 23;
  std::uint8_t hybclass = 0;
  std::uint8_t order = 0;
  std::uint32_t colour = 0;
  std::uint8_t style = 0;
  std::int8_t side = 0;
  std::int16_t offx = 0;
  std::int16_t offy = 0;
  std::uint8_t wideend = 0;
  std::uint8_t width = 0;
  std::uint16_t atom1 = 0;  ///< position in the drawing's atom list
  std::uint16_t atom2 = 0;
  std::uint8_t chemical = 0;

  /// The record's bytes; the reserved bytes 6..9 are written as 0.
  std::array<std::uint8_t, recordsize> tobytes() const;
  static bondrecord frombytes(std::span<const std::uint8_t, recordsize> bytes);
};

/// The set of atoms on each side of a bond.
struct tbondsides {
  tAtoms side1;  ///< reachable from atom1 without crossing the bond
  tAtoms side2;  ///< reachable from atom2 without crossing the bond
};

/// A link between two points: a chemical bond, or the line between two
/// control points of a symbol. The kind is the bond order in half units.
class tlink : public tbaseobject {
 public:
  tlink(int kind, std::uint32_t colour, tbondstyle style);
  /// From a file record, with the ends resolved in atoms; an end whose
  /// position is not in atoms stays null.
  tlink(const bondrecord& record, const tAtoms& atoms);

  std::uint8_t chemical = 1;
  std::uint32_t colour = 0;
  std::int32_t width = 1;
  std::int32_t hybclass = 0;
  std::int32_t order = 0;
  tbondstyle style = tbondstyle::normal;
  std::int32_t spacing = 6;
  std::int32_t wideend = 2;
  std::int8_t side = 1;
  std::int32_t offx = 0, offy = 0;
  std::int32_t ref1 = -1, ref2 = -1;
  double kstretch = 0.0;
  double kdiss = 0.0;
  tatm* atom1 = nullptr;
  tatm* atom2 = nullptr;
  std::uint8_t selected = 0;
  /// For a double bond: whether its geometry is stated.
  tstereomark stereomark = tstereomark::asdrawn;

  /// The record, with the ends as positions in the current drawing.
  bondrecord writerecord() const;

  int kind() const { return order % delocalisedflag; }
  int halforder() const { return kind() / 2; }
  bool isdelocalised() const { return order >= delocalisedflag; }
  /// The order used by modelling.
  int ffkind() const;
  void setdelocalised(bool on);
  /// A new kind drops the stereo marks of the bond and its ends.
  void setkind(int newkind);
  /// The bond and its ends go back to asdrawn: an edit changed them.
  void dropstereomarks();
  void setsingle() { setkind(2); }
  void setdouble() { setkind(4); }
  void settriple() { setkind(6); }
  void setonehalf() { setkind(3); }
  void settwohalf() { setkind(5); }
  void sethalf() { setkind(1); }
  void setnone() { setkind(0); }
  void copykind(const tlink& other) { setkind(other.kind()); }
  void setkindstyle(int newkind, tbondstyle newstyle);
  void setarrow() { style = tbondstyle::arrow; }
  void flipwideend() { wideend = wideend == 2 ? 1 : 2; }
  /// 255 cycles 1 -> 2 -> 3 -> 4 -> 1; other values are stored.
  void setwidth(int newwidth);
  /// Also colours both ends; returns the previous colour.
  std::uint32_t setcolour(std::uint32_t newcolour);
  void highlight();

  tatm* other(const tatm* atom) const;
  bool hasatom(const tatm* atom) const;
  /// End 1 or 2.
  tatm* end(int which) const { return which == 1 ? atom1 : atom2; }
  /// Position of end 1 or 2 in the current drawing's atom list, or -1.
  int endindex(int which) const;

  /// The settings of the drawing that holds the bond's atoms.
  const tgeometrysettings& geometry() const;
  double length2() const;
  double length() const;
  double angstromlength() const;
  double relativelength() const;
  double ideallength() const;
  int midx() const;
  int midy() const;
  double distancetomid(double px, double py) const;
  /// atom1 - atom2 for from = 1, atom2 - atom1 for from = 2.
  TXYZ vector(int from) const;
  /// Moves end e so that its distance from the other end is multiplied by
  /// factor; nothing when either end is not an element.
  void scaleend(int e, double factor);
  /// Rotates both ends by degrees about (cx, cy) in the screen plane.
  void rotate2d(double cx, double cy, double degrees);
  void scaleabout(double factor);
  void refresh();
  /// Recomputes the perpendicular offset of the extra lines.
  void calcoffsets();
  /// Chooses the side of the second line of a double bond.
  void choosesides();
  /// Moves the bond by the distance from its midpoint to the cursor.
  void dragtocursor(int cursorx, int cursory);
  /// Morse energy of the bond at its current length (cal/mol).
  double bondenergy();
  int rank();
  bool isrotatable();
  tbondsides splitsides() const;
  void adjustlength(int mode);
};

/// A chemical bond; creating one takes its kind from both ends' valence.
class tbond : public tlink {
 public:
  tbond(tatm* a, std::uint32_t colour, tbondstyle style, int kind, tatm* b);
  /// A bond from a to a new carbon at a + v scaled to L; the new atom is
  /// handed to the caller through newatom.
  tbond(tatm* a, std::uint32_t colour, tbondstyle style, int kind,
        const TXYZ& v, std::unique_ptr<tatm>& newatom);
  tbond(const bondrecord& record, const tAtoms& atoms);
  /// An exact copy of other joining a and b; the ends' valences are left
  /// as they are (they were copied with the atoms).
  static std::unique_ptr<tbond> copyof(const tlink& other, tatm* a, tatm* b);
};

/// Class of a kind: 3 for kinds 1-2, 2 for 3-4, 1 for 5-6, 0 otherwise.
int hybclassof(int kind);

}  // namespace molvane
