// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace molvane {

class tdrawing;

/// Builds a new drawing from the bytes of a native document, with
/// everything that could be read: a file that ends early keeps what came
/// before the end, records of unknown kinds are skipped and indices that
/// point nowhere are dropped. The drawing is built from settings, rescaled
/// to their bond length and marked saved.
///
/// `notices` holds "End of File" when a document that should carry
/// coordinates ends before them. `error` is set, and `drawing` null, only
/// when not even the header could be read. Any byte sequence gives one or
/// the other, in time and memory linear in its size.
[[nodiscard]] treadresult readnative(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// The native document of drawing, which stays as it was: the draw mode is
/// written modulo 100, the header carries the drawing's bond length and the
/// version of this layout. The same drawing always gives the same bytes.
///
/// Drawings with more than 65535 atoms, bonds, structures or symbols are
/// written in the wide layout (32-bit counts and indices), which only this
/// program and its later versions read.
[[nodiscard]] std::vector<std::uint8_t> writenative(const tdrawing& drawing);

}  // namespace molvane
