// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/sd_stream.h"

#include "io/mdl_format.h"
#include "support/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <system_error>
#include <vector>

namespace molvane {

namespace {

/// While a refused record is skipped, a partial line longer than this is
/// dropped at once: it cannot be the "$$$$" line that ends the record.
constexpr std::size_t longestseparator = 1024;

std::string megabytes(std::size_t bytes) {
  constexpr std::size_t mebibyte = std::size_t{1} << 20U;
  return bytes >= mebibyte ? std::to_string(bytes / mebibyte) + " MB"
                           : std::to_string(bytes) + " bytes";
}

}  // namespace

void tsdstream::tfileclose::operator()(std::FILE* file) const {
  std::fclose(file);
}

tsdstream::tsdstream(const std::filesystem::path& path,
                     tsdstreamoptions options)
    : options_(options), path_(path) {
  options_.chunkbytes = std::max<std::size_t>(options_.chunkbytes, 1);
  file_.reset(std::fopen(path.c_str(), "rb"));
  if (file_ == nullptr) {
    error_ = "Cannot open \"" + path.string() +
             "\": " + std::generic_category().message(errno);
  }
}

tsdstream::~tsdstream() = default;

void tsdstream::seek(const tsdplace& place) {
  if (file_ == nullptr) {
    return;
  }
  buffer_.clear();
  start_ = 0;
  ended_ = false;
  error_.clear();
  if (place.offset > static_cast<std::uint64_t>(LONG_MAX) ||
      std::fseek(file_.get(), static_cast<long>(place.offset), SEEK_SET) != 0) {
    error_ = "Cannot read \"" + path_.string() + "\": no record at byte " +
             std::to_string(place.offset);
    return;
  }
  bufferoffset_ = place.offset;
  lines_ = std::max(place.firstline, 1) - 1;
  records_ = std::max(place.number, 1) - 1;
}

bool tsdstream::readmore(std::size_t& keep) {
  keep = std::min(keep, buffer_.size());
  buffer_.erase(0, keep);
  bufferoffset_ += keep;
  const std::size_t had = buffer_.size();
  buffer_.resize(had + options_.chunkbytes);
  const std::size_t got =
      std::fread(buffer_.data() + had, 1, options_.chunkbytes, file_.get());
  buffer_.resize(had + got);
  if (got == 0) {
    ended_ = true;
    if (std::ferror(file_.get()) != 0) {
      error_ = "Cannot read \"" + path_.string() + "\"";
    }
    return false;
  }
  return true;
}

std::optional<tsdrecordtext> tsdstream::nexttext() {
  if (file_ == nullptr || !error_.empty()) {
    return std::nullopt;
  }
  for (;;) {
    tsdplace place{records_ + 1, lines_ + 1, bufferoffset_ + start_};
    std::size_t recordstart = start_;
    std::size_t position = start_;
    bool blank = true;
    bool refused = false;
    // A line whose start was dropped while skipping.
    bool longline = false;
    for (;;) {
      const char* data = buffer_.data();
      const std::size_t size = buffer_.size();
      const auto* linefeed = static_cast<const char*>(
          std::memchr(data + position, '\n', size - position));
      const std::size_t limit = linefeed != nullptr
                                    ? static_cast<std::size_t>(linefeed - data)
                                    : size;
      const auto* carriage = static_cast<const char*>(
          std::memchr(data + position, '\r', limit - position));
      std::size_t end = carriage != nullptr
                            ? static_cast<std::size_t>(carriage - data)
                            : limit;
      // A CR at the end of the buffer may be the first half of a CR LF.
      const bool more = end == size || (carriage != nullptr && end + 1 == size);
      if (more && !ended_) {
        if (!refused && size - recordstart > options_.largestrecord) {
          refused = true;
        }
        std::size_t keep = refused ? position : recordstart;
        if (refused && size - position > longestseparator) {
          keep = size;
          longline = true;
        }
        std::size_t dropped = keep;
        readmore(dropped);
        if (!error_.empty()) {
          return std::nullopt;
        }
        position -= std::min(position, dropped);
        recordstart = refused ? 0 : recordstart - dropped;
        continue;
      }
      if (end == size && position == size) {
        // The end of the file: what was gathered is the last record.
        start_ = size;
        refused = refused || size - recordstart > options_.largestrecord;
        if (refused) {
          break;
        }
        if (blank) {
          return std::nullopt;
        }
        ++records_;
        return tsdrecordtext{
            place,
            std::string_view(buffer_).substr(recordstart, size - recordstart),
            ""};
      }
      std::size_t next = end == size ? size : end + 1;
      if (end < size && buffer_[end] == '\r' && next < size &&
          buffer_[next] == '\n') {
        ++next;
      }
      const std::string_view line =
          trimmed(std::string_view(buffer_).substr(position, end - position));
      ++lines_;
      if (!longline && line == "$$$$") {
        start_ = next;
        refused = refused || position - recordstart > options_.largestrecord;
        if (refused) {
          break;
        }
        if (blank) {
          place = {records_ + 1, lines_ + 1, bufferoffset_ + start_};
          recordstart = position = start_;
          continue;
        }
        ++records_;
        return tsdrecordtext{place,
                             std::string_view(buffer_).substr(
                                 recordstart, position - recordstart),
                             ""};
      }
      longline = false;
      blank = blank && line.empty();
      position = next;
    }
    ++records_;
    tsdrecordtext refusal{place, {}, ""};
    refusal.error =
        lineerror(place.firstline, "the record is longer than " +
                                       megabytes(options_.largestrecord) +
                                       " and was left out");
    return refusal;
  }
}

std::optional<treadresult> tsdstream::next() {
  std::optional<tsdrecordtext> text = nexttext();
  if (!text) {
    return std::nullopt;
  }
  return readnumberedrecord(*text, *options_.settings);
}

treadresult readnumberedrecord(const tsdrecordtext& record,
                               const tsettings& settings) {
  treadresult result;
  if (record.error.empty()) {
    result = readsdrecord(record, settings);
  } else {
    result.error = record.error;
  }
  if (!result.error.empty()) {
    result.error = recorderror(record.place.number, result.error);
  }
  return result;
}

treadresult readsdrecord(const tsdrecordtext& record,
                         const tsettings& settings) {
  const std::vector<std::string_view> lines = splitlines(record.text);
  return readmolfilerecord(lines, record.place.firstline, settings);
}

treadresult readfirstrecord(tsdstream& stream, const tsettings& settings) {
  std::optional<tsdrecordtext> text = stream.nexttext();
  treadresult result;
  if (!stream.error().empty()) {
    result.error = stream.error();
  } else if (!text) {
    result.error = "the file holds no structure";
  } else if (!text->error.empty()) {
    result.error = text->error;
  } else {
    result = readsdrecord(*text, settings);
  }
  return result;
}

std::string recorderror(int number, std::string_view error) {
  return "record " + std::to_string(number) + ", " + std::string(error);
}

}  // namespace molvane
