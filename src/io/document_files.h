// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

class tdrawing;

enum class tfileformat { native, cml, mdl, xyz, rxn, smiles, inchi };

/// One file format: its extensions and, where the program has them, its
/// reader and writer. The window and the command line share this table.
struct tformatrow {
  tfileformat format;
  std::string_view name;
  /// Lower-case extensions without the dot; the first one is written.
  std::vector<std::string_view> extensions;
  treadresult (*read)(std::span<const std::uint8_t> bytes,
                      const tsettings& settings);
  std::vector<std::uint8_t> (*write)(const tdrawing& drawing);
};

/// Every document format the program knows.
std::span<const tformatrow> fileformats();
/// The format a file name stands for by its extension (letter case does not
/// matter); null when the extension is unknown.
const tformatrow* formatofpath(const std::filesystem::path& path);
const tformatrow& formatrow(tfileformat format);

/// Reads a document of any readable format. A file the program cannot read
/// gives an error naming the file and the reason.
[[nodiscard]] treadresult loaddocument(
    const std::filesystem::path& path,
    const tsettings& settings = defaultsettings());

/// The names a save writes: the native document and its CML and MDL
/// companions, all in the folder of the given name.
struct tdocumentnames {
  std::filesystem::path native;
  std::filesystem::path cml;
  std::filesystem::path mdl;
};
/// The native name keeps the given folder and the file name up to its first
/// dot; the extension is the given one when it is already "mlv" in any
/// letter case, otherwise ".MLV". Companions follow the same letter case.
tdocumentnames documentnames(const std::filesystem::path& given);

struct tsaveresult {
  /// False when there was nothing to save (a drawing without atoms).
  bool written = false;
  /// Why the native file could not be written; a previous file of that name
  /// is then left as it was.
  std::string error;
  /// Companions that could not be written.
  std::vector<std::string> notices;
};
/// Saves the native document and its companions. Sets the drawing's file
/// name and, on success, its saved flag.
[[nodiscard]] tsaveresult savedocument(tdrawing& drawing,
                                       const std::filesystem::path& given);

/// Writes the drawing in the format its extension names (native, or an
/// exchange format once its writer exists); "" or an error text.
[[nodiscard]] std::string exportdocument(const tdrawing& drawing,
                                         const std::filesystem::path& path);

}  // namespace molvane
