// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// NMR peak databases (.pks): fixed records, read as hostile input.
#include "nmr/peak_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  constexpr int limit = 100000;
  molvane::tpeakfile file =
      molvane::readpeakfile(std::span<const std::uint8_t>(data, size), limit);
  if (!file.error.empty()) {
    for (const auto& list : file.lists) {
      if (!list.empty()) {
        __builtin_trap();
      }
    }
    return 0;
  }
  // A database that was read can be written and read again.
  std::array<molvane::tpeaklist, molvane::peaklistcount> lists;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    lists[i].peaks = file.lists[i];
  }
  const std::vector<std::uint8_t> written = molvane::writepeakfile(lists);
  if (!molvane::readpeakfile(written, limit).error.empty()) {
    __builtin_trap();
  }
  return 0;
}
