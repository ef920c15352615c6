// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The defaults record (molvane3.dat) as it is read at start-up.
#include "document/session.h"
#include "io/defaults_record.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  molvane::tdefaultsrecord record = molvane::tdefaultsrecord::standard("/x");
  if (record.frombytes(std::span<const std::uint8_t>(data, size))) {
    molvane::tsettings settings;
    record.applyto(settings);
    static_cast<void>(record.tobytes());
  }
  return 0;
}
