// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/inchi_records.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "cli/record_files.h"
#include "commands/file_commands.h"
#include "document/session.h"
#include "io/document_files.h"
#include "io/inchi_format.h"
#include "io/mdl_format.h"
#include "support/atomic_file.h"

namespace molvane {

namespace {

tclioutcome written(const tclioptions& options, const std::string& in,
                    const std::string& out, int records) {
  if (options.json) {
    tjsonobject json;
    json.addtext("input", in);
    json.addtext("output", out);
    json.addinteger("records", records);
    return {0, json.text() + "\n", ""};
  }
  return {0, "Wrote " + out + "\n", ""};
}

tclioutcome writeinchis(const tclioptions& options, const std::string& in,
                        const std::string& out) {
  std::string text;
  int records = 0;
  int visited = 0;
  std::string lastproblem;
  visitrecords(in, /*laidout=*/true, [&](const treadresult& record) {
    ++visited;
    std::string problem = record.error;
    if (record.drawing != nullptr) {
      std::string line = inchiline(*record.drawing, problem);
      if (!line.empty()) {
        text += line + "\n";
        ++records;
        return;
      }
    }
    // An empty line keeps every later InChI on the line of its record.
    text += "\n";
    lastproblem = "record " + std::to_string(visited) + ": " + problem;
    session().messages().warn(lastproblem);
  });
  if (visited == 0) {
    // One drawing: a molfile, an XYZ table, a native document.
    std::string problem = openinput(in);
    if (!problem.empty()) {
      return failure(problem);
    }
    std::string line = inchiline(*session().drawing(), problem);
    if (line.empty()) {
      return failure("\"" + in + "\": " + problem);
    }
    text = line + "\n";
    records = 1;
  } else if (records == 0) {
    return failure("\"" + in + "\": no record has an InChI (" + lastproblem +
                   ")");
  }
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  std::string error = writefileatomically(out, bytes);
  if (!error.empty()) {
    return failure(error);
  }
  return written(options, in, out, records);
}

tclioutcome writesdrecords(const tclioptions& options, const std::string& in,
                           const std::string& out) {
  std::vector<std::uint8_t> text;
  int records = 0;
  std::string problem;
  visitrecords(in, /*laidout=*/true, [&](const treadresult& record) {
    if (!problem.empty()) {
      return;
    }
    if (record.drawing == nullptr) {
      problem = record.error;
      return;
    }
    std::vector<std::uint8_t> one = writesdfile(*record.drawing);
    text.insert(text.end(), one.begin(), one.end());
    ++records;
  });
  if (problem.empty() && records == 0) {
    problem = "the file holds no InChI";
  }
  if (!problem.empty()) {
    return failure(std::string(filereaderror) + ": \"" + in + "\": " + problem);
  }
  std::string error = writefileatomically(out, text);
  if (!error.empty()) {
    return failure(error);
  }
  return written(options, in, out, records);
}

}  // namespace

std::optional<tclioutcome> convertinchirecords(const tclioptions& options,
                                               const std::string& in,
                                               const std::string& out) {
  const tformatrow* from = formatofpath(in);
  const tformatrow* to = formatofpath(out);
  if (from == nullptr || to == nullptr) {
    return std::nullopt;
  }
  if (to->format == tfileformat::inchi) {
    return writeinchis(options, in, out);
  }
  if (from->format == tfileformat::inchi && to->write == writesdfile) {
    return writesdrecords(options, in, out);
  }
  return std::nullopt;
}

}  // namespace molvane
