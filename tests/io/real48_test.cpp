// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace molvane {
namespace {

TEST(Real48, KnownValuesHaveTheirEncodings) {
  const struct {
    double value;
    treal48 bytes;
  } cases[] = {
      {1.0, {0x81, 0, 0, 0, 0, 0}},  // exponent 129, fraction 0
      // 2.5 = 1.25 * 2^1: exponent 1 + 129 = 0x82; fraction 0.25 * 2^39 =
      // 0x20'0000'0000; the sign is the top bit of the last byte.
      {-2.5, {0x82, 0, 0, 0, 0, 0xA0}},
      // 1e-6 = 1.048576 * 2^-20 (2^20 = 1048576): exponent 109 = 0x6D;
      // fraction 0.048576 * 2^39 = 26704938415.42, rounded down to
      // 0x06'37BD'05AF, least significant byte first.
      {1e-6, {0x6D, 0xAF, 0x05, 0xBD, 0x37, 0x06}},
      {real48smallest, {0x01, 0, 0, 0, 0, 0}},
      {-real48largest, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(doubletoreal48(c.value), c.bytes);
    EXPECT_NEAR(real48todouble(c.bytes), c.value, std::fabs(c.value) * 1e-12);
  }
  EXPECT_FALSE(std::signbit(real48todouble({0, 0xFF, 0, 0, 0, 0xFF})));
}

TEST(Real48, RoundsTiesToEvenAndHandlesValuesOutOfRange) {
  constexpr double infinity = std::numeric_limits<double>::infinity();
  const struct {
    const char* name;
    double value;
    double expected;
  } cases[] = {
      {"tie below an even fraction", 1.0 + 0x1p-40, 1.0},
      {"tie below an odd fraction", 1.0 + 0x3p-40, 1.0 + 0x1p-38},
      {"carry into the exponent", -(2.0 - 0x1p-41), -2.0},
      {"carry up to the smallest", real48smallest * (1 - 0x1p-42),
       real48smallest},
      {"below the smallest", real48smallest * (1 - 0x1p-39), 0.0},
      {"denormal double", std::numeric_limits<double>::denorm_min(), 0.0},
      {"negative zero", -0.0, 0.0},
      {"NaN", -std::numeric_limits<double>::quiet_NaN(), 0.0},
      {"largest plus a third of a unit", real48largest + 0x1p85, real48largest},
      {"tie above the largest", 0x1.ffffffffffp126, real48largest},
      {"-infinity", -infinity, -real48largest},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const treal48 bytes = doubletoreal48(c.value);
    EXPECT_EQ(real48todouble(bytes), c.expected);
    if (c.expected == 0.0) {
      EXPECT_EQ(bytes, treal48{});
    }
  }
}

TEST(Real48, RandomEncodingsAndDoublesSurviveRoundTrips) {
  std::mt19937_64 random(20260101);
  std::uniform_real_distribution<double> significand(1.0, 2.0);
  std::uniform_int_distribution<int> exponent(-128, 126);
  for (int i = 0; i < 100000; ++i) {
    treal48 bytes{};
    for (auto& b : bytes) {
      b = static_cast<std::uint8_t>(random());
    }
    bytes[0] |= 1;
    const double value = real48todouble(bytes);
    ASSERT_EQ(doubletoreal48(value), bytes) << value;

    const double other = std::ldexp(significand(random), exponent(random)) *
                         (i % 2 == 0 ? 1.0 : -1.0);
    const double back = real48todouble(doubletoreal48(other));
    ASSERT_LE(std::fabs(back - other), std::fabs(other) * 0x1p-40) << other;
  }
}

}  // namespace
}  // namespace molvane
