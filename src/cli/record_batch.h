// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_commands.h"
#include "cli/record_source.h"

#include <functional>
#include <string>
#include <vector>

namespace molvane {

class tdrawing;
class tjsonobject;
struct tsettings;

/// Whether path is a file of SD, CML, SMILES or InChI records that holds
/// more than one: such files are worked on a record at a time. Reads at
/// most two records.
bool holdsseveralrecords(const std::string& path);

/// Whether path is a file of MDL records (an SD or MDL file).
bool holdsmdlrecords(const std::string& path);

/// Whether path is written as an SD file, which holds several records.
bool writesrecords(const std::string& path);

/// What a command does to the drawing of one record: "" or why it failed.
/// It runs on a worker thread, with that thread's own session.
using trecordchange = std::function<std::string(tdrawing& drawing)>;

struct tchangedrecords {
  /// Why nothing was written (the input could not be read, no record of it
  /// could, or the output could not be written); out is then left as it was.
  std::string error;
  int written = 0;
};

/// Reads the records of in (SD, CML, SMILES or InChI) one at a time, changes
/// each on jobs worker threads and writes the changed records to out as SD
/// records in the order of in. A record that cannot be read or changed is left
/// out with a warning through the session's messages ("record 3, line 40: ...;
/// left out"). out is replaced only when at least one record was written.
[[nodiscard]] tchangedrecords changerecords(const std::string& in,
                                            const std::string& out, int jobs,
                                            const trecordchange& change);

/// changerecords as a command's answer: its error as the one line, or on
/// success the JSON of input, output, the records written and what addjson
/// adds, or the text that said gives for the records written.
tclioutcome changerecordsfor(
    const tclioptions& options, const std::string& in, const std::string& out,
    int jobs, const trecordchange& change,
    const std::function<void(tjsonobject& json)>& addjson,
    const std::function<std::string(int records)>& said);

/// What a printing command gives for one record: its line (or JSON
/// object), or why the record is left out.
using trecordentry = std::function<std::string(
    const tjobrecord& record, const tsettings& settings, std::string& error)>;

/// Runs entry on every record of path on jobs worker threads and prints
/// what they give in the order of the file; with json the objects make one
/// array. A record that fails is left out with a warning through the
/// session's messages ("record 3, line 40: ...; left out"); when every one
/// fails, the first failure is the command's error.
tclioutcome listrecords(const std::string& path, int jobs, bool json,
                        const trecordentry& entry);

/// Takes --jobs N from the arguments (anywhere after the command name):
/// N worker threads, 0 for one per core, 1 when not given. "" or why the
/// value was refused.
std::string takejobs(std::vector<std::string>& arguments, int& jobs);

}  // namespace molvane
