// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/record_source.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace molvane {

struct tsettings;

/// What the work on one record gives.
struct trecordoutput {
  /// Written out for the record, in the order of the file.
  std::string text;
  /// Set when the record failed; the command stops there with this
  /// message, as it would have without threads.
  std::string error;
  /// Warnings, passed on to the session's messages in the order of the file.
  std::vector<std::string> notices;
};

/// The work on one record. It runs on a worker thread with a session of its
/// own (holding a copy of settings), so it may use session() freely, but it
/// must not touch anything the calling thread owns.
using trecordwork = std::function<trecordoutput(const tjobrecord& record,
                                                const tsettings& settings)>;
/// Takes each record's output on the calling thread, in the order of the
/// file; false stops the run.
using trecordsink = std::function<bool(const trecordoutput& output)>;

/// The number of worker threads --jobs N asks for: 0 means one per core.
/// nullopt for a value that is no whole number from 0 to 256.
std::optional<int> jobcount(const std::string& value);

/// Reads the SD, CML, SMILES or InChI file at path a record at a time
/// (trecordsource) and runs work on each, on
/// jobs worker threads (1 or less: on one), handing the outputs to sink in
/// the order of the file. At most four records per worker are read ahead,
/// so memory stays flat whatever the length of the file. Returns why the
/// file could not be read, or "".
std::string runrecordjobs(const std::filesystem::path& path, int jobs,
                          const tsettings& settings, const trecordwork& work,
                          const trecordsink& sink);

}  // namespace molvane
