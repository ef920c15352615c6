// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_batch.h"

#include "cli/json_writer.h"
#include "cli/record_jobs.h"
#include "cli/record_source.h"
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "io/mdl_format.h"
#include "io/sd_stream.h"
#include "support/atomic_file.h"

#include <algorithm>

namespace molvane {

namespace {

/// One record read and changed; its SD text, or why it is left out.
trecordoutput changeone(const tjobrecord& record, const tsettings& settings,
                        const trecordchange& change) {
  trecordoutput output;
  treadresult read = readjobrecord(record, settings);
  if (read.drawing == nullptr) {
    output.error = read.error;
    return output;
  }
  for (const std::string& notice : read.notices) {
    output.notices.push_back(recorderror(record.number, notice));
  }
  if (std::string problem = change(*read.drawing); !problem.empty()) {
    output.error = recorderror(record.number, problem);
    return output;
  }
  const std::vector<std::uint8_t> bytes = writesdfile(*read.drawing);
  output.text.assign(bytes.begin(), bytes.end());
  return output;
}

}  // namespace

bool holdsmdlrecords(const std::string& path) {
  const tformatrow* row = formatofpath(path);
  return row != nullptr && row->format != tfileformat::native &&
         exchangeformatoffile(path, row->format) == tfileformat::mdl;
}

bool holdsseveralrecords(const std::string& path) {
  if (recordfileof(path) == trecordfile::none) {
    return false;
  }
  trecordsource source(path, session().settings);
  return source.next() && source.next();
}

bool writesrecords(const std::string& path) {
  const tformatrow* row = formatofpath(path);
  return row != nullptr && row->write == writesdfile;
}

tchangedrecords changerecords(const std::string& in, const std::string& out,
                              int jobs, const trecordchange& change) {
  tchangedrecords changed;
  if (recordfileof(in) == trecordfile::none) {
    changed.error = "\"" + in + "\" holds no SD, CML or SMILES records";
    return changed;
  }
  tatomicwriter writer(out);
  std::string firsterror;
  const trecordwork work = [&change](const tjobrecord& record,
                                     const tsettings& settings) {
    return changeone(record, settings, change);
  };
  const trecordsink sink = [&](const trecordoutput& output) {
    for (const std::string& notice : output.notices) {
      session().messages().warn(notice);
    }
    if (!output.error.empty()) {
      if (firsterror.empty()) {
        firsterror = output.error;
      }
      session().messages().warn(output.error + "; left out");
      return true;
    }
    writer.write(
        std::span(reinterpret_cast<const std::uint8_t*>(output.text.data()),
                  output.text.size()));
    ++changed.written;
    return true;
  };
  changed.error = runrecordjobs(in, jobs, session().settings, work, sink);
  if (changed.error.empty() && changed.written == 0) {
    changed.error =
        firsterror.empty() ? "the file holds no structure" : firsterror;
  } else if (changed.error.empty()) {
    changed.error = writer.commit();
  }
  if (!changed.error.empty()) {
    changed.written = 0;
  }
  return changed;
}

tclioutcome changerecordsfor(
    const tclioptions& options, const std::string& in, const std::string& out,
    int jobs, const trecordchange& change,
    const std::function<void(tjsonobject& json)>& addjson,
    const std::function<std::string(int records)>& said) {
  const tchangedrecords changed = changerecords(in, out, jobs, change);
  if (!changed.error.empty()) {
    return failure(changed.error);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("input", in);
    json.addtext("output", out);
    addjson(json);
    json.addinteger("records", changed.written);
    return {0, json.text() + "\n", ""};
  }
  return {0, said(changed.written), ""};
}

tclioutcome listrecords(const std::string& path, int jobs, bool json,
                        const trecordentry& entry) {
  const trecordwork work = [&entry](const tjobrecord& record,
                                    const tsettings& settings) {
    trecordoutput output;
    std::string error;
    output.text = entry(record, settings, error);
    if (!error.empty()) {
      output.error = error;
      output.text.clear();
    }
    return output;
  };
  std::string text;
  std::string firsterror;
  int listed = 0;
  const trecordsink sink = [&](const trecordoutput& output) {
    if (!output.error.empty()) {
      if (firsterror.empty()) {
        firsterror = output.error;
      }
      session().messages().warn(output.error + "; left out");
      return true;
    }
    text += (json && listed > 0 ? "," : "") + output.text;
    ++listed;
    return true;
  };
  if (std::string problem =
          runrecordjobs(path, jobs, session().settings, work, sink);
      !problem.empty()) {
    return failure(std::string(filereaderror) + ": \"" + path +
                   "\": " + problem);
  }
  if (listed == 0) {
    return failure(firsterror.empty() ? "\"" + path + "\" holds no structure"
                                      : firsterror);
  }
  return {0, json ? "[" + text + "]\n" : text, ""};
}

std::string takejobs(std::vector<std::string>& arguments, int& jobs) {
  jobs = 1;
  auto found = std::find(arguments.begin(), arguments.end(), "--jobs");
  if (found == arguments.end()) {
    return "";
  }
  if (found + 1 == arguments.end()) {
    return "--jobs needs a value";
  }
  const std::optional<int> count = jobcount(*(found + 1));
  if (!count) {
    return "--jobs needs a whole number from 0 to 256, not \"" + *(found + 1) +
           "\"";
  }
  jobs = *count;
  arguments.erase(found, found + 2);
  return "";
}

}  // namespace molvane
