// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// Reads little-endian values from a byte buffer the caller keeps alive.
///
/// Every read checks the bounds first. A read that does not fit sets
/// failed(), returns 0 or an empty result and leaves position() where that
/// read started; from then on every read fails the same way, so a reader can
/// parse a whole record and check failed() once at the end.
class tbytecursor {
 public:
  explicit tbytecursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  [[nodiscard]] std::uint8_t readu8();
  [[nodiscard]] std::int8_t readi8();
  [[nodiscard]] std::uint16_t readu16();
  [[nodiscard]] std::int16_t readi16();
  [[nodiscard]] std::uint32_t readu32();
  [[nodiscard]] std::int32_t readi32();
  /// Six bytes decoded by real48todouble.
  [[nodiscard]] double readreal48();

  /// The next count bytes, viewing the caller's buffer.
  [[nodiscard]] std::span<const std::uint8_t> readbytes(std::size_t count);
  void skip(std::size_t count);

  /// A NUL-terminated byte string in a field of fieldsize bytes. The whole
  /// field is consumed; the text ends at the first NUL, or at the end of the
  /// field when it holds none.
  [[nodiscard]] std::string readfixedtext(std::size_t fieldsize);
  /// A length byte followed by the characters, in a field of fieldsize bytes.
  /// The whole field is consumed; a length larger than fieldsize - 1 is cut
  /// to fieldsize - 1. NULs inside the length are kept. A field of size 0
  /// reads nothing and gives "".
  [[nodiscard]] std::string readshortstring(std::size_t fieldsize);

  /// Bytes consumed so far.
  std::size_t position() const { return position_; }
  /// Bytes left to read; 0 once a read has failed.
  std::size_t remaining() const;
  bool failed() const { return failed_; }

  /// Whether count records of recordsize bytes each fit in what remains.
  /// Check this before reserving memory for a count read from a file.
  [[nodiscard]] bool canhold(std::size_t count, std::size_t recordsize) const;

 private:
  /// The next count bytes, advancing past them; empty and failed when they
  /// do not fit.
  std::span<const std::uint8_t> take(std::size_t count);
  std::uint64_t readlittleendian(std::size_t count);

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

/// Builds a little-endian byte stream in memory.
class tbytewriter {
 public:
  void writeu8(std::uint8_t value);
  void writei8(std::int8_t value);
  void writeu16(std::uint16_t value);
  void writei16(std::int16_t value);
  void writeu32(std::uint32_t value);
  void writei32(std::int32_t value);
  /// Six bytes from doubletoreal48 (rounded; saturates out of range).
  void writereal48(double value);
  void writebytes(std::span<const std::uint8_t> bytes);
  /// text in a field of fieldsize bytes: at most fieldsize - 1 bytes of it,
  /// then NULs up to the end of the field. Nothing for a field of size 0.
  void writefixedtext(std::string_view text, std::size_t fieldsize);
  /// A length byte, then the characters, then NULs up to fieldsize bytes.
  /// text is cut to fieldsize - 1 bytes and to 255. Nothing for size 0.
  void writeshortstring(std::string_view text, std::size_t fieldsize);
  void writezeros(std::size_t count);

  std::size_t size() const { return bytes_.size(); }
  /// Makes room for bytes more bytes without changing the contents.
  void reserve(std::size_t bytes) { bytes_.reserve(bytes_.size() + bytes); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  /// Hands over the bytes written and leaves the writer empty.
  std::vector<std::uint8_t> takebytes();

 private:
  void writelittleendian(std::uint64_t value, std::size_t count);

  std::vector<std::uint8_t> bytes_;
};

}  // namespace molvane
