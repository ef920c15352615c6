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
/// point nowhere are dropped. The drawing is rescaled to the current bond
/// length setting and marked saved; it is not made the session's drawing.
///
/// `notices` holds "End of File" when a document that should carry
/// coordinates ends before them. `error` is set, and `drawing` null, only
/// when not even the header could be read. Any byte sequence gives one or
/// the other, in time and memory linear in its size.
[[nodiscard]] treadresult readnative(std::span<const std::uint8_t> bytes);

/// The native document of drawing. Before writing, the drawing's draw mode
/// is reduced modulo 100 and every bond takes the current double-bond
/// spacing; nothing else changes. The same drawing and settings always give
/// the same bytes.
///
/// Drawings with more than 65535 atoms, bonds, structures or symbols are
/// written in the wide layout (32-bit counts and indices), which only this
/// program and its later versions read.
[[nodiscard]] std::vector<std::uint8_t> writenative(tdrawing& drawing);

}  // namespace molvane
