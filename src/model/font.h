// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/base_object.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// A label font as stored in documents: the 16-bit form of a logical font.
struct fontrecord {
  static constexpr std::size_t recordsize = 50;
  static constexpr std::size_t facenamesize = 32;

  std::int16_t height = -11;  ///< negative: em height in pixels
  std::int16_t width = 0;     ///< average character width, 0 = default
  std::int16_t escapement = 0;
  std::int16_t orientation = 0;
  std::int16_t weight = 400;  ///< 700 = bold
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeout = 0;
  std::uint8_t charset = 0;
  std::uint8_t outprecision = 0;
  std::uint8_t clipprecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchandfamily = 0;
  /// Zero-terminated, at most 31 characters.
  std::array<char, facenamesize> facename{};

  std::string facenametext() const;
  /// Stores at most 31 characters of name.
  void setfacename(std::string_view name);

  /// The 50 bytes of the record, little-endian.
  std::array<std::uint8_t, recordsize> tobytes() const;
  /// Reads the 50 bytes of a record; the face name is cut at its first NUL
  /// and always ends with one.
  static fontrecord frombytes(std::span<const std::uint8_t, recordsize> bytes);

  /// The program's default label font: "MS Sans Serif", 8 points, weight 400.
  static fontrecord standard();
};

/// One font of a drawing's font list.
class tfontobject {
 public:
  explicit tfontobject(const fontrecord& record) { setrecord(record); }
  const fontrecord& getrecord() const { return record_; }
  void setrecord(const fontrecord& record);
  /// Same numeric fields and code bytes, and the same face name exactly
  /// (letter case counts).
  bool sameas(const fontrecord& record) const;

 private:
  fontrecord record_;
};

/// The fonts of a drawing. Unlike other model lists it owns its entries.
/// Item 0 is always the default font it was created with.
class tfontlist : public tBaseList<tfontobject> {
 public:
  explicit tfontlist(const fontrecord& defaultfont = fontrecord::standard());
  tfontlist(const tfontlist& other);
  tfontlist& operator=(const tfontlist& other);
  ~tfontlist() override = default;

  /// Index of the first font equal to record, or -1.
  int findfont(const fontrecord& record) const;
  /// Index of an equal font, appending one when there is none.
  int addfont(const fontrecord& record);
  /// Frees every font, then adds the default font again.
  void clearfonts();
  const fontrecord& defaultfont() const { return defaultfont_; }

  std::int32_t current = -1;
  std::int32_t spare = 0;

 private:
  void freeall();
  void append(const fontrecord& record);

  fontrecord defaultfont_;
  std::vector<std::unique_ptr<tfontobject>> owned_;
};

}  // namespace molvane
