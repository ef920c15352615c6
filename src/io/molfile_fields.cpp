// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/molfile_fields.h"

#include "support/number_text.h"

#include <cmath>

namespace molvane {

std::optional<int> molfileinteger(std::string_view text) {
  std::optional<long> value = parseinteger(text);
  if (!value || *value < -1000000 || *value > 1000000) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

std::optional<tbondentry> molfilebondtype(int type) {
  tbondentry bond;
  switch (type) {
    case 1:
    case 5:
    case 6:
      bond.kind = 2;
      break;
    case 2:
    case 7:
      bond.kind = 4;
      break;
    case 3:
      bond.kind = 6;
      break;
    case 4:
      bond.kind = 3;
      bond.delocalised = true;
      break;
    case 8:
    case 9:
    case 10:
      bond.kind = 0;
      break;
    default:
      return std::nullopt;
  }
  return bond;
}

void applymolfilechargecode(tatomentry& atom, int code) {
  if ((code >= 1 && code <= 3) || (code >= 5 && code <= 7)) {
    atom.charge = 4 - code;
  } else if (code == 4) {
    atom.radical = 2;
  }
}

std::vector<std::string_view> v3000words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
      ++i;
    }
    std::size_t start = i;
    int depth = 0;
    bool quoted = false;
    while (i < text.size() &&
           (quoted || depth > 0 || (text[i] != ' ' && text[i] != '\t'))) {
      if (text[i] == '"') {
        quoted = !quoted;
      } else if (!quoted && text[i] == '(') {
        ++depth;
      } else if (!quoted && text[i] == ')' && depth > 0) {
        --depth;
      }
      ++i;
    }
    if (i > start) {
      words.push_back(text.substr(start, i - start));
    }
  }
  return words;
}

}  // namespace molvane
