// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/molfile_companion.h"

#include "support/number_text.h"
#include "support/text_lines.h"

#include <string>
#include <vector>

namespace molvane {

namespace {

constexpr std::string_view companionhead = "Molvane 3D companion, ";
constexpr std::string_view companiontail = " A per bond length";

}  // namespace

std::string companioncomment(double angstromperlength) {
  return std::string(companionhead) + formatfixed(angstromperlength, 2) +
         std::string(companiontail);
}

double companionscale(std::string_view comment) {
  comment = trimmed(comment);
  if (!comment.starts_with(companionhead) ||
      !comment.ends_with(companiontail)) {
    return 0.0;
  }
  comment.remove_prefix(companionhead.size());
  comment.remove_suffix(companiontail.size());
  const std::optional<double> scale = parsereal(comment);
  constexpr double shortest = 0.5;
  constexpr double longest = 5.0;
  return scale && *scale >= shortest && *scale <= longest ? *scale : 0.0;
}

bool iscompanioncounts(std::string_view line) {
  line = trimmed(line);
  std::vector<std::string_view> words = splitwords(line);
  if (words.size() != 5 || words[2] != "0" || words[3] != "0" ||
      words[4] != "0") {
    return false;
  }
  std::string joined;
  for (std::string_view word : words) {
    if (!parseinteger(word) || word[0] == '+' || word[0] == '-') {
      return false;
    }
    joined += std::string(word) + " ";
  }
  joined.pop_back();
  return joined == line;
}

}  // namespace molvane
