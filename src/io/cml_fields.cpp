// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/cml_fields.h"

#include "support/number_text.h"
#include "support/text_lines.h"

#include <cmath>

namespace molvane {

std::string cmlid(std::string_view text) {
  text = trimmed(text);
  while (!text.empty() && (text.front() == '"' || text.front() == '\'')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == '"' || text.back() == '\'')) {
    text.remove_suffix(1);
  }
  return std::string(trimmed(text));
}

std::optional<tbondentry> cmlorder(std::string_view text) {
  text = trimmed(text);
  tbondentry bond;
  if (text.empty() || text == "S" || text == "s") {
    return bond;
  }
  if (text == "D" || text == "d") {
    bond.kind = 4;
    return bond;
  }
  if (text == "T" || text == "t") {
    bond.kind = 6;
    return bond;
  }
  if (text == "A" || text == "a") {
    bond.kind = 3;
    bond.delocalised = true;
    return bond;
  }
  std::optional<double> order = parsereal(text);
  if (!order || *order < 0.0 || *order > 3.0) {
    return std::nullopt;
  }
  double halves = 2.0 * *order;
  if (std::abs(halves - std::round(halves)) > 0.01) {
    return std::nullopt;
  }
  bond.kind = static_cast<int>(std::lround(halves));
  bond.delocalised = bond.kind == 3;
  return bond;
}

}  // namespace molvane
