// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

namespace molvane {
namespace {

std::string printffixed(double value, int decimals, int width) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
  return buffer;
}

TEST(ParseReal, AcceptsDecimalFormsAndUnderflowButRejectsTheRest) {
  const std::string tiny = "0." + std::string(400, '0') + "1";
  const std::pair<std::string, double> accepted[] = {
      {" -2.5\t", -2.5},
      {"\r\n1.5E-3 ", 1.5e-3},
      {"+.5", 0.5},
      {"5.", 5.0},
      {"2.6E-500", 0.0},
      {"1e-99999999999999999999", 0.0},
      {tiny, 0.0},
      {"0.0001e312", 1e308},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
  };
  for (const auto& [text, expected] : accepted) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parsereal(text), expected);
  }
  const auto negative = parsereal("-2.6E-500");
  EXPECT_TRUE(negative && *negative == 0.0 && std::signbit(*negative));

  const std::string longmantissa = "1" + std::string(400, '0') + "e-10";
  const std::string rejected[] = {
      "",  "  ", "1.5x", "1,5",   "nan",         "inf",       "+-1",
      ".", "1e", "0x10", "1e400", "0.00001e314", longmantissa};
  for (const auto& text : rejected) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(parsereal(text).has_value());
  }
}

TEST(ParseInteger, AcceptsSignsAndBlanksAndRejectsTheRest) {
  const auto max = std::numeric_limits<long>::max();
  const auto min = std::numeric_limits<long>::min();
  EXPECT_EQ(parseinteger("+7"), 7);
  EXPECT_EQ(parseinteger(" -13\t"), -13);
  EXPECT_EQ(parseinteger(std::to_string(min)), min);
  const std::string rejected[] = {
      "", "12.0", "0x1F", "1e3", "+-1", "1 2", std::to_string(max) + "0"};
  for (const auto& text : rejected) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(parseinteger(text).has_value());
  }
}

TEST(FormatNumbers, MatchPrintf) {
  constexpr double infinity = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int decimals;
    int width;
  } cases[] = {{-0.0001, 3, 0}, {2.5, 0, 0},  {-1234.5678, 4, -12},
               {1e308, 2, 0},   {0.1, 25, 0}, {2.0, -1, 0},
               {infinity, 3, 8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(printffixed(c.value, c.decimals, c.width));
    EXPECT_EQ(formatfixed(c.value, c.decimals, c.width),
              printffixed(c.value, c.decimals, c.width));
  }
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> small(-12, 16);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::ldexp(mantissa(random), 3 * small(random));
    const int decimals = small(random) & 15;
    const int width = small(random);
    ASSERT_EQ(formatfixed(value, decimals, width),
              printffixed(value, decimals, width))
        << value << " " << decimals << " " << width;
  }
  for (const long value : {0L, -5L, std::numeric_limits<long>::min()}) {
    for (const int width : {0, 4, -6, 25}) {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%*ld", width, value);
      EXPECT_EQ(formatinteger(value, width), buffer);
    }
  }
}

TEST(NumberText, DecimalCommaLocaleChangesNothing) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  }
  // Checked first, then the locale is restored before any assertion can
  // end the test early.
  const bool commainprintf = printffixed(1.5, 2, 0) == "1,50";
  const auto real = parsereal("-2.25E1");
  const auto comma = parsereal("1,5");
  const auto integer = parseinteger("1234567");
  const std::string fixed = formatfixed(1234.5, 2, 10);
  const std::string whole = formatinteger(1234567, 0);
  std::setlocale(LC_ALL, previous.c_str());

  ASSERT_TRUE(commainprintf) << "the locale did not take effect";
  EXPECT_EQ(real, -22.5);
  EXPECT_FALSE(comma.has_value());
  EXPECT_EQ(integer, 1234567);
  EXPECT_EQ(fixed, "   1234.50");
  EXPECT_EQ(whole, "1234567");
}

}  // namespace
}  // namespace molvane
