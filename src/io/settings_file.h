// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// The name of the settings file in the data folder.
inline constexpr const char* settingsfilename = "molvane3_settings.txt";

/// Where a palette window was last put: its top left corner on the
/// desktop, in pixels.
struct tpaletteplace {
  int x = 0;
  int y = 0;
  friend bool operator==(const tpaletteplace&, const tpaletteplace&) = default;
};

/// The choices the defaults record has no room for, kept in a text file of
/// `key=value` lines beside it.
struct tsettingsfile {
  /// How many edits Undo walks back (1 .. 1000).
  std::size_t undosteps = 50;
  /// The memory all undo steps may take, in megabytes (1 .. 8192).
  std::size_t undomegabytes = 200;
  /// Whether Normal optimisation ends with the descent of every atom at
  /// once.
  bool polish = true;
  /// The folder the last file was opened from or saved to; empty for none.
  std::string lastfolder;
  /// Where the user moved the 3D Views palette; none until then.
  std::optional<tpaletteplace> views3dplace;
  /// Where the user moved the optimizer window; none until then.
  std::optional<tpaletteplace> optimizerplace;
};

/// What reading the settings gave: the settings, with the defaults where
/// the text had nothing usable, and one line per line that was ignored
/// ("line 3: undo.steps=-4: not a number from 1 to 1000").
struct tsettingsread {
  tsettingsfile settings;
  std::vector<std::string> problems;
};

/// Reads settings text. Unknown keys are skipped quietly (a later version
/// may write them); lines without "=", values out of range and lines
/// longer than 4096 bytes are skipped with a problem. Comments start with
/// "#". Any text gives a result.
tsettingsread parsesettings(std::string_view text);
/// The text of settings, one key a line; parsesettings reads it back.
std::string settingstext(const tsettingsfile& settings);

/// Reads the settings file at path. A missing file gives the defaults and
/// no problem; one that cannot be read or is over 64 KB gives the defaults
/// and says why.
tsettingsread loadsettingsfile(const std::filesystem::path& path);
/// Writes the settings file atomically; "" or the reason it failed.
[[nodiscard]] std::string savesettingsfile(const std::filesystem::path& path,
                                           const tsettingsfile& settings);

}  // namespace molvane
