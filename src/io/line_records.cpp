// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/line_records.h"

#include "document/drawing.h"
#include "io/smiles_stream.h"
#include "support/text_lines.h"

#include <string>

namespace molvane {

std::optional<treadresult> readfirstrecordline(
    std::span<const std::uint8_t> bytes, const tlinereader& readline) {
  trecordlines lines(bytes);
  int number = 0;
  std::string_view line;
  if (!lines.next(number, line)) {
    return std::nullopt;
  }
  treadresult result = readline(number, line);
  if (result.drawing != nullptr) {
    std::size_t records = 1;
    for (int other = 0; lines.next(other, line);) {
      ++records;
    }
    if (records > 1) {
      result.notices.push_back("the file holds " + std::to_string(records) +
                               " records; the first was read");
    }
  }
  return result;
}

std::optional<treadresult> readfirstrecordline(
    const std::filesystem::path& path, const tlinereader& readline) {
  tsmilesstream lines(path);
  std::optional<tsmilesline> first = lines.next();
  if (!first || !first->error.empty() || !lines.error().empty()) {
    return std::nullopt;
  }
  treadresult result = readline(first->line, first->text);
  if (result.drawing != nullptr) {
    std::size_t records = 1;
    while (lines.next()) {
      ++records;
    }
    if (!lines.error().empty()) {
      return std::nullopt;
    }
    if (records > 1) {
      result.notices.push_back("the file holds " + std::to_string(records) +
                               " records; the first was read");
    }
  }
  return result;
}

std::string linetitle(const tdrawing& drawing) {
  return linetitle(drawing.title());
}

std::string linetitle(std::string_view text) {
  std::string title;
  for (char c : text) {
    title += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
  }
  title = std::string(trimmed(title));
  return title.empty() ? "" : " " + title;
}

std::vector<treadresult> readrecordlines(std::span<const std::uint8_t> bytes,
                                         const tlinereader& readline) {
  std::vector<treadresult> results;
  trecordlines lines(bytes);
  int number = 0;
  for (std::string_view line; lines.next(number, line);) {
    results.push_back(readline(number, line));
  }
  return results;
}

}  // namespace molvane
