// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/nmr_command.h"

#include "cli/document_input.h"
#include "cli/json_writer.h"
#include "cli/record_batch.h"
#include "cli/record_jobs.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "io/sd_stream.h"
#include "nmr/database_files.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "support/atomic_file.h"
#include "support/number_text.h"

#include <filesystem>
#include <utility>

namespace molvane {

namespace {

constexpr std::size_t maxinputbytes = std::size_t{512} * 1024 * 1024;

/// The database named by --db, read as it is and never written.
std::shared_ptr<IPeakdb> readdatabase(const std::string& path, int nucleus,
                                      std::string& problem) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) {
    problem = "no database file " + path;
    return nullptr;
  }
  // The reader's own message becomes the command's one line.
  class tkeeperror final : public tmessages {
   public:
    void inform(const std::string&) override {}
    void warn(const std::string&) override {}
    void error(const std::string& text) override { last = text; }
    bool confirm(const std::string&) override { return false; }
    std::string last;
  } kept;
  auto db = std::make_shared<tpeakdb>(nucleus);
  db->setreporting(kept, session().relayedprogress());
  bool read = db->loadfrom(path);
  db->setreporting(session().relayedmessages(), session().relayedprogress());
  if (!read) {
    problem = kept.last.empty() ? "the database " + path + " could not be read"
                                : kept.last;
    return nullptr;
  }
  return db;
}

std::string shifttext(const tatomshift& shift, int nucleus) {
  if (shift.level == 0 || shift.shift <= -999.0) {
    return "";
  }
  return formatfixed(shift.shift, nucleus == 1 ? 2 : 1);
}

std::string jsonrecord(const std::vector<tatomshift>& shifts, int nucleus) {
  std::string text = "{\"atoms\":[";
  for (std::size_t i = 0; i < shifts.size(); ++i) {
    std::string value = shifttext(shifts[i], nucleus);
    text += (i == 0 ? "" : ",");
    text += "{\"index\":" + std::to_string(shifts[i].atomindex) +
            ",\"shift\":" + (value.empty() ? "null" : value) +
            ",\"level\":" + std::to_string(shifts[i].level) + "}";
  }
  return text + "]}";
}

std::string plainrecord(const std::vector<tatomshift>& shifts, int nucleus) {
  std::string text;
  for (const tatomshift& shift : shifts) {
    std::string value = shifttext(shift, nucleus);
    text += std::to_string(shift.atomindex) + " " +
            (value.empty() ? "---" : value) + " " +
            std::to_string(shift.level) + "\n";
  }
  return text;
}

/// The drawings of every record of path; a file of one record (or a
/// document) is opened as the current drawing.
std::string readrecords(const std::string& path,
                        std::vector<std::unique_ptr<tdrawing>>& drawings) {
  const tformatrow* row = formatofpath(path);
  if (row != nullptr && row->format != tfileformat::native) {
    std::vector<std::uint8_t> bytes;
    std::string problem = readwholefile(path, bytes, maxinputbytes);
    if (!problem.empty()) {
      return "File Read Error: " + problem;
    }
    std::vector<treadresult> records =
        readexchangerecords(bytes, row->format, session().settings);
    if (records.size() > 1) {
      for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].drawing == nullptr) {
          return "File Read Error: record " + std::to_string(i + 1) + ": " +
                 records[i].error;
        }
        drawings.push_back(std::move(records[i].drawing));
      }
      return "";
    }
  }
  std::string problem = openinput(path);
  if (!problem.empty()) {
    return problem;
  }
  drawings.push_back(session().drawing()->clonedrawing());
  return "";
}

/// The shifts of one record as the output shows them.
std::string recordtext(const std::vector<tatomshift>& shifts, int nucleus,
                       int number, bool json) {
  if (json) {
    return (number == 1 ? "" : ",") + jsonrecord(shifts, nucleus);
  }
  return "record " + std::to_string(number) + "\n" +
         plainrecord(shifts, nucleus);
}

/// Every record of an SD file, read one at a time and predicted on jobs
/// worker threads; they share the database, which prediction only reads.
tclioutcome predictrecords(const tclioptions& options, const std::string& file,
                           const std::shared_ptr<IPeakdb>& db, int jobs) {
  const int nucleus = db->nucleus();
  const bool json = options.json;
  const trecordwork work = [&db, nucleus, json](const tjobrecord& record,
                                                const tsettings& settings) {
    trecordoutput output;
    treadresult read = readjobrecord(record, settings);
    if (read.drawing == nullptr) {
      output.error = "File Read Error: " + read.error;
      return output;
    }
    output.text = recordtext(predictshifts(*read.drawing, db), nucleus,
                             record.number, json);
    return output;
  };
  std::string output;
  std::string error;
  const trecordsink sink = [&output, &error](const trecordoutput& record) {
    error = record.error;
    output += record.text;
    return error.empty();
  };
  if (std::string problem =
          runrecordjobs(file, jobs, session().settings, work, sink);
      !problem.empty()) {
    return failure("File Read Error: " + problem);
  }
  if (!error.empty()) {
    return failure(error);
  }
  return {0, json ? "[" + output + "]\n" : output, ""};
}

}  // namespace

std::shared_ptr<IPeakdb> nmrdatabase(const tclioptions& options,
                                     const std::string& dbfile, int nucleus,
                                     std::string& problem) {
  std::shared_ptr<IPeakdb> db;
  if (!dbfile.empty()) {
    db = readdatabase(dbfile, nucleus, problem);
  } else if (!options.datadir.empty()) {
    db = opendatabase(options.datadir, nucleus, session().relayedmessages(),
                      session().relayedprogress());
  } else {
    // The databases that come with the program, read as they are; a
    // nucleus without one predicts from an empty database.
    std::filesystem::path shipped =
        shippeddatabasefolder() / databasefilename(nucleus);
    std::error_code ignored;
    db = std::filesystem::exists(shipped, ignored)
             ? readdatabase(shipped.string(), nucleus, problem)
             : std::make_shared<tpeakdb>(nucleus);
  }
  return db;
}

tclioutcome nmrcommand(const tclioptions& options,
                       const std::vector<std::string>& command) {
  const std::string usage =
      "usage: nmr FILE --nucleus 1H|13C|15N|19F|31P [--db FILE] [--jobs N]";
  std::vector<std::string> arguments = command;
  int jobs = 1;
  if (std::string problem = takejobs(arguments, jobs); !problem.empty()) {
    return failure(problem);
  }
  std::string file;
  std::string dbfile;
  int nucleus = 0;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--nucleus" && i + 1 < arguments.size()) {
      nucleus = nucleusfromname(arguments[++i]);
      if (nucleus == 0) {
        return failure("unknown nucleus \"" + arguments[i] +
                       "\": use 1H, 13C, 15N, 19F or 31P");
      }
    } else if (arguments[i] == "--db" && i + 1 < arguments.size()) {
      dbfile = arguments[++i];
    } else if (file.empty() && arguments[i].rfind("--", 0) != 0) {
      file = arguments[i];
    } else {
      return failure(usage);
    }
  }
  if (file.empty() || nucleus == 0) {
    return failure(usage);
  }
  std::string problem;
  std::shared_ptr<IPeakdb> db = nmrdatabase(options, dbfile, nucleus, problem);
  if (db == nullptr) {
    return failure(problem);
  }
  if (holdsseveralrecords(file)) {
    return predictrecords(options, file, db, jobs);
  }
  std::vector<std::unique_ptr<tdrawing>> drawings;
  problem = readrecords(file, drawings);
  if (!problem.empty()) {
    return failure(problem);
  }
  std::string output;
  for (std::size_t i = 0; i < drawings.size(); ++i) {
    std::vector<tatomshift> shifts = predictshifts(*drawings[i], db);
    if (options.json) {
      output += (i == 0 ? "" : ",") + jsonrecord(shifts, nucleus);
    } else {
      if (drawings.size() > 1) {
        output += "record " + std::to_string(i + 1) + "\n";
      }
      output += plainrecord(shifts, nucleus);
    }
  }
  if (options.json) {
    output = drawings.size() > 1 ? "[" + output + "]\n" : output + "\n";
  }
  return {0, output, ""};
}

}  // namespace molvane
