// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/smiles_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "document/session.h"
#include "io/smiles_format.h"

namespace molvane {

tclioutcome smilescommand(const tclioptions& options,
                          const std::vector<std::string>& arguments) {
  if (arguments.size() != 2) {
    return failure("usage: smiles IN");
  }
  if (std::string problem = openinput(arguments[1]); !problem.empty()) {
    return failure(problem);
  }
  std::string error;
  std::string smiles = writesmiles(*session().drawing(), error);
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
