// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"
#include "io/read_result.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace molvane {

/// Calls visit with every record of a file that may hold several (SD,
/// CML, SMILES and InChI files), read one at a time, in file order;
/// unreadable ones come with their error. Other formats give no call.
/// SMILES is laid out only with laidout.
void visitrecords(const std::string& path, bool laidout,
                  const std::function<void(const treadresult&)>& visit);

/// One line per record of a file that holds several molecules (SD files,
/// CML with several molecules): its Hill formula and charge, or why it could
/// not be read. None for files of one record. SD, CML, SMILES and InChI files
/// are read one record at a time, on jobs worker threads, and the lines go
/// to a temporary file in file order, so memory stays flat whatever their
/// length. The first record is kept as opening the file would read it, so
/// that the file is read only once.
class trecordsummaries {
 public:
  explicit trecordsummaries(const std::string& path, int jobs = 1);
  ~trecordsummaries();
  trecordsummaries(const trecordsummaries&) = delete;
  trecordsummaries& operator=(const trecordsummaries&) = delete;

  std::size_t count() const { return count_; }

  /// The first record, laid out, whether or not the file holds others;
  /// nullopt for files of no records and other formats.
  std::optional<treadresult> takefirst() { return std::move(first_); }

  /// Why the list could not be kept (no temporary file, or writing to it
  /// failed); empty when it was, or when the file holds one record.
  const std::string& error() const { return error_; }

  /// Hands every line to take in record order, with its 0-based number.
  void visit(
      const std::function<void(std::size_t, std::string_view)>& take) const;

 private:
  void add(std::string_view summary);

  std::optional<treadresult> first_;
  std::FILE* spill_ = nullptr;
  std::size_t count_ = 0;
  std::string error_;
};

/// convert of a file of MDL records to an SD file: every record is copied
/// as it is read. nullopt for any other pair of formats, which convert
/// handles as one drawing. Unreadable records are left out with a warning
/// through the session's messages. Records are read and written on jobs
/// worker threads, in the order of the file.
std::optional<tclioutcome> convertrecords(const tclioptions& options,
                                          const std::string& in,
                                          const std::string& out, int jobs);

}  // namespace molvane
