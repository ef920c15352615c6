// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/nmr_texts.h"

#include "nmr/database_files.h"
#include "support/number_text.h"

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

constexpr std::size_t longestrow = 32;
constexpr int numberfield = 7;
constexpr int hydrogenfield = 4;
/// Shifts at or below this carry no value.
constexpr double noshiftlimit = -999.0;

std::string numbertext(int number) {
  const int digits = number <= 0 ? 1 : static_cast<int>(std::log10(number)) + 1;
  return formatinteger(number, std::max(numberfield - digits, 0));
}

/// Narrower as the shift has more digits before its point.
std::string shifttext(double shift, bool proton) {
  int width = 7;
  if (shift < 10.0) {
    width = 10;
  } else if (shift < 100.0) {
    width = 9;
  } else if (shift < 1000.0) {
    width = 8;
  }
  return formatfixed(shift, proton ? 2 : 1, width);
}

}  // namespace

std::string peakrowtext(const tpeakrow& peak, bool proton) {
  if (!peak.shift) {
    return numbertext(peak.number) + "  ---";
  }
  if (peak.level == 0) {
    return numbertext(peak.number);
  }
  const int hydrogens = peak.peaktype % 10;
  std::string text = shifttext(*peak.shift, proton);
  if (hydrogens <= 4) {
    text = numbertext(peak.number) + text +
           formatinteger(hydrogens, hydrogenfield);
  }
  if (peak.level == -7) {
    text += " +";
  } else if (peak.level == 7) {
    text += " *";
  } else {
    text += " ";
  }
  return text.substr(0, longestrow);
}

std::string untaughtnucleusnote(int nucleus, bool shipped, int entries) {
  if (shipped) {
    return "";
  }
  return "No " + nucleuslabel(nucleus) +
         " shifts come with the program: it predicts only what you teach (" +
         std::to_string(entries) + (entries == 1 ? " entry)" : " entries)");
}

std::optional<std::string> shiftlabeltext(double shift, bool proton) {
  if (!(shift > noshiftlimit)) {
    return std::nullopt;
  }
  return proton ? formatfixed(shift, 2, 5) : formatfixed(shift, 1, 4);
}

std::optional<double> parseshifts(std::string_view text) {
  double sum = 0.0;
  int count = 0;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::optional<double> value = parsereal(text.substr(0, comma));
    if (!value) {
      return std::nullopt;
    }
    sum += *value;
    ++count;
    if (comma == std::string_view::npos) {
      break;
    }
    text.remove_prefix(comma + 1);
  }
  const double mean = sum / count;
  if (!std::isfinite(mean)) {
    return std::nullopt;
  }
  return mean;
}

}  // namespace molvane
