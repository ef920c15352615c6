// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/text_conversion.h"

#include <gtest/gtest.h>

#include <QChar>

#include <string>

namespace molvane {
namespace {

TEST(TextConversion, CarriesUtf8BothWaysWhole) {
  for (const std::string& text :
       {std::string(), std::string("CH3"), std::string("2.5 \u00C5"),
        std::string("\u0394H = -5 kcal"), std::string("\U0001F9EA tube"),
        std::string("a\0b", 3)}) {
    SCOPED_TRACE(text);
    const QString converted = qtstring(text);
    EXPECT_EQ(utf8string(converted), text);
  }
  EXPECT_EQ(qtstring("\u00C5").size(), 1);
  EXPECT_EQ(qtstring("\u00C5").at(0), QChar(0x00C5));
}

TEST(TextConversion, TurnsBrokenUtf8IntoReplacementCharacters) {
  const QString converted = qtstring("A\xC3");
  ASSERT_EQ(converted.size(), 2);
  EXPECT_EQ(converted.at(0), QChar('A'));
  EXPECT_EQ(converted.at(1), QChar(QChar::ReplacementCharacter));
}

TEST(TextConversion, KeepsFileNamesWithAccents) {
  const std::filesystem::path path = "/tmp/m\u00E9thane/\u00C5.mlv";
  EXPECT_EQ(pathof(qtpath(path)), path);
  EXPECT_EQ(qtpath(path), QString::fromUtf8("/tmp/m\u00E9thane/\u00C5.mlv"));
}

}  // namespace
}  // namespace molvane
