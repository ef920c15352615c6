// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace molvane {

/// Size in bytes of a 6-byte real as stored in native documents.
inline constexpr std::size_t real48size = 6;

/// The 6 bytes of a real48: byte 0 is the exponent biased by 129 (0 means
/// the value 0); bytes 1 to 5 hold a 39-bit fraction, least significant byte
/// first, below an implicit leading 1; the top bit of byte 5 is the sign.
/// value = (1 + fraction / 2^39) * 2^(exponent - 129).
using treal48 = std::array<std::uint8_t, real48size>;

/// Smallest non-zero magnitude a real48 holds: 2^-128.
inline constexpr double real48smallest = 0x1p-128;
/// Largest magnitude a real48 holds: (2 - 2^-39) * 2^126.
inline constexpr double real48largest = 0x1.fffffffffep126;

/// Exact value of an encoding. An exponent byte of 0 gives +0.0 whatever the
/// other five bytes hold.
double real48todouble(const treal48& bytes);

/// Nearest real48 to value (ties to even on the 39th fraction bit); exact for
/// every value the format holds. Values the format cannot hold:
/// - magnitudes that round below 2^-128, +0.0, -0.0 and NaN give the all-zero
///   encoding (there are no denormals and no negative zero);
/// - magnitudes that round above real48largest, and +-infinity, give
///   +-real48largest.
treal48 doubletoreal48(double value);

}  // namespace molvane
