// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/byte_cursor.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

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
    EXPECT_FALSE(cursor.canhold(0, 1));
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
  EXPECT_TRUE(cursor.canhold(0, 346));
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

}  // namespace
}  // namespace molvane
