// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace molvane {

class tatm;

/// What one row of the NMR tool's list says about a peak.
struct tpeakrow {
  /// The atom the peak was made from.
  const tatm* atom = nullptr;
  /// The atom's NMR number (or, merged, the number of peaks).
  int number = 0;
  /// In ppm; none when nothing was predicted or entered.
  std::optional<double> shift;
  /// 7 exact database match, 1 to 6 partial, negative from the increment
  /// schemes (-7 merged), 0 none.
  int level = 0;
  /// Hybridisation code x 10 + hydrogens.
  int peaktype = 0;
  /// False for an atom that took the shift of a symmetry-equivalent one.
  bool shown = false;
};

/// The list row of a peak, at most 32 characters: the number right-aligned
/// in 7 characters less its digits, the shift (two decimals for protons,
/// one otherwise) in 11 less the digits before its point, the hydrogen
/// count in 4, then " *" for an exact match, " +" for a merged peak and " " for
/// any other level. Atoms with five or more hydrogens show the shift alone; a
/// peak without a shift shows its number and "  ---", one of level 0 its
/// number alone.
std::string peakrowtext(const tpeakrow& peak, bool proton);

/// The label beside an atom: the shift in 5 characters with two decimals
/// for protons, 4 with one otherwise; none for a shift at or below -999
/// (no shift).
std::optional<std::string> shiftlabeltext(double shift, bool proton);

/// What the NMR tool says of a nucleus for which the program ships no
/// shifts (shipped false): its atoms show "---" until the user teaches the
/// database, so the tool says so, with the entries taught so far. Empty
/// for a nucleus that comes with shifts.
std::string untaughtnucleusnote(int nucleus, bool shipped, int entries);

/// The shift typed into the NMR tool: one or more numbers separated by
/// commas, averaged. None when the text is blank or any part is not a
/// number.
std::optional<double> parseshifts(std::string_view text);

}  // namespace molvane
