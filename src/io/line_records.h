// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

class tdrawing;

/// Reads one record line of a file of one record a line; number is the
/// line in the file, which errors name.
using tlinereader =
    std::function<treadresult(int number, std::string_view line)>;

/// The first record of a file of one record a line (blank lines and "#"
/// comments skipped), read with readline. The other lines are only
/// counted, and a notice says how many records there were. None when the
/// file holds no record.
std::optional<treadresult> readfirstrecordline(
    std::span<const std::uint8_t> bytes, const tlinereader& readline);

/// The same, read from the file at path one line at a time, so that a file
/// of any length opens without being held. None also when the file cannot
/// be read or its first record line was refused for its length: the
/// caller then reads the bytes, which says why.
std::optional<treadresult> readfirstrecordline(
    const std::filesystem::path& path, const tlinereader& readline);

/// The drawing's title as it follows the record on its line: one space,
/// then the title with line breaks and tabs made spaces; "" for none.
std::string linetitle(const tdrawing& drawing);
/// The same for a record's title.
std::string linetitle(std::string_view title);

/// Every record line of such a file, read with readline, in file order.
std::vector<treadresult> readrecordlines(std::span<const std::uint8_t> bytes,
                                         const tlinereader& readline);

}  // namespace molvane
