// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace molvane {

// Numbers in text files always use '.' and never group digits, whatever the
// process locale says; these helpers never consult the locale.

/// A decimal real such as "12", "-0.5", "+.5", "5.", "1.5E-3", with blanks
/// (space, tab, CR, LF, VT, FF) allowed before and after. Gives nullopt for
/// empty text, anything left over ("1.5x", "1,5"), a second sign, NaN,
/// infinity and values too large for a double. Values too small for a double
/// ("2.6E-500") give a zero with the sign of the text; denormals are kept.
[[nodiscard]] std::optional<double> parsereal(std::string_view text);

/// A coordinate in a file: parsereal, and none beyond 1e9 in the file's
/// units, which only damage gives.
[[nodiscard]] std::optional<double> parsecoordinate(std::string_view text);

/// A decimal integer with an optional '+' or '-' and the same blanks as
/// parsereal. Gives nullopt for empty text, anything left over ("12.0",
/// "0x1F") and values outside the range of long.
[[nodiscard]] std::optional<long> parseinteger(std::string_view text);

/// The text printf("%*.*f", width, decimals, value) gives in the "C" locale:
/// rounded exactly (ties to even on the binary value), padded with spaces on
/// the left to width, on the right for a negative width; a negative
/// decimals means 6. Negative zero keeps its sign ("-0.000"), as do values
/// that round to zero ("-0.0001" with 3 decimals gives "-0.000").
std::string formatfixed(double value, int decimals, int width = 0);

/// The text printf("%*ld", width, value) gives: right-aligned in width,
/// left-aligned for a negative width.
std::string formatinteger(long value, int width);

}  // namespace molvane
