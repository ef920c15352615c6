// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SMILES reader and writer, without the 2D layout (smiles_layout_fuzz
// covers that): laying out every input would keep the fuzzer at a few
// hundred inputs a second.
#include "io/smiles_format.h"
#include "io/smiles_writer.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  molvane::tsmilesrecord parsed = molvane::parsesmiles(text);
  if (parsed.error.empty()) {
    // What was read can be written, and the written text is SMILES again.
    std::string error;
    const std::string written =
        molvane::smilesofrecord(parsed.record, parsed.stereo, error);
    if (!written.empty() && !molvane::parsesmiles(written).error.empty()) {
      __builtin_trap();
    }
  }
  // The file reader's record iteration, still without a layout.
  static_cast<void>(
      molvane::firstsmilesrecord(std::span<const std::uint8_t>(data, size)));
  return 0;
}
