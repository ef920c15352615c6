// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/byte_cursor.h"

#include "support/real48.h"

#include <algorithm>
#include <utility>

namespace molvane {

namespace {

constexpr std::size_t shortstringmax = 255;

}  // namespace

std::span<const std::uint8_t> tbytecursor::take(std::size_t count) {
  if (failed_ || count > bytes_.size() - position_) {
    failed_ = true;
    return {};
  }
  const auto field = bytes_.subspan(position_, count);
  position_ += count;
  return field;
}

std::uint64_t tbytecursor::readlittleendian(std::size_t count) {
  std::span<const std::uint8_t> bytes = take(count);
  std::uint64_t value = 0;
  for (std::size_t i = bytes.size(); i > 0; --i) {
    value = (value << 8U) | bytes[i - 1];
  }
  return value;
}

std::uint8_t tbytecursor::readu8() {
  return static_cast<std::uint8_t>(readlittleendian(1));
}

std::int8_t tbytecursor::readi8() { return static_cast<std::int8_t>(readu8()); }

std::uint16_t tbytecursor::readu16() {
  return static_cast<std::uint16_t>(readlittleendian(2));
}

std::int16_t tbytecursor::readi16() {
  return static_cast<std::int16_t>(readu16());
}

std::uint32_t tbytecursor::readu32() {
  return static_cast<std::uint32_t>(readlittleendian(4));
}

std::int32_t tbytecursor::readi32() {
  return static_cast<std::int32_t>(readu32());
}

double tbytecursor::readreal48() {
  const auto field = take(real48size);
  if (failed_) {
    return 0.0;
  }
  treal48 bytes{};
  std::copy(field.begin(), field.end(), bytes.begin());
  return real48todouble(bytes);
}

std::span<const std::uint8_t> tbytecursor::readbytes(std::size_t count) {
  return take(count);
}

void tbytecursor::skip(std::size_t count) { static_cast<void>(take(count)); }

std::string tbytecursor::readfixedtext(std::size_t fieldsize) {
  const auto field = take(fieldsize);
  return std::string(field.begin(), std::find(field.begin(), field.end(), 0));
}

std::string tbytecursor::readshortstring(std::size_t fieldsize) {
  if (fieldsize == 0) {
    return {};
  }
  const auto field = take(fieldsize);
  if (failed_) {
    return {};
  }
  const std::size_t length = std::min<std::size_t>(field[0], fieldsize - 1);
  const auto text = field.subspan(1, length);
  return std::string(text.begin(), text.end());
}

std::size_t tbytecursor::remaining() const {
  return failed_ ? 0 : bytes_.size() - position_;
}

bool tbytecursor::canhold(std::size_t count, std::size_t recordsize) const {
  if (recordsize == 0) {
    return !failed_;
  }
  // Dividing instead of multiplying: count * recordsize may not fit.
  return !failed_ && count <= remaining() / recordsize;
}

void tbytewriter::writelittleendian(std::uint64_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    value >>= 8;
  }
}

void tbytewriter::writeu8(std::uint8_t value) { bytes_.push_back(value); }

void tbytewriter::writei8(std::int8_t value) {
  writeu8(static_cast<std::uint8_t>(value));
}

void tbytewriter::writeu16(std::uint16_t value) { writelittleendian(value, 2); }

void tbytewriter::writei16(std::int16_t value) {
  writeu16(static_cast<std::uint16_t>(value));
}

void tbytewriter::writeu32(std::uint32_t value) { writelittleendian(value, 4); }

void tbytewriter::writei32(std::int32_t value) {
  writeu32(static_cast<std::uint32_t>(value));
}

void tbytewriter::writereal48(double value) {
  const treal48 bytes = doubletoreal48(value);
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void tbytewriter::writebytes(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void tbytewriter::writefixedtext(std::string_view text, std::size_t fieldsize) {
  if (fieldsize == 0) {
    return;
  }
  const std::size_t length = std::min(text.size(), fieldsize - 1);
  bytes_.insert(bytes_.end(), text.begin(), text.begin() + length);
  writezeros(fieldsize - length);
}

void tbytewriter::writeshortstring(std::string_view text,
                                   std::size_t fieldsize) {
  if (fieldsize == 0) {
    return;
  }
  const std::size_t length =
      std::min({text.size(), fieldsize - 1, shortstringmax});
  writeu8(static_cast<std::uint8_t>(length));
  bytes_.insert(bytes_.end(), text.begin(), text.begin() + length);
  writezeros(fieldsize - 1 - length);
}

void tbytewriter::writezeros(std::size_t count) {
  bytes_.insert(bytes_.end(), count, 0);
}

std::vector<std::uint8_t> tbytewriter::takebytes() {
  return std::exchange(bytes_, {});
}

}  // namespace molvane
