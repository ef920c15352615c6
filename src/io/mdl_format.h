// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace molvane {

class tdrawing;

/// Reads the first record of an MDL file: the companion this program
/// writes beside its documents, a V2000 or V3000 molfile, or an SD file
/// (told apart by content, whatever the extension). Coordinates become
/// drawing units (1.53 Å per bond length L; other programs' flat drawings
/// are scaled to bonds of length L and turned so that y grows downwards).
/// Charges come from the atom block and from "M  CHG" lines, isotopes,
/// radicals and zero-order bonds from their property lines; charges and
/// radicals set the hydrogens an atom carries. A record that cannot be read
/// gives an error naming its line ("line 7: bond to atom 12 of 9") and no
/// drawing; a file without any record gives an error too.
[[nodiscard]] treadresult readmdl(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// One record of an MDL file, its lines without the "$$$$" line; firstline
/// is the number of lines[0] in the file, for messages ("line 7: ...").
[[nodiscard]] treadresult readmolfilerecord(
    std::span<const std::string_view> lines, int firstline,
    const tsettings& settings = defaultsettings());

/// Every record of an SD file (one for a molfile) in file order. A record
/// that cannot be read gives an entry with an error ("record 2, line 40:
/// ...") and no drawing, and reading goes on after its "$$$$". Stretches
/// holding only blank lines are no records.
[[nodiscard]] std::vector<treadresult> readmdlrecords(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// The companion written beside every saved document: the standard molfile
/// of writemolfile, titled with the companion's file name, at 1.54 Å per
/// bond length L. Its comment line ("Molvane 3D companion, 1.54 A per bond
/// length") names the program and that scale; readmdl reads such a file back
/// at the scale it names, so a round trip keeps every length. Companions
/// of earlier versions (free-format lines, "3 2 0 0 0" counts) stay
/// readable.
[[nodiscard]] std::vector<std::uint8_t> writemdl(const tdrawing& drawing);

/// A standard V2000 molfile that other programs read: coordinates in
/// ångström (1.53 per L) with y upwards, charges in "M  CHG" lines (and the
/// atom block), isotopes in "M  ISO", delocalised bonds as aromatic (4),
/// wedges and hashed wedges as stereo 1 and 6, and the valence field where
/// an atom's hydrogens differ from what its charge implies. Drawings with
/// more than 999 atoms or bonds are written as V3000.
[[nodiscard]] std::vector<std::uint8_t> writemolfile(const tdrawing& drawing);

/// writemolfile as the single record of an SD file ("$$$$" after it).
[[nodiscard]] std::vector<std::uint8_t> writesdfile(const tdrawing& drawing);

}  // namespace molvane
