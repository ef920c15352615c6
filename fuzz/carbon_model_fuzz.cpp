// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The carbon shift model's text table (.fit).
#include "nmr/carbon_model.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  molvane::tcarbonmodel model;
  if (model.fromtext(text).empty()) {
    // A table that was read reads back from its own text.
    molvane::tcarbonmodel again;
    if (!again.fromtext(model.text()).empty()) {
      __builtin_trap();
    }
  }
  return 0;
}
