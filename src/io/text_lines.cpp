// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/text_lines.h"

#include "model/number_text.h"

namespace molvane {

namespace {

bool isblank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' ||
         c == '\f';
}

}  // namespace

std::vector<std::string_view> splitlines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\n' || c == '\r') {
      lines.push_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
    ++i;
  }
  if (start < text.size()) {
    lines.push_back(text.substr(start));
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
