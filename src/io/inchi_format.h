// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// Reads one line of an InChI file: an InChI, then optionally a title
/// after white space. The structure is laid out flat with its stereo shown.
/// number is the line in the file, which errors name.
[[nodiscard]] treadresult readinchiline(
    int number, std::string_view line,
    const tsettings& settings = defaultsettings());

/// Reads an InChI file (one InChI a line; blank lines and "#" comments
/// are skipped): the first record.
[[nodiscard]] treadresult readinchifile(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// Every record of an InChI file; a line that is not an InChI gives a
/// result with its error.
[[nodiscard]] std::vector<treadresult> readinchirecords(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// The standard InChI of a drawing as a line of an InChI file, followed by
/// the drawing's title after a space when it has one, without its line
/// end; empty with error set when the library cannot describe it.
std::string inchiline(const tdrawing& drawing, std::string& error);

/// An InChI file of one line for the drawing; empty when the drawing has
/// no InChI.
std::vector<std::uint8_t> writeinchifile(const tdrawing& drawing);

}  // namespace molvane
