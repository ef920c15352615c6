// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/nmr_display.h"

#include "model/atom.h"

#include <cmath>

namespace molvane {

namespace {

constexpr int proton = 1;
constexpr int carbon = 6;

/// A stick before its intensity: the peaks merged into it.
struct tstick {
  int peaktype = 0;
  double shift = 0.0;
  int count = 0;
};

double intensityof(const tstick& stick, int nucleus) {
  const int hydrogens = stick.peaktype % 10;
  if (nucleus == proton) {
    return hydrogens * static_cast<double>(stick.count);
  }
  return std::sqrt(static_cast<double>(stick.count)) *
         (hydrogens == 0 ? 0.25 : 1.987);
}

}  // namespace

tspectrum spectrumof(std::span<const tpeakrow> rows, int nucleus) {
  tspectrum spectrum;
  if (nucleus == proton) {
    spectrum.high = 10.0;
    spectrum.b = 0.1;
  } else if (nucleus == carbon) {
    spectrum.high = 200.0;
    spectrum.b = 1.0;
  } else {
    return spectrum;
  }
  std::vector<tstick> sticks;
  for (const tpeakrow& row : rows) {
    if (!row.shift) {
      continue;
    }
    bool merged = false;
    for (tstick& stick : sticks) {
      if (stick.peaktype == row.peaktype && stick.shift == *row.shift) {
        ++stick.count;
        merged = true;
        break;
      }
    }
    if (!merged) {
      sticks.push_back({row.peaktype, *row.shift, 1});
    }
  }
  for (const tstick& stick : sticks) {
    spectrum.lines.push_back({stick.shift, intensityof(stick, nucleus)});
  }
  return spectrum;
}

std::vector<tatomnote> shiftlabelsof(std::span<const tpeakrow> rows,
                                     tshiftfilter filter, int nucleus) {
  std::vector<tatomnote> notes;
  if (filter == tshiftfilter::none) {
    return notes;
  }
  for (const tpeakrow& row : rows) {
    if (row.atom == nullptr || row.atom->number == 0 ||
        (filter == tshiftfilter::filtered && !row.shown)) {
      continue;
    }
    // The number may name any row; one past the list names none.
    const std::size_t index = row.atom->number - 1u;
    if (index >= rows.size() || !rows[index].shift) {
      continue;
    }
    if (auto text = shiftlabeltext(*rows[index].shift, nucleus == proton)) {
      notes.push_back({row.atom, std::move(*text)});
    }
  }
  return notes;
}

}  // namespace molvane
