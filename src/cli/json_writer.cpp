// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json_writer.h"

#include "support/number_text.h"

#include <array>
#include <cmath>

namespace molvane {

std::string jsonquoted(std::string_view text) {
  static constexpr std::array<char, 16> hex = {'0', '1', '2', '3', '4', '5',
                                               '6', '7', '8', '9', 'a', 'b',
                                               'c', 'd', 'e', 'f'};
  std::string quoted = "\"";
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (byte < 0x20) {
      quoted += "\\u00";
      quoted += hex[byte >> 4U];
      quoted += hex[byte & 0xFU];
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

void tjsonobject::addkey(std::string_view key) {
  if (!members_.empty()) {
    members_ += ", ";
  }
  members_ += jsonquoted(key) + ": ";
}

void tjsonobject::addtext(std::string_view key, std::string_view value) {
  addkey(key);
  members_ += jsonquoted(value);
}

void tjsonobject::addinteger(std::string_view key, long value) {
  addkey(key);
  members_ += std::to_string(value);
}

void tjsonobject::addboolean(std::string_view key, bool value) {
  addkey(key);
  members_ += value ? "true" : "false";
}

namespace {

std::string realtext(double value, int decimals) {
  return std::isfinite(value) ? formatfixed(value, decimals) : "null";
}

}  // namespace

void tjsonobject::addreal(std::string_view key, double value, int decimals) {
  addkey(key);
  members_ += realtext(value, decimals);
}

void tjsonobject::addtexts(std::string_view key,
                           const std::vector<std::string>& values) {
  addkey(key);
  members_ += "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    members_ += (i == 0 ? "" : ", ") + jsonquoted(values[i]);
  }
  members_ += "]";
}

void tjsonobject::addreals(std::string_view key,
                           const std::vector<double>& values, int decimals) {
  addkey(key);
  members_ += "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    members_ += (i == 0 ? "" : ", ") + realtext(values[i], decimals);
  }
  members_ += "]";
}

std::string tjsonobject::text() const { return "{" + members_ + "}"; }

}  // namespace molvane
