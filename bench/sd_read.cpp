// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Times reading SD files of 1 000 and 10 000 records made by repeating the
// benchmark molecules, with this program's reader and, where installed,
// with RDKit's ForwardSDMolSupplier and with Open Babel. Every measurement
// runs in a child process of its own; its peak memory is the child's
// maximum resident set.
//
//   sd_read_bench                 the table
//   sd_read_bench --read FILE     (child) reads every record of FILE
//   sd_read_bench --write N FILE  writes the file of N records, for profiling
#include "io/sd_stream.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace molvane {
namespace {

namespace fs = std::filesystem;

/// The records of every SD file and molfile of the benchmark molecules,
/// each ending with its "$$$$" line.
std::vector<std::string> benchmarkrecords(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".sdf" || extension == ".mol") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<std::string> records;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string record;
    std::string line;
    while (std::getline(text, line)) {
      record += line + "\n";
      if (line.rfind("$$$$", 0) == 0) {
        records.push_back(record);
        record.clear();
      }
    }
    if (record.find("M  END") != std::string::npos) {
      records.push_back(record + "$$$$\n");
    }
  }
  return records;
}

void writerepeated(const fs::path& path,
                   const std::vector<std::string>& records, int count) {
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < count; ++i) {
    out << records[static_cast<std::size_t>(i) % records.size()];
  }
}

/// Processor seconds this process has used; the machine may be shared,
/// so wall time would measure the neighbours too.
double processorseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         1e-6 * static_cast<double>(usage.ru_utime.tv_usec +
                                    usage.ru_stime.tv_usec);
}

/// Reads every record; prints the count and the processor seconds the
/// reading took.
int readchild(const char* path) {
  const double start = processorseconds();
  tsdstream stream(path);
  int records = 0;
  int unreadable = 0;
  while (std::optional<treadresult> record = stream.next()) {
    ++records;
    unreadable += record->drawing == nullptr ? 1 : 0;
  }
  const double took = processorseconds() - start;
  if (!stream.error().empty() || unreadable > 0) {
    std::fprintf(stderr, "%s (%d unreadable)\n", stream.error().c_str(),
                 unreadable);
    return 1;
  }
  std::printf("%d %.6f\n", records, took);
  return 0;
}

struct tmeasure {
  bool ran = false;
  int records = 0;
  /// Processor seconds of the reading alone when the child reports them,
  /// else of the whole process.
  double seconds = 0.0;
  long peakkilobytes = 0;
};

/// Runs argv in a child, reads its "records seconds" line (when it prints
/// one) and its peak memory.
tmeasure runchild(const std::vector<std::string>& argv) {
  int pipefds[2];
  if (::pipe(pipefds) != 0) {
    return {};
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipefds[1], STDOUT_FILENO);
    const int quiet = ::open("/dev/null", O_WRONLY);
    ::dup2(quiet, STDERR_FILENO);
    ::close(pipefds[0]);
    ::close(pipefds[1]);
    std::vector<char*> args;
    for (const std::string& arg : argv) {
      args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  ::close(pipefds[1]);
  std::string output;
  char chunk[256];
  ssize_t got = 0;
  while ((got = ::read(pipefds[0], chunk, sizeof chunk)) > 0) {
    output.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(pipefds[0]);
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  tmeasure measure;
  if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return measure;
  }
  measure.ran = true;
  measure.seconds =
      static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
      1e-6 *
          static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
  measure.peakkilobytes = usage.ru_maxrss;
  std::istringstream(output) >> measure.records >> measure.seconds;
  return measure;
}

constexpr const char* rdkitscript =
    "import sys, time\n"
    "from rdkit import Chem, RDLogger\n"
    "RDLogger.DisableLog('rdApp.*')\n"
    "start = time.process_time()\n"
    "n = sum(1 for m in Chem.ForwardSDMolSupplier(open(sys.argv[1], 'rb')))\n"
    "print(n, time.process_time() - start)\n";

bool hasrdkit() {
  return runchild({"/usr/bin/python3", "-c", "import rdkit"}).ran;
}

bool hasobabel() { return runchild({"obabel", "-V"}).ran; }

void printrow(const char* reader, int records, const tmeasure& measure,
              const char* note) {
  if (!measure.ran) {
    std::printf("%-22s %8d   %12s %12s  %s\n", reader, records, "failed", "-",
                note);
    return;
  }
  std::printf("%-22s %8d   %12.0f %9.1f MB  %s\n", reader, records,
              records / std::max(measure.seconds, 1e-9),
              static_cast<double>(measure.peakkilobytes) / 1024.0, note);
}

fs::path moleculefolder() { return fs::path(MOLVANE_BENCH_DATA) / "molecules"; }

int writefile(int count, const char* path) {
  const std::vector<std::string> records = benchmarkrecords(moleculefolder());
  if (records.empty() || count < 1) {
    return 1;
  }
  writerepeated(path, records, count);
  return 0;
}

int runall(const char* self) {
  const fs::path molecules = moleculefolder();
  if (!fs::is_directory(molecules)) {
    std::printf("no benchmark molecules at %s\n", molecules.string().c_str());
    return 0;
  }
  const std::vector<std::string> records = benchmarkrecords(molecules);
  if (records.empty()) {
    std::printf("no records in %s\n", molecules.string().c_str());
    return 0;
  }
  const fs::path folder = fs::temp_directory_path() /
                          ("sd_read_bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const bool rdkit = hasrdkit();
  const bool obabel = hasobabel();
  std::printf("%zu benchmark records, repeated\n\n", records.size());
  std::printf("%-22s %8s   %12s %12s\n", "reader", "records", "records/s",
              "peak memory");
  for (int count : {1000, 10000}) {
    const fs::path file = folder / ("bench" + std::to_string(count) + ".sdf");
    writerepeated(file, records, count);
    printrow("this program", count, runchild({self, "--read", file.string()}),
             "");
    if (rdkit) {
      printrow("RDKit", count,
               runchild({"/usr/bin/python3", "-c", rdkitscript, file.string()}),
               "ForwardSDMolSupplier; memory includes Python");
    }
    if (obabel) {
      tmeasure measure = runchild({"obabel", "-isdf", file.string(), "-onul"});
      measure.records = count;
      printrow("Open Babel", count, measure, "obabel -onul, whole process");
    }
    std::printf("%-22s %8s   %.1f MB file\n", "", "",
                static_cast<double>(fs::file_size(file)) / 1048576.0);
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}

}  // namespace
}  // namespace molvane

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--read") {
    return molvane::readchild(argv[2]);
  }
  if (argc == 4 && std::string(argv[1]) == "--write") {
    return molvane::writefile(std::atoi(argv[2]), argv[3]);
  }
  return molvane::runall("/proc/self/exe");
}
