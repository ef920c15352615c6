// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/native_format.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const molvane::treadresult result =
      molvane::readnative(std::span<const std::uint8_t>(data, size));
  // Every input gives either a drawing or an error.
  if ((result.drawing == nullptr) == result.error.empty()) {
    __builtin_trap();
  }
  // Whatever was read can be written again.
  if (result.drawing != nullptr) {
    static_cast<void>(molvane::writenative(*result.drawing));
  }
  return 0;
}
