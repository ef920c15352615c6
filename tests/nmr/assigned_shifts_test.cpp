// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/assigned_shifts.h"

#include <gtest/gtest.h>

namespace molvane {
namespace {

TEST(AssignedShifts, ReadsMeasuredSpectraOnly) {
  const std::string record =
      "title\r\n"
      "M  END\r\n"
      ">  <Spectrum 13C 0>  (7) \r\n"
      "45.88;0.0T;4|12.0;0.0Q;1|x;0.0;2|250.5;0.0S;3|13.0;0.0;-1|\r\n"
      "\r\n"
      "> <Spectrum 13C 3>\r\n"
      "14.0;0.0Q;1|\r\n"
      "\r\n"
      "> <Spectrum 13C 5>\r\n"
      "99.0;0.0Q;1|\r\n"
      "\r\n"
      "> <Spectrum 1H 2>\r\n"
      "4.87;0.0;4|4.67;0.0;4|\r\n"
      "\r\n"
      "> <NMRModel>\r\n"
      "5:HF-GIAO 15:other\r\n"
      "\r\n";
  const struct {
    const char* nucleus;
    std::vector<std::pair<int, double>> expected;
  } cases[] = {
      // Entry "x" and the negative index are not numbers; 250.5 is out of
      // range; spectrum 5 is calculated; spectra 0 and 3 are averaged.
      {"13C", {{1, 13.0}, {4, 45.88}}},
      {"1H", {{4, 4.77}}},
      {"19F", {}},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.nucleus);
    std::vector<tassignedshift> shifts =
        parseassignedshifts(record, each.nucleus);
    ASSERT_EQ(shifts.size(), each.expected.size());
    for (std::size_t i = 0; i < shifts.size(); ++i) {
      EXPECT_EQ(shifts[i].atomindex, each.expected[i].first);
      EXPECT_NEAR(shifts[i].shift, each.expected[i].second, 1e-9);
    }
  }
}

// Carbons bonded to iodine lie far upfield and are real measurements, not
// deposition errors.
TEST(AssignedShifts, KeepsUpfieldIodineCarbons) {
  const std::string record =
      "> <Spectrum 13C 0>\n-20.7;0.0;0|-54.0;0.0;1|-350.0;0.0;2|\n\n";
  std::vector<tassignedshift> shifts = parseassignedshifts(record, "13C");
  ASSERT_EQ(shifts.size(), 2U);
  EXPECT_DOUBLE_EQ(shifts[0].shift, -20.7);
  EXPECT_DOUBLE_EQ(shifts[1].shift, -54.0);
}

TEST(AssignedShifts, SplitsRecordsAtDollarLines) {
  EXPECT_EQ(splitsdrecords("a\n$$$$\nb\n$$$$\n"),
            (std::vector<std::string_view>{"a\n", "b\n"}));
  EXPECT_EQ(splitsdrecords("a\n$$$$\r\nb"),
            (std::vector<std::string_view>{"a\n", "b"}));
  EXPECT_EQ(splitsdrecords("a\n$$$$\n \n"),
            (std::vector<std::string_view>{"a\n"}));
  EXPECT_TRUE(splitsdrecords("").empty());
}

}  // namespace
}  // namespace molvane
