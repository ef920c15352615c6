// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The 2D layout of what the SMILES reader accepts. Inputs are kept short:
// the layout is the slow part, and its faults show on small molecules.
#include "io/smiles_format.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  constexpr std::size_t longest = 120;
  if (size > longest) {
    return 0;
  }
  molvane::treadresult result =
      molvane::readsmilesfile(std::span<const std::uint8_t>(data, size));
  if ((result.drawing == nullptr) == result.error.empty()) {
    __builtin_trap();
  }
  return 0;
}
