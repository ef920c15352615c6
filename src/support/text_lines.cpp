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
  const char* const data = text.data();
  const std::size_t size = text.size();
  std::size_t start = 0;
  while (start < size) {
    // Lines end at LF, CR LF or a lone CR, whichever comes first.
    const auto* linefeed =
        static_cast<const char*>(std::memchr(data + start, '\n', size - start));
    const std::size_t limit =
        linefeed != nullptr ? static_cast<std::size_t>(linefeed - data) : size;
    const auto* carriage = static_cast<const char*>(
        std::memchr(data + start, '\r', limit - start));
    const std::size_t end =
        carriage != nullptr ? static_cast<std::size_t>(carriage - data) : limit;
    lines.push_back(text.substr(start, end - start));
    std::size_t next = end + 1;
    if (carriage != nullptr && next < size && data[next] == '\n') {
      ++next;
    }
    start = next;
  }
  return lines;
}

std::string_view astext(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) {
    return {};
  }
  // Reading bytes through a char view is allowed: char may alias anything.
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::vector<std::pair<int, std::string_view>> recordlines(
    std::span<const std::uint8_t> bytes) {
  std::string_view text = astext(bytes);
  if (startswith(text, "\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  std::vector<std::pair<int, std::string_view>> lines;
  int number = 0;
  for (std::string_view line : splitlines(text)) {
    ++number;
    std::string_view content = trimmed(line);
    if (!content.empty() && content.front() != '#') {
      lines.emplace_back(number, content);
    }
  }
  return lines;
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
