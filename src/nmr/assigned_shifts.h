// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// An experimental shift (ppm) assigned to a 0-based atom of a record.
struct tassignedshift {
  int atomindex = 0;
  double shift = 0.0;
};

/// The text of each record of an SD file, up to (not including) its
/// "$$$$" line. Text after the last "$$$$" counts as a record when it holds
/// more than blank lines.
std::vector<std::string_view> splitsdrecords(std::string_view text);

/// The measured shifts of one nucleus ("13C", "1H", "19F", ...) in a record's
/// data items "Spectrum <nucleus> <k>", whose value lists entries
/// "shift;intensity;atom|". Spectra that a data item such as "Program" or
/// "NMRModel" marks as calculated are skipped, as are shifts outside the
/// plausible range of the nucleus and entries that are not numbers. An atom
/// listed more than once (several spectra, diastereotopic protons) gets the
/// mean. Sorted by atom index.
std::vector<tassignedshift> parseassignedshifts(std::string_view record,
                                                std::string_view nucleus);

}  // namespace molvane
