// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_jobs.h"

#include "cli/cli_commands.h"
#include "cli_files.h"
#include "document/drawing.h"
#include "io/cml_format.h"
#include "io/mdl_format.h"
#include "io/smiles_format.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace molvane {
namespace {

constexpr const char* smiles[] = {
    "CCO",           "CC(=O)C",     "Cc1ccccc1", "OC1CCCCC1", "C/C=C/Cl",
    "N[C@@H](C)C=O", "FC(F)F",      "c1ccncc1",  "CC(C)(C)O", "C#CC",
    "OC(=O)CC",      "CN(C)C",      "C1CC1",     "ClC(Cl)Cl", "COC",
    "CC=O",          "c1ccc(O)cc1", "CS(=O)C",   "C=CC=C",    "NC(=O)N"};

/// Twenty records, the eighth of which is damaged when broken is set.
std::string sdtext(bool broken) {
  std::string text;
  for (std::size_t i = 0; i < std::size(smiles); ++i) {
    treadresult read = readsmilesline(1, smiles[i]);
    EXPECT_NE(read.drawing, nullptr) << smiles[i];
    const std::vector<std::uint8_t> record = writesdfile(*read.drawing);
    text += broken && i == 7 ? std::string("bad\n\n\n  x\n$$$$\n")
                             : std::string(record.begin(), record.end());
  }
  return text;
}

/// The same twenty molecules as SMILES lines, or as one CML document.
std::string linestext() {
  std::string text;
  for (const char* line : smiles) {
    text += std::string(line) + "\n";
  }
  return text;
}

std::string cmltext() {
  std::string text = "<cml>\n";
  for (const char* line : smiles) {
    treadresult read = readsmilesline(1, line);
    EXPECT_NE(read.drawing, nullptr) << line;
    const std::vector<std::uint8_t> bytes = writecml(*read.drawing);
    const std::string whole(bytes.begin(), bytes.end());
    const std::size_t begin = whole.find("<molecule");
    const std::size_t end = whole.find("</molecule>");
    text += whole.substr(begin, end + 11 - begin) + "\n";
  }
  return text + "</cml>\n";
}

std::string contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

using RecordJobs = tclifiles;

/// A command run over a many-record file: what it prints, followed by the
/// file it writes when it writes one.
struct tjobcase {
  std::vector<std::string> command;
  bool writes = false;
  bool json = false;
};

TEST_F(RecordJobs, EveryCommandGivesTheSameOnAnyNumberOfThreads) {
  const std::string sd = write("twenty.sdf", sdtext(false));
  const std::string lines = write("twenty.smi", linestext());
  const std::string cml = write("twenty.cml", cmltext());
  const std::vector<std::pair<tjobcase, std::vector<std::string>>> cases = {
      {{{"nmr", "--nucleus", "13C"}}, {sd, lines, cml}},
      {{{"nmr", "--nucleus", "13C"}, false, true}, {sd}},
      {{{"embed", "--conformers", "2", "--seed", "3"}, true}, {sd, lines, cml}},
      {{{"optimize", "--method", "normal"}, true}, {sd}},
      {{{"hydrogens", "--3d"}, true}, {sd}},
      {{{"convert"}, true}, {sd}},
      {{{"smiles"}}, {sd, lines}},
      {{{"smiles"}, false, true}, {sd}},
      {{{"energy"}}, {sd}},
      {{{"energy"}, false, true}, {sd}}};
  for (const auto& [job, inputs] : cases) {
    for (const std::string& in : inputs) {
      SCOPED_TRACE(job.command[0] + (job.json ? " --json " : " ") + in);
      std::string first;
      for (const char* jobs : {"1", "2", "0"}) {
        std::vector<std::string> arguments = job.command;
        const std::string out = (folder.path() / "out.sdf").string();
        arguments.insert(arguments.begin() + 1, in);
        if (job.writes) {
          arguments.insert(arguments.begin() + 2, out);
        }
        arguments.insert(arguments.end(), {"--jobs", jobs});
        const tclioutcome outcome = runclicommand({{}, job.json}, arguments);
        ASSERT_EQ(outcome.error, "");
        const std::string all =
            outcome.output + (job.writes ? contents(out) : std::string());
        if (first.empty()) {
          first = all;
          if (job.writes) {
            EXPECT_EQ(std::count(all.begin(), all.end(), '$'), 80)
                << "every record, each ended by $$$$";
          }
        } else {
          EXPECT_EQ(all, first) << "--jobs " << jobs;
        }
      }
    }
  }
  // The records' formulas are the same whichever file holds them.
  std::string summary;
  for (const std::string& in : {sd, lines, cml}) {
    const tclioutcome info =
        runclicommand({{}, true}, {"info", in, "--jobs", "2"});
    ASSERT_EQ(info.error, "") << in;
    const std::size_t list = info.output.find("\"records\"");
    ASSERT_NE(list, std::string::npos) << in;
    const std::string records =
        info.output.substr(list, info.output.find(']', list) - list);
    if (summary.empty()) {
      summary = records;
      EXPECT_NE(summary.find("C2H6O"), std::string::npos) << summary;
    }
    EXPECT_EQ(records, summary) << in;
  }
}

TEST_F(RecordJobs, SmilesAndEnergyPrintEveryRecordInFileOrder) {
  // Named SD records; each line must be the record's own, the first what a
  // file of that one record gives.
  std::string named;
  std::string first;
  for (std::size_t i = 0; i < std::size(smiles); ++i) {
    treadresult read = readsmilesline(1, smiles[i]);
    ASSERT_NE(read.drawing, nullptr);
    read.drawing->settitle("mol " + std::to_string(i + 1));
    const std::vector<std::uint8_t> record = writesdfile(*read.drawing);
    named.append(record.begin(), record.end());
    if (i == 0) {
      first = write("first.sdf", std::string(record.begin(), record.end()));
    }
  }
  const std::string sd = write("named.sdf", named);
  const tclioutcome alone = runclicommand({}, {"smiles", first});
  const tclioutcome energyalone = runclicommand({}, {"energy", first});
  const tclioutcome listed = runclicommand({}, {"smiles", sd, "--jobs", "2"});
  const tclioutcome energies = runclicommand({}, {"energy", sd, "--jobs", "2"});
  ASSERT_EQ(alone.error + energyalone.error + listed.error + energies.error,
            "");
  std::istringstream table(listed.output);
  std::istringstream energytable(energies.output);
  std::string line;
  std::string energyline;
  for (std::size_t i = 0; i < std::size(smiles); ++i) {
    ASSERT_TRUE(std::getline(table, line));
    ASSERT_TRUE(std::getline(energytable, energyline));
    const std::string name = " mol " + std::to_string(i + 1);
    ASSERT_GT(line.size(), name.size());
    EXPECT_EQ(line.substr(line.size() - name.size()), name);
    EXPECT_EQ(energyline.rfind(std::to_string(i + 1) + " ", 0), 0U);
    EXPECT_EQ(energyline.substr(energyline.size() - name.size()), name);
    if (i == 0) {
      EXPECT_EQ(line.substr(0, line.size() - name.size()) + "\n", alone.output);
      // "Energy 1.2345 kcal/mol" alone, "1 1.2345 mol 1" in the list.
      const std::string kcal =
          energyline.substr(2, energyline.find(' ', 2) - 2);
      EXPECT_EQ(energyalone.output.rfind("Energy " + kcal + " kcal/mol\n", 0),
                0U)
          << energyalone.output;
    }
  }
  EXPECT_FALSE(std::getline(table, line));
  const tclioutcome json =
      runclicommand({{}, true}, {"energy", sd, "--jobs", "2"});
  EXPECT_NE(json.output.find("\"record\": 20, \"name\": \"mol 20\", "
                             "\"energykcal\""),
            std::string::npos)
      << json.output;
  // A SMILES file: each line as that line alone gives it.
  const tclioutcome again = runclicommand(
      {}, {"smiles", write("twenty.smi", linestext()), "--jobs", "2"});
  std::string each;
  for (const char* one : smiles) {
    each += runclicommand({}, {"smiles", write("one.smi", one)}).output;
  }
  EXPECT_EQ(again.output, each);
}

TEST_F(RecordJobs, DamagedRecordsAreNamed) {
  const std::string sd = write("broken.sdf", sdtext(true));
  const std::string out = (folder.path() / "out.sdf").string();
  for (const char* jobs : {"1", "2"}) {
    testing::trecordingmessages messages;
    session().setmessages(&messages);
    const tclioutcome copied =
        runclicommand({}, {"hydrogens", "--2d", sd, out, "--jobs", jobs});
    session().setmessages(nullptr);
    EXPECT_EQ(copied.error, "");
    ASSERT_EQ(messages.warnings.size(), 1U);
    EXPECT_EQ(messages.warnings[0].rfind("record 8, ", 0), 0U)
        << messages.warnings[0];
    const std::string written = contents(out);
    EXPECT_EQ(std::count(written.begin(), written.end(), '$'), 76);

    const tclioutcome predicted =
        runclicommand({}, {"nmr", sd, "--nucleus", "1H", "--jobs", jobs});
    EXPECT_EQ(predicted.status, 1);
    EXPECT_EQ(predicted.error.rfind("File Read Error: record 8, ", 0), 0U)
        << predicted.error;

    // Printing commands leave the record out and say so.
    session().setmessages(&messages);
    messages.warnings.clear();
    const tclioutcome listed =
        runclicommand({}, {"smiles", sd, "--jobs", jobs});
    session().setmessages(nullptr);
    EXPECT_EQ(listed.error, "");
    EXPECT_EQ(std::count(listed.output.begin(), listed.output.end(), '\n'), 19);
    ASSERT_EQ(messages.warnings.size(), 1U);
    EXPECT_EQ(messages.warnings[0].rfind("record 8, ", 0), 0U)
        << messages.warnings[0];
  }
  const tclioutcome refused =
      runclicommand({}, {"nmr", sd, "--nucleus", "1H", "--jobs", "-1"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.error.find("--jobs"), std::string::npos);
}

TEST_F(RecordJobs, OutputKeepsFileOrderAndStopsEarly) {
  const std::string sd = write("twenty.sdf", sdtext(false));
  // Early records take longest, so later ones finish first.
  const trecordwork work = [](const tjobrecord& record, const tsettings&) {
    std::this_thread::sleep_for(
        std::chrono::milliseconds(2 * (20 - record.number)));
    return trecordoutput{std::to_string(record.number), "", {}};
  };
  std::vector<std::string> seen;
  EXPECT_EQ(runrecordjobs(sd, 4, session().settings, work,
                          [&seen](const trecordoutput& output) {
                            seen.push_back(output.text);
                            return seen.size() < 5;
                          }),
            "");
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_NE(runrecordjobs(folder.path() / "missing.sdf", 2, session().settings,
                          work, [](const trecordoutput&) { return true; }),
            "");
}

}  // namespace
}  // namespace molvane
