// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <span>

namespace molvane {

/// Whether bytes name the molecule id of this program's own CML layout.
bool iscmlownfile(std::span<const std::uint8_t> bytes);

/// Reads a CML file of this program's own layout line by line, for files
/// that are not well-formed XML (older ones did not escape names).
treadresult readcmllines(std::span<const std::uint8_t> bytes,
                         const tsettings& settings);

}  // namespace molvane
