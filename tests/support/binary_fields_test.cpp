// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/byte_cursor.h"
#include "support/real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace molvane {
namespace {

using tbytes = std::vector<std::uint8_t>;

TEST(ByteCursor, ReadPastTheEndFailsWithoutMovingAndKeepsFailing) {
  // Each buffer is one byte short after the first byte, heap-allocated and
  // exactly sized, so an overread trips the address sanitizer.
  const struct {
    std::size_t size;
    std::function<bool(tbytecursor&)> readgiveszero;
  } cases[] = {
      {2, [](tbytecursor& c) { return c.readu16() == 0; }},
      {6, [](tbytecursor& c) { return c.readreal48() == 0.0; }},
      {9, [](tbytecursor& c) { return c.readfixedtext(9).empty(); }},
      {9, [](tbytecursor& c) { return c.readshortstring(9).empty(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const tbytes bytes(c.size, 0x41);
    tbytecursor cursor(bytes);
    cursor.skip(1);
    EXPECT_TRUE(c.readgiveszero(cursor));
    EXPECT_TRUE(cursor.failed());
    EXPECT_EQ(cursor.position(), 1u);
    EXPECT_EQ(cursor.readu8(), 0);  // would have fitted
  }
}

TEST(ByteCursor, TextFieldsStopAtTheirEndAndConsumeTheWholeField) {
  const tbytes bytes{'A', 'B', 0, 'C', 'D', 'E', 'F', 'G', 'H', 'I'};
  tbytecursor cursor(bytes);
  EXPECT_EQ(cursor.readfixedtext(5), "AB");
  EXPECT_EQ(cursor.readfixedtext(3), "EFG");  // no NUL in the field
  EXPECT_EQ(cursor.readu8(), 'H');

  const struct {
    tbytes bytes;
    std::string expected;
  } shortstrings[] = {
      {{2, 'a', 'b', 'c', 'd'}, "ab"},
      {{200, 'a', 'b', 'c', 'd'}, "abcd"},
      {{3, 'a', 0, 'c', 'd'}, std::string("a\0c", 3)},
  };
  for (const auto& c : shortstrings) {
    SCOPED_TRACE(c.expected);
    tbytecursor field(c.bytes);
    EXPECT_EQ(field.readshortstring(5), c.expected);
    EXPECT_EQ(field.position(), 5u);
  }
}

TEST(ByteCursor, CanHoldRejectsCountsTheRestCannotHold) {
  const tbytes bytes(12, 0);
  tbytecursor cursor(bytes);
  cursor.skip(2);
  constexpr auto huge = std::numeric_limits<std::size_t>::max();
  EXPECT_TRUE(cursor.canhold(5, 2));
  EXPECT_FALSE(cursor.canhold(6, 2));
  // 2 * (huge / 2 + 1) wraps round to 0 in size_t.
  EXPECT_FALSE(cursor.canhold(2, huge / 2 + 1));
  EXPECT_FALSE(cursor.canhold(huge / 2 + 1, 2));
}

TEST(ByteWriter, TextIsCutToItsFieldAndPaddedWithNuls) {
  tbytewriter writer;
  writer.writefixedtext("abcdef", 4);
  writer.writefixedtext("ab", 3);
  writer.writeshortstring("abcdef", 3);
  writer.writeshortstring("a", 3);
  writer.writefixedtext("ab", 0);
  writer.writeshortstring("ab", 0);
  EXPECT_EQ(writer.takebytes(),
            (tbytes{'a', 'b', 'c', 0, 'a', 'b', 0, 2, 'a', 'b', 1, 'a', 0}));

  const std::string longtext(300, 'x');
  writer.writeshortstring(longtext, 300);
  ASSERT_EQ(writer.size(), 300u);
  tbytecursor cursor(writer.bytes());
  EXPECT_EQ(cursor.readshortstring(300), longtext.substr(0, 255));
}

TEST(Real48, KnownValuesHaveTheirEncodings) {
  const struct {
    double value;
    treal48 bytes;
  } cases[] = {
      {1.0, {0x81, 0, 0, 0, 0, 0}},
      {-2.5, {0x82, 0, 0, 0, 0, 0xA0}},  // the sign is the last byte's top bit
      // 1e-6 = 1.048576 * 2^-20; fraction 0.048576 * 2^39, rounded down.
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
      {"negative zero", -0.0, 0.0},
      {"NaN", -std::numeric_limits<double>::quiet_NaN(), 0.0},
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
