// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/settings.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace molvane {

inline constexpr const char* defaultsfilename = "molvane3.dat";
inline constexpr std::size_t defaultsrecordsize = 502;
inline constexpr std::uint16_t programversion = 150;

/// Bits of the display flags byte.
inline constexpr std::uint8_t colourlabelsflag = 0x01;
/// Set when the window draws with plain pixels instead of smooth lines.
inline constexpr std::uint8_t plainscreenflag = 0x02;

/// The program's saved preferences: one fixed record of 502 bytes.
struct tdefaultsrecord {
  std::uint16_t version = programversion;
  std::uint16_t bondlength = 30;
  std::uint8_t saveonclose = 0;
  std::uint8_t linewidthcode = 1;
  fontrecord labelfont = fontrecord::standard();
  std::uint16_t doublebondspacing = 6;
  std::uint16_t horizontalstep = 16;
  std::uint16_t verticalstep = 16;
  std::uint8_t nmrnucleus = 0;
  /// Display choices, one bit each (displayflags below); 0 keeps the
  /// choices of records written before the byte was used.
  std::uint8_t displayflags = 0;
  std::array<std::uint8_t, 3> reserved{};
  /// Both folder fields hold the program folder (at most 143 bytes kept).
  std::string folder;
  std::string folder2;

  std::array<std::uint8_t, defaultsrecordsize> tobytes() const;
  /// False when the bytes cannot be a record (wrong size, bond length 0 or
  /// a line width code past 3); the record is then left unchanged.
  bool frombytes(std::span<const std::uint8_t> bytes);

  /// The fresh record for a program installed in folder.
  static tdefaultsrecord standard(const std::string& folder);

  void applyto(tsettings& settings) const;
  void takefrom(const tsettings& settings);
};

struct tdefaultsload {
  tdefaultsrecord record;
  /// The file was missing or unreadable and was written anew.
  bool created = false;
  /// Writing the new file failed; the record is still usable.
  std::string error;
};

/// Reads folder/molvane3.dat; a missing or unreadable file is replaced by
/// the standard record, which is saved at once.
tdefaultsload loaddefaults(const std::filesystem::path& folder);

[[nodiscard]] std::string savedefaults(const std::filesystem::path& folder,
                                       const tdefaultsrecord& record);

}  // namespace molvane
