// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace molvane {

/// The lines of a text file as views into its bytes, without their line
/// ends. LF, CR LF and a lone CR all end a line; a last line without an end
/// counts, an empty file has no lines. Line i of the result is line i + 1
/// of the file, which is the number error messages give.
std::vector<std::string_view> splitlines(std::string_view text);

/// The lines of a file of one record a line that hold records, trimmed,
/// each with its 1-based number: blank lines, comments ("#") and a leading
/// UTF-8 byte order mark are left out.
std::vector<std::pair<int, std::string_view>> recordlines(
    std::span<const std::uint8_t> bytes);

/// The bytes of a file seen as text (no copy, no decoding).
std::string_view astext(std::span<const std::uint8_t> bytes);

/// Text without leading and trailing blanks (space, tab, CR, LF, VT, FF).
std::string_view trimmed(std::string_view text);

/// The words of text, separated by runs of blanks (as for trimmed).
std::vector<std::string_view> splitwords(std::string_view text);

/// Columns [start, start + width) of a line, cut short where the line is;
/// "" when the line ends before start.
std::string_view columns(std::string_view line, std::size_t start,
                         std::size_t width);

/// The integer in columns [start, start + width). Blank or missing columns
/// give fallback; anything else that is not an integer gives nullopt.
std::optional<long> columninteger(std::string_view line, std::size_t start,
                                  std::size_t width, long fallback = 0);

/// True when text starts with prefix.
bool startswith(std::string_view text, std::string_view prefix);

/// text with control characters and bytes outside ASCII shown as '?', cut
/// to at most limit characters (with "..." after a cut), for quoting file
/// content in error messages.
std::string quotedtext(std::string_view text, std::size_t limit = 40);

/// "line N: " + what.
std::string lineerror(int line, std::string_view what);

}  // namespace molvane
