// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/font.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace molvane {

class tbytecursor;
class tbytewriter;

namespace detail {

inline constexpr std::size_t nativeheadersize = 568;
inline constexpr std::size_t nativeatomrecordsize = 346;
inline constexpr std::size_t nativevaluerecordsize = 126;
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
