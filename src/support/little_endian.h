// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace molvane::detail {

/// Little-endian stores and loads for the fixed-size records of documents.
inline void putu16(std::uint8_t* out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value & 0xFFU);
  out[1] = static_cast<std::uint8_t>(value >> 8U);
}

inline void putu32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    out[i] = static_cast<std::uint8_t>(
        (value >> (8U * static_cast<unsigned>(i))) & 0xFFU);
  }
}

inline std::uint16_t getu16(const std::uint8_t* in) {
  return static_cast<std::uint16_t>(in[0] | (in[1] << 8U));
}

inline std::uint32_t getu32(const std::uint8_t* in) {
  return static_cast<std::uint32_t>(in[0]) |
         (static_cast<std::uint32_t>(in[1]) << 8U) |
         (static_cast<std::uint32_t>(in[2]) << 16U) |
         (static_cast<std::uint32_t>(in[3]) << 24U);
}

inline void puti16(std::uint8_t* out, std::int16_t value) {
  putu16(out, static_cast<std::uint16_t>(value));
}

inline std::int16_t geti16(const std::uint8_t* in) {
  return static_cast<std::int16_t>(getu16(in));
}

}  // namespace molvane::detail
