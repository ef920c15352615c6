// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/font.h"

#include <gtest/gtest.h>

#include <string>

namespace molvane {
namespace {

fontrecord boldarial() {
  fontrecord record;
  record.height = -16;
  record.weight = 700;
  record.italic = 1;
  record.charset = 2;
  record.pitchandfamily = 0x22;
  record.setfacename("Arial");
  return record;
}

TEST(FontRecord, BytesFollowTheDocumentLayout) {
  auto bytes = boldarial().tobytes();
  EXPECT_EQ(bytes[1], 0xFF);  // -16
  EXPECT_EQ(bytes[9], 0x02);  // 700
  EXPECT_EQ(bytes[10], 1);
  EXPECT_EQ(bytes[13], 2);
  EXPECT_EQ(bytes[17], 0x22);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[18])), "Arial");
  fontrecord back = fontrecord::frombytes(bytes);
  EXPECT_TRUE(tfontobject(back).sameas(boldarial()));
}

TEST(FontRecord, FaceNameIsCutAndAlwaysTerminated) {
  fontrecord record;
  record.setfacename(std::string(40, 'x'));
  EXPECT_EQ(record.facenametext().size(), 31U);
  std::array<std::uint8_t, fontrecord::recordsize> bytes{};
  bytes.fill('y');  // no terminating NUL anywhere
  EXPECT_EQ(fontrecord::frombytes(bytes).facenametext(), std::string(31, 'y'));
}

TEST(FontList, EqualFontsAreStoredOnce) {
  tfontlist fonts;
  int first = fonts.addfont(boldarial());
  EXPECT_EQ(fonts.addfont(boldarial()), first);
  EXPECT_EQ(fonts.count(), 2);
  fontrecord lower = boldarial();
  lower.setfacename("arial");
  EXPECT_NE(fonts.addfont(lower), first);  // letter case counts
  fontrecord heavier = boldarial();
  heavier.weight = 600;
  EXPECT_EQ(fonts.findfont(heavier), -1);
}

TEST(FontList, ClearingKeepsOnlyTheDefaultFontAndCopiesOwnTheirFonts) {
  tfontlist fonts(boldarial());
  fonts.addfont(fontrecord::standard());
  fonts.clearfonts();
  ASSERT_EQ(fonts.count(), 1);
  EXPECT_TRUE(fonts.items(0)->sameas(boldarial()));
  tfontlist original;
  original.addfont(boldarial());
  tfontlist copy = original;
  copy.items(1)->setrecord(fontrecord::standard());
  EXPECT_TRUE(original.items(1)->sameas(boldarial()));
  copy = original;
  EXPECT_TRUE(copy.items(1)->sameas(boldarial()));
  EXPECT_NE(copy.items(1), original.items(1));
}

}  // namespace
}  // namespace molvane
