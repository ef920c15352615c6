// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace molvane {

inline constexpr const char* recentsfilename = "molvane3_recents.dat";
inline constexpr std::size_t mostrecentfiles = 6;

/// The documents opened or saved last, oldest first, kept in a text file
/// of one full name per line.
class trecentfiles {
 public:
  const std::vector<std::string>& names() const { return names_; }

  /// Appends name unless the list holds it already (letter case does not
  /// count); a seventh name drops the oldest. Returns whether it changed.
  bool add(const std::string& name);

  /// Reads the list; a missing file gives an empty list.
  void load(const std::filesystem::path& file);
  [[nodiscard]] std::string save(const std::filesystem::path& file) const;

  /// The caption of an entry: its file name without folder, upper case.
  static std::string captionof(const std::string& name);

 private:
  std::vector<std::string> names_;
};

}  // namespace molvane
