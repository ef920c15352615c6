// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace molvane {

/// Replaces target with bytes so that target always holds either its old
/// content or the complete new one: the bytes go to a new temporary file in
/// the same folder, are flushed to the disk, and the temporary file is then
/// renamed over target. A symbolic link to an existing file stays a link and
/// the file it points to is replaced. A replaced file keeps its permission
/// bits. Returns "" on success, otherwise a one-line error naming the file;
/// after a failure no temporary file remains and target is unchanged.
[[nodiscard]] std::string writefileatomically(
    const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

/// Writes a file piece by piece with the same guarantee: target keeps its
/// old content until commit succeeds; a writer destroyed without a commit
/// leaves no temporary file behind.
class tatomicwriter {
 public:
  explicit tatomicwriter(const std::filesystem::path& target);
  tatomicwriter(const tatomicwriter&) = delete;
  tatomicwriter& operator=(const tatomicwriter&) = delete;
  ~tatomicwriter();

  /// Appends bytes; after a failure further writes do nothing and commit
  /// reports it.
  void write(std::span<const std::uint8_t> bytes);
  /// Flushes the file to the disk and renames it over target. Returns ""
  /// or a one-line error naming target.
  [[nodiscard]] std::string commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path destination_;
  std::filesystem::path folder_;
  std::filesystem::path temporary_;
  int descriptor_ = -1;
  std::string error_;
};

/// Reads the whole file at path into out (replacing its content). Refuses,
/// without allocating for it, a file longer than maxbytes. Returns "" on
/// success, otherwise a one-line error naming the file, with out empty.
[[nodiscard]] std::string readwholefile(const std::filesystem::path& path,
                                        std::vector<std::uint8_t>& out,
                                        std::size_t maxbytes);

}  // namespace molvane
