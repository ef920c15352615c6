// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/byte_cursor.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace molvane {
namespace {

using tbytes = std::vector<std::uint8_t>;

TEST(ByteWriter, WritesLittleEndianBytesTheCursorReadsBack) {
  tbytewriter writer;
  writer.writeu8(0xFE);
  writer.writei8(-2);
  writer.writeu16(0x1234);
  writer.writei16(-32768);
  writer.writeu32(0xDEADBEEF);
  writer.writei32(-2);
  writer.writereal48(1.0);
  writer.writezeros(2);
  writer.writebytes(tbytes{7, 8});
  writer.writefixedtext("title", 8);
  writer.writeshortstring("C6H6", 10);
  const tbytes head{0xFE, 0xFE, 0x34, 0x12, 0x00, 0x80, 0xEF, 0xBE,
                    0xAD, 0xDE, 0xFE, 0xFF, 0xFF, 0xFF, 0x81};
  const tbytes bytes = writer.takebytes();
  ASSERT_EQ(bytes.size(), 15u + 5 + 4 + 8 + 10);
  EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
  EXPECT_EQ(writer.size(), 0u);

  tbytecursor cursor(bytes);
  EXPECT_EQ(cursor.readu8(), 0xFE);
  EXPECT_EQ(cursor.readi8(), -2);
  EXPECT_EQ(cursor.readu16(), 0x1234);
  EXPECT_EQ(cursor.readi16(), -32768);
  EXPECT_EQ(cursor.readu32(), 0xDEADBEEFu);
  EXPECT_EQ(cursor.readi32(), -2);
  EXPECT_EQ(cursor.readreal48(), 1.0);
  cursor.skip(2);
  EXPECT_EQ(cursor.readbytes(2)[1], 8);
  EXPECT_EQ(cursor.readfixedtext(8), "title");
  EXPECT_EQ(cursor.readshortstring(10), "C6H6");
  EXPECT_FALSE(cursor.failed());
  EXPECT_EQ(cursor.remaining(), 0u);
}

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
