// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <utility>

namespace molvane {

namespace {

bool isblankchar(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' ||
         c == '\f';
}

bool isdecimaldigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimblanks(std::string_view text) {
  while (!text.empty() && isblankchar(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isblankchar(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

/// Removes one leading '+'. from_chars takes '-' but not '+'; "+-1" must
/// still fail, so a sign after the '+' gives nullopt.
std::optional<std::string_view> dropplus(std::string_view text) {
  if (text.empty() || text.front() != '+') {
    return text;
  }
  text.remove_prefix(1);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    return std::nullopt;
  }
  return text;
}

/// For a number from_chars found out of range: whether its magnitude is
/// below 1, i.e. it underflowed rather than overflowed. The two limits are
/// more than 600 decades apart, so the decade of the first significant digit
/// decides.
bool istoosmall(std::string_view number) {
  std::size_t i = 0;
  if (i < number.size() && number[i] == '-') {
    ++i;
  }
  std::int64_t decade = 0;
  bool found = false;
  bool afterpoint = false;
  for (; i < number.size() && (isdecimaldigit(number[i]) || number[i] == '.');
       ++i) {
    if (number[i] == '.') {
      afterpoint = true;
    } else if (!found && number[i] != '0') {
      found = true;
      decade = afterpoint ? decade - 1 : 0;
    } else if (found && !afterpoint) {
      ++decade;
    } else if (!found && afterpoint) {
      --decade;
    }
  }
  std::int64_t exponent = 0;
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
      negative = number[i] == '-';
      ++i;
    }
    // Saturate: only the sign of decade + exponent matters.
    constexpr std::int64_t limit = 1'000'000'000;
    for (; i < number.size() && isdecimaldigit(number[i]); ++i) {
      exponent = std::min(limit, exponent * 10 + (number[i] - '0'));
    }
    if (negative) {
      exponent = -exponent;
    }
  }
  return decade + exponent < 0;
}

/// Pads text with spaces to |width| characters, on the left for a positive
/// width, on the right for a negative one.
std::string pad(std::string text, int width) {
  const auto wanted = static_cast<std::size_t>(std::abs(width));
  if (text.size() >= wanted) {
    return text;
  }
  if (width > 0) {
    text.insert(0, wanted - text.size(), ' ');
  } else {
    text.append(wanted - text.size(), ' ');
  }
  return text;
}

}  // namespace

std::optional<double> parsecoordinate(std::string_view text) {
  constexpr double largestcoordinate = 1e9;
  std::optional<double> value = parsereal(text);
  if (!value || std::abs(*value) > largestcoordinate) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> parsereal(std::string_view text) {
  const auto number = dropplus(trimblanks(text));
  if (!number || number->empty()) {
    return std::nullopt;
  }
  const char* const first = number->data();
  const char* const last = first + number->size();
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(first, last, value, std::chars_format::general);
  if (end != last) {
    return std::nullopt;
  }
  if (error == std::errc::result_out_of_range) {
    if (!istoosmall(*number)) {
      return std::nullopt;
    }
    return number->front() == '-' ? -0.0 : 0.0;
  }
  if (error != std::errc{} || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<long> parseinteger(std::string_view text) {
  const auto number = dropplus(trimblanks(text));
  if (!number || number->empty()) {
    return std::nullopt;
  }
  const char* const first = number->data();
  const char* const last = first + number->size();
  long value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last) {
    return std::nullopt;
  }
  return value;
}

std::string formatfixed(double value, int decimals, int width) {
  if (decimals < 0) {
    decimals = 6;
  }
  // Sign, up to 309 integer digits, point, decimals.
  std::string text(std::size_t{312} + static_cast<std::size_t>(decimals), ' ');
  const auto result = std::to_chars(text.data(), text.data() + text.size(),
                                    value, std::chars_format::fixed, decimals);
  text.resize(static_cast<std::size_t>(result.ptr - text.data()));
  return pad(std::move(text), width);
}

std::string formatinteger(long value, int width) {
  std::array<char, std::numeric_limits<long>::digits10 + 3> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return pad(std::string(buffer.data(), result.ptr), width);
}

}  // namespace molvane
