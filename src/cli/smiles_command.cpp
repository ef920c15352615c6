// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/smiles_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "commands/file_commands.h"
#include "document/session.h"
#include "io/document_files.h"
#include "io/smiles_format.h"
#include "io/smiles_writer.h"
#include "support/atomic_file.h"

namespace molvane {

namespace {

/// Larger SMILES files are refused before they are read.
constexpr std::size_t largestsmilesfile = 512U * 1024U * 1024U;

}  // namespace

tclioutcome smilescommand(const tclioptions& options,
                          const std::vector<std::string>& arguments) {
  if (arguments.size() != 2) {
    return failure("usage: smiles IN");
  }
  std::string error;
  std::string smiles;
  const tformatrow* row = formatofpath(arguments[1]);
  if (row != nullptr && row->format == tfileformat::smiles) {
    // SMILES to SMILES keeps the stereo as stated; a drawing would carry it
    // only as far as its layout shows it.
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
