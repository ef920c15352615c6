// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_files.h"

#include "cli/json_writer.h"
#include "cli/record_batch.h"
#include "cli/record_jobs.h"
#include "cli/record_source.h"
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/cml_stream.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "io/inchi_format.h"
#include "io/mdl_format.h"
#include "io/sd_stream.h"
#include "io/smiles_format.h"
#include "io/smiles_stream.h"
#include "model/formula.h"

#include <functional>

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

void visitrecords(const std::string& path, bool laidout,
                  const std::function<void(const treadresult&)>& visit) {
  const tformatrow* row = formatofpath(path);
  if (row == nullptr || row->format == tfileformat::native) {
    return;
  }
  const tsettings& settings = session().settings;
  switch (exchangeformatoffile(path, row->format)) {
    case tfileformat::mdl: {
      tsdstreamoptions options;
      options.settings = &settings;
      tsdstream stream(path, options);
      while (std::optional<treadresult> record = stream.next()) {
        visit(*record);
      }
      break;
    }
    case tfileformat::cml: {
      tcmlstream stream(path, settings);
      while (std::optional<treadresult> record = stream.next()) {
        visit(*record);
      }
      break;
    }
    case tfileformat::smiles:
    case tfileformat::inchi: {
      // Both hold one record a line.
      const bool inchi = row->format == tfileformat::inchi;
      tsmilesstream stream(path);
      while (std::optional<tsmilesline> line = stream.next()) {
        treadresult record;
        if (!line->error.empty()) {
          record.error = line->error;
        } else if (inchi) {
          record = readinchiline(line->line, line->text, settings);
        } else {
          record = readsmilesline(line->line, line->text, settings, laidout);
        }
        visit(record);
      }
      break;
    }
    default:
      // Reactions and XYZ tables are one record each.
      break;
  }
}

trecordsummaries::trecordsummaries(const std::string& path, int jobs) {
  if (recordfileof(path) == trecordfile::none) {
    return;
  }
  spill_ = std::tmpfile();
  if (spill_ == nullptr) {
    error_ = "cannot list the records: no temporary file could be made";
    return;
  }
  // A summary needs what a molecule holds, not where its atoms stand, so
  // SMILES is read without a layout, bar the first record, which is kept.
  // One worker alone reads it, and the workers are done before it is used.
  const trecordwork work = [this](const tjobrecord& record,
                                  const tsettings& settings) {
    trecordoutput output;
    const bool first = record.number == 1;
    treadresult read = readjobrecord(record, settings, first);
    output.text = summaryof(read);
    if (first) {
      first_ = std::move(read);
    }
    return output;
  };
  const trecordsink sink = [this](const trecordoutput& output) {
    add(output.text);
    return error_.empty();
  };
  // A file that cannot be read on gives the records it had, as before.
  (void)runrecordjobs(path, jobs, session().settings, work, sink);
  // One record is no list.
  if (count_ < 2 || !error_.empty()) {
    count_ = 0;
  }
}

trecordsummaries::~trecordsummaries() {
  if (spill_ != nullptr) {
    std::fclose(spill_);
  }
}

void trecordsummaries::add(std::string_view summary) {
  if (spill_ == nullptr || !error_.empty()) {
    return;
  }
  // Each line is its length, then its bytes: errors may hold any byte.
  const std::size_t size = summary.size();
  if (std::fwrite(&size, sizeof size, 1, spill_) != 1 ||
      std::fwrite(summary.data(), 1, size, spill_) != size) {
    error_ = "cannot list the records: the temporary file is full";
    return;
  }
  ++count_;
}

void trecordsummaries::visit(
    const std::function<void(std::size_t, std::string_view)>& take) const {
  if (spill_ == nullptr || count_ == 0 || std::fflush(spill_) != 0) {
    return;
  }
  std::rewind(spill_);
  std::string line;
  for (std::size_t i = 0; i < count_; ++i) {
    std::size_t size = 0;
    if (std::fread(&size, sizeof size, 1, spill_) != 1) {
      return;
    }
    line.resize(size);
    if (std::fread(line.data(), 1, size, spill_) != size) {
      return;
    }
    take(i, line);
  }
}

std::optional<tclioutcome> convertrecords(const tclioptions& options,
                                          const std::string& in,
                                          const std::string& out, int jobs) {
  // One CML molecule or SMILES line is converted as a drawing.
  if (!writesrecords(out) ||
      (!holdsmdlrecords(in) && !holdsseveralrecords(in))) {
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
