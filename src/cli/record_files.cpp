// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_files.h"

#include "cli/json_writer.h"
#include "cli/record_batch.h"
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/cml_stream.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "io/mdl_format.h"
#include "io/sd_stream.h"
#include "io/smiles_format.h"
#include "io/smiles_stream.h"
#include "model/formula.h"

namespace molvane {

namespace {

std::string summaryof(const treadresult& record) {
  if (record.drawing == nullptr) {
    return "unreadable: " + record.error;
  }
  const int charge = record.drawing->totalcharge();
  return hillformula(*record.drawing) +
         (charge == 0 ? "" : " charge " + std::to_string(charge));
}

}  // namespace

std::vector<std::string> recordsummaries(const std::string& path) {
  const tformatrow* row = formatofpath(path);
  if (row == nullptr || row->format == tfileformat::native) {
    return {};
  }
  // Each format is read a record at a time, and SMILES without a layout:
  // a summary needs what a molecule holds, not where its atoms stand.
  std::vector<std::string> summaries;
  const tsettings& settings = session().settings;
  switch (exchangeformatoffile(path, row->format)) {
    case tfileformat::mdl: {
      tsdstreamoptions options;
      options.settings = &settings;
      tsdstream stream(path, options);
      while (std::optional<treadresult> record = stream.next()) {
        summaries.push_back(summaryof(*record));
      }
      break;
    }
    case tfileformat::cml: {
      tcmlstream stream(path, settings);
      while (std::optional<treadresult> record = stream.next()) {
        summaries.push_back(summaryof(*record));
      }
      break;
    }
    case tfileformat::smiles: {
      tsmilesstream stream(path);
      while (std::optional<tsmilesline> line = stream.next()) {
        if (!line->error.empty()) {
          summaries.push_back("unreadable: " + line->error);
          continue;
        }
        summaries.push_back(
            summaryof(readsmilesline(line->line, line->text, settings,
                                     /*laidout=*/false)));
      }
      break;
    }
    default:
      // Reactions and XYZ tables are one record each.
      break;
  }
  if (summaries.size() < 2) {
    return {};
  }
  return summaries;
}

std::optional<tclioutcome> convertrecords(const tclioptions& options,
                                          const std::string& in,
                                          const std::string& out, int jobs) {
  if (!writesrecords(out) || !holdsmdlrecords(in)) {
    return std::nullopt;
  }
  const tchangedrecords copied =
      changerecords(in, out, jobs, [](tdrawing&) { return std::string(); });
  if (!copied.error.empty()) {
    return failure(std::string(filereaderror) + ": \"" + in +
                   "\": " + copied.error);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("input", in);
    json.addtext("output", out);
    json.addinteger("records", copied.written);
    return tclioutcome{0, json.text() + "\n", ""};
  }
  return tclioutcome{0, "Wrote " + out + "\n", ""};
}

}  // namespace molvane
