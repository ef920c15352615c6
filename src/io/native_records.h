// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/font.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The native document, little-endian, records packed without padding:
//
//   header                        568 bytes
//   atoms       N, N x 346-byte atom record
//   bonds       M, M x 23-byte bond record
//   structures  S, S x structure record
//   rings       R (always written 0), R x structure record, discarded
//   symbols     Y, Y x (u32 type code, structure record)
//   coordinates N x (x, y, z as real48)
//   a reserved byte, the draw mode (u8)
//   values      S, S x 126-byte structure value record
//   the drawing's bond length (u16)
//   numbers     N, N x (u16 atom number, f64 equilibrated charge)
//   NMR shift display flag (u8), structure label flag (u8)
//   colours     C (u8), C x (u8 atomic number, u32 colour)
//   stereo marks, only when some atom or bond holds one: "STMK", N, N x u8
//                 atom mark, M, M x u8 bond mark (0 as drawn, 1 stated,
//                 2 unstated)
//
// Atoms and bonds are referred to by their 0-based position in the lists
// as written. Documents older than version 107 end after the symbols.
//
// Header: u16 version at 0, u8 layout at 2, u16 bond length in pixels at
// 3, title, author and notes as NUL-terminated 96-byte fields at 56, 152
// and 248; everything else is zero.
//
// Structure record: a 53-byte head (u16 type, u8 ring size, the
// structure's six record bytes at 3..6, 47 and 48, its record word at 15,
// the selection flag twice at 31 and 35, the frame as four i16 at 39, the
// atom and bond counts at 49 and 51), then the atom count again and the
// atom indices, then the bond count again and the bond indices.
//
// Wide layout. Every count and index above is 16 bits wide, so a drawing
// with more than 65535 atoms, bonds, structures or symbols cannot be
// written in that form. Such drawings are written with 2 instead of 1 in
// the layout byte of the header, and then every count N, M, S, R, Y, every
// count and index of a structure record (the head becomes 57 bytes, its
// counts at 49 and 53), the atom indices of bond records (records of 27
// bytes: u32 indices at 18 and 22, `chemical` at 26), the count of value
// records and the count of number records are u32. Everything else is the
// same. A reader takes a layout byte of 2 as wide and any other as classic,
// so older documents, which hold 1 there, keep being read.

namespace molvane {

class tbytecursor;
class tbytewriter;

namespace detail {

inline constexpr std::size_t nativeheadersize = 568;
inline constexpr std::size_t nativeatomrecordsize = 346;
inline constexpr std::size_t nativevaluerecordsize = 126;
/// Header: the reserved bytes after the bond length and after the notes.
inline constexpr std::size_t nativeheaderreserved = 51;
inline constexpr std::size_t nativeheadertail = 224;
/// Where the atom indices of a bond record start.
inline constexpr std::size_t nativebondindexoffset = 18;
inline constexpr std::uint8_t nativeclassiclayout = 1;
inline constexpr std::uint8_t nativewidelayout = 2;
/// Counts and indices of the classic layout are 16 bits wide.
inline constexpr std::uint32_t nativeclassiclimit = 0xFFFF;
/// Opens the block of stereo marks after the colours.
inline constexpr std::array<char, 4> nativestereomarktag{'S', 'T', 'M', 'K'};
/// Opens the block after the marks that says which atoms had their nuclide
/// stated (one byte an atom, 1 for stated).
inline constexpr std::array<char, 4> nativenuclidetag{'N', 'U', 'C', 'L'};
/// The title, author and notes of the header, each NUL-terminated.
inline constexpr std::size_t nativecommentfield = 96;
/// The length-prefixed symbol of an atom record.
inline constexpr std::size_t nativesymbolfield = 256;
/// Label modes above this, other than "none", mean nothing.
inline constexpr std::uint8_t lastfiguremode = 20;
inline constexpr int largestcharge = 9;
inline constexpr int lastbondkind = 6;
/// Draw modes whose value modulo 100 is larger fall back to 0.
inline constexpr int lastdrawmode = 19;

/// A 64-bit real as two little-endian words, low word first.
void writedouble(tbytewriter& out, double value);
double readdouble(tbytecursor& in);

/// The fields of an atom record that make the atom, and the fields a
/// writer always leaves zero.
struct tatomrecord {
  std::uint16_t number = 0;
  std::uint8_t kind = 0;
  std::int16_t sx = 0;
  std::int16_t sy = 0;
  std::int16_t z = 0;
  fontrecord font;
  std::uint16_t reservedword = 0;
  std::string symbol;
  std::int8_t direction = 1;
  std::uint32_t colour = 0;
  std::int8_t hfree = 0;
  std::int8_t valence2 = 0;
  std::int8_t fcharge = 0;
  std::int8_t element = 0;
  double mass = 0.0;
  std::uint8_t labelmode = 0;
  std::uint8_t reservedbyte = 0;
  std::uint8_t align = 0;
};

/// bytes holds one whole atom record.
tatomrecord decodeatom(std::span<const std::uint8_t> bytes);

/// The thermochemistry fields of a structure value record.
struct tvaluerecord {
  double amount = 1.0;
  std::array<double, 11> values{};
  std::uint8_t phase = 0;
  std::uint8_t flag = 0;

  bool finite() const;
};

/// bytes holds one whole structure value record.
tvaluerecord decodevalues(std::span<const std::uint8_t> bytes);

/// Why the first bytes of a file are no document header of this format;
/// empty when they may be one. bytes holds at least the header.
std::string headerproblem(std::span<const std::uint8_t> bytes);

/// Whether an atom record holds only values a writer of the format gives.
bool issoundatom(const tatomrecord& record);

/// Whether a bond record's order byte is one the format knows.
bool issoundbondorder(std::uint8_t order);

/// Whether a coordinate read from a document is one a drawing can hold.
bool issoundcoordinate(double value);

/// Counts records that hold values no writer gives. A document damaged in
/// a few places is read with those places corrected; bytes where most
/// records are unsound are no document at all.
class tsoundness {
 public:
  void take(bool sound) {
    ++records_;
    if (!sound) {
      ++unsound_;
    }
  }

  /// True while at most one record, or at most a quarter of them, is
  /// unsound.
  [[nodiscard]] bool believable() const {
    return unsound_ <= 1 || 4 * unsound_ <= records_;
  }

  [[nodiscard]] std::size_t unsound() const { return unsound_; }
  [[nodiscard]] std::size_t records() const { return records_; }

 private:
  std::size_t records_ = 0;
  std::size_t unsound_ = 0;
};

}  // namespace detail

}  // namespace molvane
