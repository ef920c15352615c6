// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/font.h"
#include "qt/font_mapping.h"
#include "qt/text_conversion.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include <string>
#include <tuple>

namespace molvane {
namespace {

TEST(FontMapping, FallsBackToTheSystemSansSerifForAMissingFace) {
  fontrecord record = fontrecord::standard();
  record.setfacename("No Such Face Anywhere");
  const QFont font = qtfontof(record, false);
  EXPECT_EQ(font.family(),
            QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  // A face that is installed is used as it is.
  const QStringList installed = QFontDatabase::families();
  ASSERT_FALSE(installed.isEmpty()) << "no fonts installed";
  fontrecord present = fontrecord::standard();
  present.setfacename(installed.first().toStdString());
  EXPECT_EQ(qtfontof(present, false).family(), installed.first());
}

TEST(FontMapping, MakesBoldOnlyAtWeight700AndKeepsTheOtherStyles) {
  fontrecord record = fontrecord::standard();
  record.weight = 700;
  record.italic = 1;
  record.underline = 1;
  record.strikeout = 1;
  const auto styles = [&record] {
    const QFont font = qtfontof(record, true);
    return std::tuple(font.bold(), font.italic(), font.underline(),
                      font.strikeOut());
  };
  EXPECT_EQ(styles(), std::tuple(true, true, true, true));
  record.weight = 600;
  record.italic = 2;
  EXPECT_EQ(styles(), std::tuple(false, false, true, true));
}

TEST(FontMapping, ReadsNegativeHeightsAsEmAndPositiveOnesAsTheCell) {
  fontrecord record = fontrecord::standard();
  record.height = -20;
  EXPECT_EQ(qtfontof(record, false).pixelSize(), 20);
  record.height = 30;
  const QFont cell = qtfontof(record, false);
  EXPECT_NEAR(QFontMetrics(cell).height(), 30, 2);
  EXPECT_LT(cell.pixelSize(), 30);
  record.height = 0;
  EXPECT_GT(qtfontof(record, false).pixelSize(), 0);
}

TEST(FontMapping, ChosenFontsBecomeRecordsThatMapBack) {
  fontrecord base = fontrecord::standard();
  base.charset = 2;
  QFont chosen(QStringLiteral("Some Face"));
  chosen.setPointSize(12);
  chosen.setBold(true);
  chosen.setUnderline(true);
  fontrecord record = fontrecordof(chosen, base);
  EXPECT_EQ(record.facenametext(), "Some Face");
  EXPECT_EQ(record.height, -16);  // 12 points at 96 pixels per inch
  EXPECT_EQ(record.weight, 700);
  EXPECT_EQ(record.charset, 2);

  record.setfacename("No Such Face Anywhere");
  record.height = -23;
  record.weight = 400;
  record.italic = 1;
  const fontrecord back = fontrecordof(qtfontof(record, true), record);
  EXPECT_EQ(std::tuple(back.height, back.italic, back.weight),
            std::tuple(-23, 1, 400));
}

TEST(TextConversion, CarriesUtf8AndFileNamesBothWaysWhole) {
  for (const std::string& text :
       {std::string(), std::string("CH3"), std::string("2.5 \u00C5"),
        std::string("\u0394H = -5 kcal"), std::string("\U0001F9EA tube"),
        std::string("a\0b", 3)}) {
    EXPECT_EQ(utf8string(qtstring(text)), text);
  }
  EXPECT_EQ(qtstring("\u00C5"), QString(QChar(0x00C5)));
  // Broken UTF-8 becomes replacement characters.
  EXPECT_EQ(qtstring("A\xC3"),
            QString("A") + QChar(QChar::ReplacementCharacter));
  // File names keep their accents.
  const std::filesystem::path path = "/tmp/m\u00E9thane/\u00C5.mlv";
  EXPECT_EQ(pathof(qtpath(path)), path);
  EXPECT_EQ(qtpath(path), QString::fromUtf8("/tmp/m\u00E9thane/\u00C5.mlv"));
}

}  // namespace
}  // namespace molvane
