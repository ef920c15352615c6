// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/peak.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace molvane {

/// The lists of a ".pks" file. The file is little-endian: the last list
/// number (19), the total record count, then per list its record count and
/// 32-byte records (shift, class, one ignored byte, seven float spheres).
struct tpeakfile {
  std::array<std::vector<tpeak>, peaklistcount> lists;
  /// "" when the file was read; otherwise why not, and the lists are empty.
  std::string error;
  /// The file held limit records or more.
  bool toolarge = false;
};

inline constexpr std::size_t peakrecordsize = 32;

/// Reads a database file. Every count is checked against the bytes there
/// are; a total of limit or more, a list number outside 0..19, a record
/// count that disagrees with the total and spheres that are not finite
/// numbers all reject the file. Each list comes back in database order.
tpeakfile readpeakfile(std::span<const std::uint8_t> bytes, int limit);

/// The file's bytes for lists, which are written in their current order.
std::vector<std::uint8_t> writepeakfile(
    const std::array<tpeaklist, peaklistcount>& lists);

}  // namespace molvane
