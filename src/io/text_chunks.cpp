// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/text_chunks.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace molvane {

void ttextchunks::tfileclose::operator()(std::FILE* file) const {
  std::fclose(file);
}

ttextchunks::ttextchunks(const std::filesystem::path& path,
                         std::size_t chunkbytes)
    : chunkbytes_(std::max<std::size_t>(chunkbytes, 1)) {
  file_.reset(std::fopen(path.c_str(), "rb"));
  if (file_ == nullptr) {
    error_ = "Cannot open \"" + path.string() +
             "\": " + std::generic_category().message(errno);
    ended_ = true;
  }
}

ttextchunks::~ttextchunks() = default;

bool ttextchunks::readmore() {
  if (ended_) {
    return false;
  }
  // What was taken goes before the buffer grows.
  buffer_.erase(0, start_);
  start_ = 0;
  const std::size_t had = buffer_.size();
  buffer_.resize(had + chunkbytes_);
  const std::size_t got =
      std::fread(buffer_.data() + had, 1, chunkbytes_, file_.get());
  buffer_.resize(had + got);
  if (got < chunkbytes_) {
    ended_ = true;
    if (std::ferror(file_.get()) != 0) {
      error_ =
          "Cannot read the file on: " + std::generic_category().message(errno);
    }
  }
  return got > 0;
}

void ttextchunks::take(std::size_t count) {
  count = std::min(count, buffer_.size() - start_);
  const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(start_);
  lines_ += static_cast<int>(
      std::count(begin, begin + static_cast<std::ptrdiff_t>(count), '\n'));
  start_ += count;
}

}  // namespace molvane
