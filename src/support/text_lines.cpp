// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/text_lines.h"

#include "support/number_text.h"

#include <algorithm>
#include <cstring>

namespace molvane {

namespace {

bool isblank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' ||
         c == '\f';
}

}  // namespace

std::vector<std::string_view> splitlines(std::string_view text) {
  std::vector<std::string_view> lines;
  // One pass to count saves the copies of a growing list.
  lines.reserve(
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  tlinewalker walker(text);
  for (std::string_view line; walker.next(line);) {
    lines.push_back(line);
  }
  return lines;
}

bool tlinewalker::next(std::string_view& line) {
  const char* const data = text_.data();
  const std::size_t size = text_.size();
  if (start_ >= size) {
    return false;
  }
  // Lines end at LF, CR LF or a lone CR, whichever comes first.
  const auto* linefeed =
      static_cast<const char*>(std::memchr(data + start_, '\n', size - start_));
  const std::size_t limit =
      linefeed != nullptr ? static_cast<std::size_t>(linefeed - data) : size;
  const auto* carriage = static_cast<const char*>(
      std::memchr(data + start_, '\r', limit - start_));
  const std::size_t end =
      carriage != nullptr ? static_cast<std::size_t>(carriage - data) : limit;
  line = text_.substr(start_, end - start_);
  std::size_t following = end + 1;
  if (carriage != nullptr && following < size && data[following] == '\n') {
    ++following;
  }
  start_ = following;
  return true;
}

std::string_view astext(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) {
    return {};
  }
  // Reading bytes through a char view is allowed: char may alias anything.
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

trecordlines::trecordlines(std::span<const std::uint8_t> bytes)
    : walker_([&bytes] {
        std::string_view text = astext(bytes);
        if (startswith(text, "\xEF\xBB\xBF")) {
          text.remove_prefix(3);
        }
        return text;
      }()) {}

bool trecordlines::next(int& number, std::string_view& content) {
  for (std::string_view line; walker_.next(line);) {
    ++number_;
    line = trimmed(line);
    if (!line.empty() && line.front() != '#') {
      number = number_;
      content = line;
      return true;
    }
  }
  return false;
}

std::string_view trimmed(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && isblank(text[first])) {
    ++first;
  }
  std::size_t last = text.size();
  while (last > first && isblank(text[last - 1])) {
    --last;
  }
  return text.substr(first, last - first);
}

std::vector<std::string_view> splitwords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isblank(text[i])) {
      ++i;
    }
    std::size_t start = i;
    while (i < text.size() && !isblank(text[i])) {
      ++i;
    }
    if (i > start) {
      words.push_back(text.substr(start, i - start));
    }
  }
  return words;
}

std::string_view columns(std::string_view line, std::size_t start,
                         std::size_t width) {
  if (start >= line.size()) {
    return {};
  }
  return line.substr(start, width);
}

std::optional<long> columninteger(std::string_view line, std::size_t start,
                                  std::size_t width, long fallback) {
  std::string_view field = trimmed(columns(line, start, width));
  if (field.empty()) {
    return fallback;
  }
  return parseinteger(field);
}

bool startswith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string quotedtext(std::string_view text, std::size_t limit) {
  std::string shown;
  for (char c : text.substr(0, limit)) {
    auto code = static_cast<unsigned char>(c);
    shown += code < 32 || code > 126 ? '?' : c;
  }
  if (text.size() > limit) {
    shown += "...";
  }
  return "\"" + shown + "\"";
}

std::string lineerror(int line, std::string_view what) {
  return "line " + std::to_string(line) + ": " + std::string(what);
}

}  // namespace molvane
