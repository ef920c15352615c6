// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/peak_file.h"

#include "support/byte_cursor.h"
#include "support/little_endian.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace molvane {

namespace {

constexpr std::int32_t lastlist = peaklistcount - 1;

float floatfrombits(std::uint32_t bits) { return std::bit_cast<float>(bits); }

tpeakfile rejected(std::string reason) {
  tpeakfile file;
  file.error = std::move(reason);
  return file;
}

}  // namespace

tpeakfile readpeakfile(std::span<const std::uint8_t> bytes, int limit) {
  tbytecursor cursor(bytes);
  std::int32_t last = cursor.readi32();
  std::int32_t total = cursor.readi32();
  if (cursor.failed()) {
    return rejected("the file is shorter than its 8-byte head");
  }
  if (last < 0 || last > lastlist) {
    return rejected("the file names lists 0 to " + std::to_string(last) +
                    "; a database has lists 0 to 19");
  }
  if (total < 0) {
    return rejected("negative record count " + std::to_string(total));
  }
  if (total >= limit) {
    tpeakfile file = rejected("E1--NMR Database Too Large");
    file.toolarge = true;
    return file;
  }
  tpeakfile file;
  std::int64_t read = 0;
  for (std::int32_t i = 0; i <= last; ++i) {
    std::int32_t count = cursor.readi32();
    if (cursor.failed()) {
      return rejected("list " + std::to_string(i) + " is cut off");
    }
    if (count < 0 || read + count > total ||
        !cursor.canhold(static_cast<std::size_t>(count), peakrecordsize)) {
      return rejected("list " + std::to_string(i) + " claims " +
                      std::to_string(count) + " records that are not there");
    }
    auto& list = file.lists[static_cast<std::size_t>(i)];
    list.reserve(static_cast<std::size_t>(count));
    for (std::int32_t r = 0; r < count; ++r) {
      tpeak peak;
      peak.shift = cursor.readi16();
      peak.peaktype = cursor.readu8();
      cursor.skip(1);
      for (float& sphere : peak.spheres) {
        sphere = floatfrombits(cursor.readu32());
        if (!std::isfinite(sphere)) {
          return rejected("record " + std::to_string(read + r) +
                          " has a sphere that is not a number");
        }
      }
      list.push_back(peak);
    }
    read += count;
    // Bisection needs each list in order, whoever wrote the file.
    std::stable_sort(
        list.begin(), list.end(),
        [](const tpeak& a, const tpeak& b) { return comparepeaks(a, b) < 0; });
  }
  if (read != total) {
    return rejected("the head counts " + std::to_string(total) +
                    " records, the lists " + std::to_string(read));
  }
  return file;
}

std::vector<std::uint8_t> writepeakfile(
    const std::array<tpeaklist, peaklistcount>& lists) {
  std::size_t total = 0;
  for (const tpeaklist& list : lists) {
    total += list.peaks.size();
  }
  std::vector<std::uint8_t> bytes(8 + 4 * lists.size() +
                                  total * peakrecordsize);
  std::uint8_t* out = bytes.data();
  detail::putu32(out, static_cast<std::uint32_t>(lastlist));
  detail::putu32(out + 4, static_cast<std::uint32_t>(total));
  out += 8;
  for (const tpeaklist& list : lists) {
    detail::putu32(out, static_cast<std::uint32_t>(list.peaks.size()));
    out += 4;
    for (const tpeak& peak : list.peaks) {
      detail::puti16(out, peak.shift);
      out[2] = peak.peaktype;
      out[3] = 0;
      for (std::size_t k = 0; k < peak.spheres.size(); ++k) {
        detail::putu32(out + 4 + 4 * k,
                       std::bit_cast<std::uint32_t>(peak.spheres[k]));
      }
      out += peakrecordsize;
    }
  }
  return bytes;
}

}  // namespace molvane
