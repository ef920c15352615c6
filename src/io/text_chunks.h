// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace molvane {

/// A text file read a chunk at a time for the streams of multi-record
/// files: the part not yet taken stays in a buffer, the rest is dropped, so
/// memory follows the largest record and not the file.
class ttextchunks {
 public:
  explicit ttextchunks(const std::filesystem::path& path,
                       std::size_t chunkbytes = std::size_t{1} << 20U);
  ttextchunks(const ttextchunks&) = delete;
  ttextchunks& operator=(const ttextchunks&) = delete;
  ~ttextchunks();

  /// Why the file could not be opened or read; "" while all is well.
  const std::string& error() const { return error_; }

  /// The bytes read and not yet taken.
  std::string_view pending() const {
    return std::string_view(buffer_).substr(start_);
  }
  /// True once the whole file has been read into the buffer.
  bool ended() const { return ended_; }

  /// Appends the next chunk to pending(); false at the end of the file or
  /// on a read error.
  bool readmore();

  /// Drops the first count bytes of pending(), counting their lines.
  void take(std::size_t count);

  /// Lines ("\n") in the bytes taken so far: the number of the line that
  /// pending() starts on, less one.
  int linestaken() const { return lines_; }

 private:
  struct tfileclose {
    void operator()(std::FILE* file) const;
  };

  std::size_t chunkbytes_;
  std::unique_ptr<std::FILE, tfileclose> file_;
  std::string error_;
  std::string buffer_;
  std::size_t start_ = 0;
  bool ended_ = false;
  int lines_ = 0;
};

}  // namespace molvane
