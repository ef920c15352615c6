// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/read_result.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace molvane {

/// The kinds of file that hold one record after another.
enum class trecordfile { none, mdl, cml, smiles, inchi };

/// Which of them the file at path is, by its name and contents.
trecordfile recordfileof(const std::filesystem::path& path);

/// One record's text as its file holds it: an SD record, a CML molecule
/// element, or a SMILES or InChI line.
struct tjobrecord {
  trecordfile file = trecordfile::mdl;
  /// 1-based among the records of the file.
  int number = 1;
  /// 1-based number of the record's first line in the file.
  int firstline = 1;
  std::string_view text;
  /// Set, with text empty, when the record was refused (for its size).
  std::string error;
};

/// Reads a record's text into a drawing as the readers of its file do
/// (SMILES laid out only with laidout); errors name the record and the
/// line ("record 3, line 40: ..."), those of a SMILES or InChI line the
/// line.
[[nodiscard]] treadresult readjobrecord(const tjobrecord& record,
                                        const tsettings& settings,
                                        bool laidout = true);

/// The records of a file one at a time, as text: memory holds one record
/// and a chunk of the file whatever the file's length.
class trecordsource {
 public:
  trecordsource(const std::filesystem::path& path, const tsettings& settings);
  ~trecordsource();
  trecordsource(const trecordsource&) = delete;
  trecordsource& operator=(const trecordsource&) = delete;

  /// Why the file could not be read (or holds no kind of records); ""
  /// while all is well.
  std::string error() const;

  /// The next record, valid until the next call; nullopt at the end.
  std::optional<tjobrecord> next();

 private:
  struct tstreams;
  trecordfile file_;
  std::unique_ptr<tstreams> streams_;
  int records_ = 0;
};

}  // namespace molvane
