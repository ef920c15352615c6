// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/settings.h"
#include "io/exchange_files.h"
#include "io/mdl_format.h"
#include "io/rxn_format.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  for (auto read : {molvane::readrxn, molvane::readrxnfile}) {
    const molvane::treadresult result = read(bytes, molvane::defaultsettings());
    // A drawing or an error, never both; the drawing writes as a molfile.
    if ((result.drawing == nullptr) == result.error.empty()) {
      __builtin_trap();
    }
    if (result.drawing != nullptr) {
      static_cast<void>(molvane::writemolfile(*result.drawing));
    }
  }
  return 0;
}
