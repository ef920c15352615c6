// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/document_files.h"
#include "io/read_result.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace molvane {

/// The exchange format a file's content shows: CML when it starts with
/// '<', MDL when its fourth line is a counts line (with "V2000" or "V3000",
/// this program's companion counts, or a counts line without version),
/// an MDL reaction when it starts with "$RXN",
/// XYZ when the first line holds one count and atom lines follow, or this
/// program's XYZ table ("atoms bonds", then a position). Content that shows
/// none of them gives expected.
tfileformat exchangeformatof(std::span<const std::uint8_t> bytes,
                             tfileformat expected);

/// exchangeformatof for the start of the file at path, read without the
/// rest of the file; expected when the file cannot be read.
tfileformat exchangeformatoffile(const std::filesystem::path& path,
                                 tfileformat expected);

/// Readers for the format table: each reads what the content shows, so an
/// ".mdl" holding CML or an ".xyz" holding a molfile is read all the same;
/// content that shows nothing is read as the extension says, which then
/// names what is wrong.
[[nodiscard]] treadresult readcmlfile(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());
[[nodiscard]] treadresult readmdlfile(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());
[[nodiscard]] treadresult readxyzfile(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());
[[nodiscard]] treadresult readrxnfile(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// Every record of an exchange file (SD records, CML molecules; one for a
/// molfile, an XYZ file or a reaction), for the command line.
[[nodiscard]] std::vector<treadresult> readexchangerecords(
    std::span<const std::uint8_t> bytes, tfileformat expected,
    const tsettings& settings = defaultsettings());

}  // namespace molvane
