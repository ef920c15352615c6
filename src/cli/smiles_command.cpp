// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/smiles_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "cli/record_batch.h"
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "io/line_records.h"
#include "io/sd_stream.h"
#include "io/smiles_format.h"
#include "io/smiles_writer.h"
#include "support/atomic_file.h"

namespace molvane {

namespace {

/// Larger SMILES files are refused before they are read.
constexpr std::size_t largestsmilesfile = 512U * 1024U * 1024U;

/// The SMILES of one record and its title. SMILES to SMILES keeps the
/// stereo as stated; a drawing would carry it only as far as its layout
/// shows it.
std::string smilesofjob(const tjobrecord& record, const tsettings& settings,
                        std::string& title, std::string& error) {
  if (record.file == trecordfile::smiles && record.error.empty()) {
    tsmilesrecord read = parsesmiles(record.text);
    if (!read.error.empty()) {
      error = "line " + std::to_string(record.firstline) + ": " + read.error;
      return "";
    }
    title = read.record.title;
    std::string smiles = smilesofrecord(read.record, read.stereo, error);
    if (smiles.empty()) {
      error = recorderror(record.number, error);
    }
    return smiles;
  }
  treadresult read = readjobrecord(record, settings, false);
  if (read.drawing == nullptr) {
    error = read.error;
    return "";
  }
  title = read.drawing->title();
  std::string smiles = writesmiles(*read.drawing, error);
  if (smiles.empty()) {
    error = recorderror(record.number, error);
  }
  return smiles;
}

/// Every record of a file of several: a SMILES file of them, or with json
/// an array of their number, name and SMILES.
tclioutcome smilesofrecords(const tclioptions& options, const std::string& path,
                            int jobs) {
  const bool json = options.json;
  const trecordentry entry = [json](const tjobrecord& record,
                                    const tsettings& settings,
                                    std::string& error) {
    std::string title;
    const std::string smiles = smilesofjob(record, settings, title, error);
    if (smiles.empty()) {
      return std::string();
    }
    if (!json) {
      return smiles + linetitle(title) + "\n";
    }
    tjsonobject object;
    object.addinteger("record", record.number);
    object.addtext("name", title);
    object.addtext("smiles", smiles);
    return object.text();
  };
  return listrecords(path, jobs, json, entry);
}

}  // namespace

tclioutcome smilescommand(const tclioptions& options,
                          const std::vector<std::string>& command) {
  std::vector<std::string> arguments = command;
  int jobs = 1;
  if (std::string problem = takejobs(arguments, jobs); !problem.empty()) {
    return failure(problem);
  }
  if (arguments.size() != 2) {
    return failure("usage: smiles IN");
  }
  if (holdsseveralrecords(arguments[1])) {
    return smilesofrecords(options, arguments[1], jobs);
  }
  std::string error;
  std::string smiles;
  const tformatrow* row = formatofpath(arguments[1]);
  if (row != nullptr && row->format == tfileformat::smiles) {
    std::vector<std::uint8_t> bytes;
    error = readwholefile(arguments[1], bytes, largestsmilesfile);
    tsmilesrecord read = firstsmilesrecord(bytes);
    if (error.empty() && !read.error.empty()) {
      error = std::string(filereaderror) + ": \"" + arguments[1] +
              "\": " + read.error;
    }
    if (error.empty()) {
      smiles = smilesofrecord(read.record, read.stereo, error);
    }
  } else {
    if (std::string problem = openinput(arguments[1]); !problem.empty()) {
      return failure(problem);
    }
    smiles = writesmiles(*session().drawing(), error);
  }
  if (smiles.empty()) {
    return failure(error);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("input", arguments[1]);
    json.addtext("smiles", smiles);
    return {0, json.text() + "\n", ""};
  }
  return {0, smiles + "\n", ""};
}

}  // namespace molvane
