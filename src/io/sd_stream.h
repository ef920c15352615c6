// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace molvane {

/// Where a record of an SD file starts, so that it can be read again
/// without reading the records before it.
struct tsdplace {
  /// 1-based among the records of the file.
  int number = 1;
  /// 1-based number of the record's first line in the file.
  int firstline = 1;
  /// Byte offset of that line.
  std::uint64_t offset = 0;
};

/// One record's text as it stands in the file, without its "$$$$" line.
struct tsdrecordtext {
  tsdplace place;
  /// Valid until the next call on the stream that gave it.
  std::string_view text;
  /// Set, with text empty, when the record was refused for its size.
  std::string error;
};

struct tsdstreamoptions {
  /// Bytes asked of the file at a time.
  std::size_t chunkbytes = std::size_t{1} << 20U;
  /// A longer record is refused and skipped up to its "$$$$" line, so
  /// that a damaged or foreign file never fills the memory.
  std::size_t largestrecord = std::size_t{64} << 20U;
  /// What the drawings of next() are built from; must outlive the stream.
  const tsettings* settings = &defaultsettings();
};

/// Reads an SD file record by record, holding at most one record and one
/// chunk of the file at a time. Records are the stretches between "$$$$"
/// lines (the last one may lack it); stretches of blank lines are no
/// records. LF, CR LF and lone CR end lines, as in the other readers.
class tsdstream {
 public:
  explicit tsdstream(const std::filesystem::path& path,
                     tsdstreamoptions options = {});
  tsdstream(const tsdstream&) = delete;
  tsdstream& operator=(const tsdstream&) = delete;
  ~tsdstream();

  /// Why the file could not be opened or read on; "" while all is well.
  /// A stream with an error gives no more records.
  const std::string& error() const { return error_; }

  /// The number of the record last given; 0 before the first.
  int recordnumber() const { return records_; }

  /// Goes on at a place an earlier pass over the same file found.
  void seek(const tsdplace& place);

  /// The next record's text, or nullopt at the end of the file (or after
  /// an error of the file itself).
  std::optional<tsdrecordtext> nexttext();

  /// The next record read into a drawing, or nullopt at the end. A record
  /// that cannot be read gives a result with an error that names the
  /// record and the line ("record 2, line 40: ..."), and reading goes on
  /// with the record after it.
  std::optional<treadresult> next();

 private:
  struct tfileclose {
    void operator()(std::FILE* file) const;
  };

  /// Appends the next chunk of the file to the buffer, first dropping what
  /// lies before keep; false at the end of the file or on a read error.
  bool readmore(std::size_t& keep);

  tsdstreamoptions options_;
  std::filesystem::path path_;
  std::unique_ptr<std::FILE, tfileclose> file_;
  std::string error_;
  std::string buffer_;
  /// Where the unread part of the buffer starts.
  std::size_t start_ = 0;
  /// File offset of buffer_[0].
  std::uint64_t bufferoffset_ = 0;
  bool ended_ = false;
  /// Lines read so far and the number the next record gets.
  int lines_ = 0;
  int records_ = 0;
};

/// Reads the text of one record into a drawing; errors name the line in
/// the file ("line 40: ...") but not the record.
[[nodiscard]] treadresult readsdrecord(
    const tsdrecordtext& record, const tsettings& settings = defaultsettings());

/// A record as tsdstream::next reads it: errors, and a record refused for
/// its size, name the record and the line ("record 2, line 40: ...").
[[nodiscard]] treadresult readnumberedrecord(
    const tsdrecordtext& record, const tsettings& settings = defaultsettings());

/// The first record of a fresh stream, read as readmdl reads it from
/// memory: errors name the line but not the record, and a file without
/// any record gives "the file holds no structure".
[[nodiscard]] treadresult readfirstrecord(
    tsdstream& stream, const tsettings& settings = defaultsettings());

/// "record N, " + error.
std::string recorderror(int number, std::string_view error);

}  // namespace molvane
