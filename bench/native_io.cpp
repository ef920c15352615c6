// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Times writing and reading native documents of 1 000, 10 000 and 100 000
// atoms and reports the peak memory of each step. Every step runs in a
// fresh child process, so that one size's peak does not hide the next's.
//
//   native_io_bench                      all sizes, one line each
//   native_io_bench --write N FILE       (child) builds and writes
//   native_io_bench --read FILE          (child) reads
#include "document/drawing.h"
#include "io/native_format.h"
#include "support/atomic_file.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

constexpr int repeats = 3;
constexpr int rowlength = 100;
constexpr double pitch = 30.0;
/// One ring closure every this many atoms of the chain.
constexpr int closureevery = 30;

long peakkilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

/// The fastest of a few runs, in milliseconds.
double fastest(const std::function<void()>& step) {
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    step();
    const std::chrono::duration<double, std::milli> took =
        std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

/// A long zigzag chain of carbons with a ring closure now and then, held
/// by one structure as a real molecule would be.
void buildchain(tdrawing& drawing, int atoms) {
  drawing.atoms.reserve(atoms);
  for (int i = 0; i < atoms; ++i) {
    const int row = i / rowlength;
    const int column =
        row % 2 == 0 ? i % rowlength : rowlength - 1 - i % rowlength;
    drawing.addatom(std::make_unique<tatm>(6, 0, pitch * column,
                                           pitch * row + (i % 2) * 8.0));
  }
  const auto link = [&drawing](int a, int b) {
    drawing.addbond(std::make_unique<tbond>(drawing.atoms.items(a), 0,
                                            tbondstyle::normal, 2,
                                            drawing.atoms.items(b)));
  };
  for (int i = 1; i < atoms; ++i) {
    link(i - 1, i);
  }
  for (int i = 0; i + 5 < atoms; i += closureevery) {
    link(i, i + 5);
  }
  auto molecule = std::make_unique<tStructure>();
  for (tatm* atom : drawing.atoms) {
    molecule->atoms.add(atom);
  }
  for (tbond* bond : drawing.bonds) {
    molecule->bonds.add(bond);
  }
  drawing.mergestructure(std::move(molecule));
}

int writechild(int atoms, const std::filesystem::path& path) {
  tdrawing drawing;
  buildchain(drawing, atoms);
  std::vector<std::uint8_t> bytes;
  const double milliseconds = fastest([&] { bytes = writenative(drawing); });
  const std::string error = writefileatomically(path, bytes);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::printf("%d %zu %.2f %ld\n", drawing.bonds.count(), bytes.size(),
              milliseconds, peakkilobytes());
  return 0;
}

int readchild(const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  const std::string error = readwholefile(path, bytes, std::size_t{1} << 30U);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  int atoms = 0;
  const double milliseconds = fastest([&] {
    treadresult result = readnative(bytes);
    atoms = result.drawing != nullptr ? result.drawing->atoms.count() : -1;
  });
  std::printf("%d %.2f %ld\n", atoms, milliseconds, peakkilobytes());
  return 0;
}

/// Runs this program with arguments and returns the line it printed.
std::string runchild(const std::string& arguments) {
  const std::string command =
      std::filesystem::read_symlink("/proc/self/exe").string() + " " +
      arguments;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return "";
  }
  std::string line(256, '\0');
  if (std::fgets(line.data(), static_cast<int>(line.size()), pipe) == nullptr) {
    line.clear();
  }
  pclose(pipe);
  return line;
}

int runall() {
  std::printf("%8s %8s %9s %10s %10s %12s %12s %12s\n", "atoms", "bonds",
              "file MB", "write ms", "read ms", "read us/atom", "peak write MB",
              "peak read MB");
  for (const int atoms : {1000, 10000, 100000}) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("molvane-bench-" + std::to_string(atoms) + ".mlv");
    int bonds = 0;
    std::size_t size = 0;
    double writems = 0.0;
    long writepeak = 0;
    const std::string written =
        runchild("--write " + std::to_string(atoms) + " " + path.string());
    if (std::sscanf(written.c_str(), "%d %zu %lf %ld", &bonds, &size, &writems,
                    &writepeak) != 4) {
      std::fprintf(stderr, "writing %d atoms failed\n", atoms);
      return 1;
    }
    int read = 0;
    double readms = 0.0;
    long readpeak = 0;
    const std::string loaded = runchild("--read " + path.string());
    std::filesystem::remove(path);
    if (std::sscanf(loaded.c_str(), "%d %lf %ld", &read, &readms, &readpeak) !=
            3 ||
        read != atoms) {
      std::fprintf(stderr, "reading %d atoms failed\n", atoms);
      return 1;
    }
    std::printf("%8d %8d %9.1f %10.1f %10.1f %12.2f %12.1f %12.1f\n", atoms,
                bonds, size / 1e6, writems, readms, 1000.0 * readms / atoms,
                writepeak / 1024.0, readpeak / 1024.0);
  }
  return 0;
}

}  // namespace
}  // namespace molvane

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 3 && arguments[0] == "--write") {
    return molvane::writechild(std::atoi(arguments[1].c_str()), arguments[2]);
  }
  if (arguments.size() == 2 && arguments[0] == "--read") {
    return molvane::readchild(arguments[1]);
  }
  return molvane::runall();
}
