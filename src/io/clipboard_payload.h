// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <memory>
#include <string>
#include <string_view>

namespace molvane {

class tdrawing;

/// The usual MIME types of chemistry on the clipboard.
inline constexpr const char* molfilemimetype = "chemical/x-mdl-molfile";
inline constexpr const char* cmlmimetype = "chemical/x-cml";
inline constexpr const char* smilesmimetype = "chemical/x-daylight-smiles";
inline constexpr const char* plaintextmimetype = "text/plain";

/// What Copy takes from drawing: a copy of the selected atoms with the
/// bonds between them and the selected symbols, or of the whole drawing
/// when no atom is selected. The drawing itself is not changed.
std::unique_ptr<tdrawing> clipboardsubject(const tdrawing& drawing);

/// The chemistry Copy puts on the clipboard: the molfile text, and the
/// SMILES when it can be written (empty otherwise).
struct tclipboardchemistry {
  std::string molfile;
  std::string smiles;
};

tclipboardchemistry writeclipboardchemistry(const tdrawing& subject);

enum class tpastedkind { molfile, cml, smiles, unknown };

/// What pasted text holds, from its MIME type when that is a chemistry
/// type, otherwise from the text: CML when it starts with '<', a molfile
/// when its fourth line is a counts line, SMILES when it is one line
/// without spaces inside (a name may follow after white space).
tpastedkind pastedkindof(std::string_view mimetype, std::string_view text);

/// Reads pasted text as pastedkindof says. The error names the kind and
/// the reader's reason ("the molfile cannot be read: line 4: ..."), or
/// says the text holds no structure this program reads.
[[nodiscard]] treadresult readpastedtext(
    std::string_view mimetype, std::string_view text,
    const tsettings& settings = defaultsettings());

}  // namespace molvane
