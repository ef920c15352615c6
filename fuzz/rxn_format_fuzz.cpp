// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/exchange_files.h"
#include "io/mdl_format.h"
#include "io/rxn_format.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void check(const molvane::treadresult& result) {
  // Every input gives either a drawing or an error.
  if ((result.drawing == nullptr) == result.error.empty()) {
    __builtin_trap();
  }
  // Whatever was read can be written again.
  if (result.drawing != nullptr) {
    static_cast<void>(molvane::writemolfile(*result.drawing));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  check(molvane::readrxn(bytes));
  check(molvane::readrxnfile(bytes));
  return 0;
}
