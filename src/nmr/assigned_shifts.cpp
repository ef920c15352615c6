// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/assigned_shifts.h"

#include "support/text_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace molvane {

namespace {

/// Data items whose keys mark a spectrum as calculated, not measured.
constexpr std::string_view calculatedtags[] = {"Program",    "NMRModel",
                                               "GeomMethod", "NMRBasisSet",
                                               "NMRLocalis", "NMRStandard"};

bool parsenumber(std::string_view text, double& value) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
  }
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() &&
         std::isfinite(value);
}

bool parseinteger(std::string_view text, int& value) {
  text = trimmed(text);
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

/// The keys k of the items "k:value" in a metadata value.
void collectkeys(std::string_view value, std::set<int>& keys) {
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (i > 0 && value[i - 1] != ' ') {
      continue;
    }
    std::size_t end = i;
    while (end < value.size() && value[end] >= '0' && value[end] <= '9') {
      ++end;
    }
    int key = 0;
    if (end > i && end < value.size() && value[end] == ':' &&
        parseinteger(value.substr(i, end - i), key)) {
      keys.insert(key);
    }
  }
}

/// Plausible shifts in ppm; values outside are deposition errors. Carbons
/// bonded to iodine lie far upfield (CH3I about -21, CH2I2 -54, CI4 -292).
std::pair<double, double> plausiblerange(std::string_view nucleus) {
  if (nucleus == "1H") {
    return {-3.0, 17.0};
  }
  if (nucleus == "13C") {
    return {-300.0, 240.0};
  }
  if (nucleus == "19F") {
    return {-300.0, 100.0};
  }
  return {-1000.0, 1000.0};
}

}  // namespace

std::vector<std::string_view> splitsdrecords(std::string_view text) {
  std::vector<std::string_view> records;
  std::size_t start = 0;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t lineend = text.find('\n', position);
    std::size_t stop =
        lineend == std::string_view::npos ? text.size() : lineend;
    if (text.substr(position, stop - position).starts_with("$$$$")) {
      records.push_back(text.substr(start, position - start));
      start = std::min(stop + 1, text.size());
    }
    position = std::min(stop + 1, text.size());
  }
  std::string_view tail = text.substr(start);
  if (tail.find_first_not_of(" \t\r\n") != std::string_view::npos) {
    records.push_back(tail);
  }
  return records;
}

std::vector<tassignedshift> parseassignedshifts(std::string_view record,
                                                std::string_view nucleus) {
  std::vector<std::string_view> lines = splitlines(record);
  // Data items: a line "> <Name>" or ">  <Name>  (n)", then value lines up
  // to a blank line.
  std::vector<std::pair<std::string_view, std::string>> items;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    std::size_t open = line.find('<');
    std::size_t close =
        line.find('>', open == std::string_view::npos ? 0 : open);
    if (line.empty() || line.front() != '>' || open == std::string_view::npos ||
        close == std::string_view::npos) {
      continue;
    }
    std::string value;
    std::size_t j = i + 1;
    for (; j < lines.size() && !trimmed(lines[j]).empty(); ++j) {
      value += std::string(trimmed(lines[j])) + " ";
    }
    items.emplace_back(line.substr(open + 1, close - open - 1), value);
    i = j;
  }
  std::set<int> calculated;
  for (const auto& [name, value] : items) {
    if (std::find(std::begin(calculatedtags), std::end(calculatedtags), name) !=
        std::end(calculatedtags)) {
      collectkeys(value, calculated);
    }
  }
  auto [low, high] = plausiblerange(nucleus);
  std::map<int, std::pair<double, int>> sums;
  for (const auto& [name, value] : items) {
    // "Spectrum 13C 0"
    std::string_view rest = name;
    if (!rest.starts_with("Spectrum ")) {
      continue;
    }
    rest.remove_prefix(9);
    std::size_t space = rest.find(' ');
    int key = 0;
    if (space == std::string_view::npos || rest.substr(0, space) != nucleus ||
        !parseinteger(rest.substr(space + 1), key) || calculated.count(key)) {
      continue;
    }
    std::string_view entries = value;
    while (!entries.empty()) {
      std::size_t bar = entries.find('|');
      std::string_view entry = entries.substr(0, bar);
      entries = bar == std::string_view::npos ? std::string_view()
                                              : entries.substr(bar + 1);
      std::size_t first = entry.find(';');
      std::size_t last = entry.rfind(';');
      double shift = 0.0;
      int atom = 0;
      if (first == std::string_view::npos || last == first ||
          !parsenumber(entry.substr(0, first), shift) ||
          !parseinteger(entry.substr(last + 1), atom) || atom < 0 ||
          shift < low || shift > high) {
        continue;
      }
      auto& sum = sums[atom];
      sum.first += shift;
      sum.second += 1;
    }
  }
  std::vector<tassignedshift> shifts;
  shifts.reserve(sums.size());
  for (const auto& [atom, sum] : sums) {
    shifts.push_back({atom, sum.first / sum.second});
  }
  return shifts;
}

}  // namespace molvane
