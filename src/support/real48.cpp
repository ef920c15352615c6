// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/real48.h"

#include <cmath>

namespace molvane {

namespace {

constexpr int exponentbias = 129;
constexpr int fractionbits = 39;
constexpr std::uint64_t fractionmask = (std::uint64_t{1} << fractionbits) - 1;
constexpr std::uint8_t signbit = 0x80;

treal48 encode(int biasedexponent, std::uint64_t fraction, bool negative) {
  treal48 bytes{};
  bytes[0] = static_cast<std::uint8_t>(biasedexponent);
  for (std::size_t i = 1; i < real48size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(fraction & 0xFF);
    fraction >>= 8;
  }
  if (negative) {
    bytes[5] |= signbit;
  }
  return bytes;
}

}  // namespace

double real48todouble(const treal48& bytes) {
  if (bytes[0] == 0) {
    return 0.0;
  }
  std::uint64_t fraction = bytes[5] & ~signbit;
  for (std::size_t i = 4; i >= 1; --i) {
    fraction = (fraction << 8) | bytes[i];
  }
  // 40 significant bits fit a double's 53, and the exponent range -128 .. 126
  // is far inside a double's, so this is exact.
  const auto significand =
      static_cast<double>((std::uint64_t{1} << fractionbits) | fraction);
  const double magnitude =
      std::ldexp(significand, bytes[0] - exponentbias - fractionbits);
  return (bytes[5] & signbit) != 0 ? -magnitude : magnitude;
}

treal48 doubletoreal48(double value) {
  if (std::isnan(value) || value == 0.0) {
    return treal48{};
  }
  const bool negative = std::signbit(value);
  if (std::isinf(value)) {
    return encode(255, fractionmask, negative);
  }
  // |value| = m * 2^e with m in [0.5, 1); m * 2^53 is an integer, also for
  // denormal doubles, so the rounding below works on exact integers and does
  // not depend on the floating-point rounding mode.
  int exponent = 0;
  const double m = std::frexp(std::fabs(value), &exponent);
  const auto significand53 = static_cast<std::uint64_t>(std::ldexp(m, 53));
  constexpr int dropped = 53 - (fractionbits + 1);
  constexpr std::uint64_t half = std::uint64_t{1} << (dropped - 1);
  const std::uint64_t rest = significand53 & ((half << 1) - 1);
  std::uint64_t significand40 = significand53 >> dropped;
  if (rest > half || (rest == half && (significand40 & 1) != 0)) {
    ++significand40;
  }
  // The leading bit of m sits at 2^-1, so the real48 exponent is e - 1.
  int biased = exponent - 1 + exponentbias;
  if (significand40 >> (fractionbits + 1) != 0) {
    // Rounding carried out of the top bit: 1.111...1 became 10.000...0.
    significand40 >>= 1;
    ++biased;
  }
  if (biased < 1) {
    return treal48{};
  }
  if (biased > 255) {
    return encode(255, fractionmask, negative);
  }
  return encode(biased, significand40 & fractionmask, negative);
}

}  // namespace molvane
