// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Fits the learned shift tables (fluorine types and increments, sp3 C-H
// proton increments) to the training spectra and writes them as the C++
// source the program compiles in.
//
//   nmr_tables OUT.cpp [DIR]
//
// DIR holds train.sdf and f19_train.sdf (default: the shared data folder of
// the build); the program's copy is src/nmr/learned_tables_data.cpp.
#include "nmr/database_builder.h"
#include "nmr/learned_tables.h"
#include "nmr/training_set.h"
#include "support/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace molvane {
namespace {

/// The tables of nucleus fitted to every molecule of file; nullptr (with a
/// message) when it cannot be read.
std::shared_ptr<const tlearnedtables> fitfile(const std::filesystem::path& file,
                                              int nucleus) {
  std::vector<ttrainingmolecule> molecules;
  int skipped = 0;
  std::string problem = readtrainingfile(file, nucleus, molecules, skipped);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    return nullptr;
  }
  std::vector<const ttrainingmolecule*> all;
  for (const ttrainingmolecule& molecule : molecules) {
    all.push_back(&molecule);
  }
  return fitlearnedtables(all, nucleus);
}

int run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: nmr_tables OUT.cpp [DIR]\n");
    return 1;
  }
  std::filesystem::path folder =
      argc > 2 ? std::filesystem::path(argv[2])
               : std::filesystem::path(MOLVANE_BENCH_DATA) / "nmr";
  std::shared_ptr<const tlearnedtables> protons =
      fitfile(folder / "train.sdf", 1);
  std::shared_ptr<const tlearnedtables> fluorines =
      fitfile(folder / "f19_train.sdf", 9);
  if (protons == nullptr || fluorines == nullptr) {
    return 1;
  }
  tlearnedtables tables = *fluorines;
  tables.proton = protons->proton;
  std::string source = tablesource(tables);
  std::string problem = writefileatomically(
      argv[1],
      {reinterpret_cast<const std::uint8_t*>(source.data()), source.size()});
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 1;
  }
  std::printf("%zu fluorine types, %zu fluorine and %zu proton increments\n",
              tables.fluorine.entries().size(),
              tables.fluorineincrements.increments().size(),
              tables.proton.increments().size());
  return 0;
}

}  // namespace
}  // namespace molvane

int main(int argc, char** argv) { return molvane::run(argc, argv); }
