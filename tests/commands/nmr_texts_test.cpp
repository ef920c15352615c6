// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/nmr_texts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace molvane {
namespace {

TEST(NmrTexts, WritesListRowsWithTheirDecimalPointsInOneColumn) {
  struct trow {
    tpeakrow peak;
    bool proton;
    std::string text;
  };
  const std::vector<trow> table{
      {{nullptr, 3, 128.5, 7, 32}, false, "     3   128.5   2 *"},
      {{nullptr, 12, 7.256, 4, 41}, true, "   12      7.26   1 "},
      {{nullptr, 1, 20.0, -7, 33}, false, "     1     20.0   3 +"},
      {{nullptr, 150, 1000.0, -2, 30}, false, " 150 1000.0   0 "},
      {{nullptr, 2, -1.5, 1, 20}, false, "     2      -1.5   0 "},
      // Five or more hydrogens: the shift alone.
      {{nullptr, 2, 5.0, -3, 35}, false, "       5.0 "},
      {{nullptr, 4, std::nullopt, 0, 31}, false, "     4  ---"},
      {{nullptr, 4, 11.0, 0, 31}, false, "     4"},
      {{nullptr, 1000, 1.0, 6, 31}, false, "1000       1.0   1 "},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(peakrowtext(row.peak, row.proton), row.text);
  }
}

TEST(NmrTexts, AveragesCommaSeparatedShiftsOrRejectsTheText) {
  struct trow {
    const char* text;
    std::optional<double> shift;
  };
  const std::vector<trow> table{
      {"12.1,12.3", 12.2},           {"5", 5.0},
      {" 7.0 , 8.0 ", 7.5},          {"", std::nullopt},
      {"12,x", std::nullopt},        {"12,", std::nullopt},
      {",5", std::nullopt},          {"1.5.2", std::nullopt},
      {"1e308,1e308", std::nullopt},
  };
  for (const trow& row : table) {
    SCOPED_TRACE(row.text);
    const std::optional<double> shift = parseshifts(row.text);
    ASSERT_EQ(shift.has_value(), row.shift.has_value());
    if (shift) {
      EXPECT_NEAR(*shift, *row.shift, 1e-12);
    }
  }
}

TEST(NmrTexts, NucleiWithoutShippedShiftsSaySoPlainly) {
  EXPECT_EQ(untaughtnucleusnote(7, false, 0),
            "No N-15 shifts come with the program: it predicts only what you "
            "teach (0 entries)");
  EXPECT_EQ(untaughtnucleusnote(15, false, 1).substr(0, 7), "No P=31");
  EXPECT_NE(untaughtnucleusnote(15, false, 1).find("(1 entry)"),
            std::string::npos);
  EXPECT_EQ(untaughtnucleusnote(6, true, 2200), "");
}

}  // namespace
}  // namespace molvane
