// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/database_files.h"

#include "nmr/peak_database.h"
#include "support/atomic_file.h"
#include "support/shipped_data.h"

#include <system_error>

namespace molvane {

namespace {

struct tnucleusrow {
  int nucleus;
  const char* file;
  const char* label;
  const char* name;
};

constexpr tnucleusrow nuclei[] = {
    {1, "nmr01.pks", "H-1", "1H"},    {6, "nmr13.pks", "C-13", "13C"},
    {7, "nmr15.pks", "N-15", "15N"},  {9, "nmr19.pks", "F-19", "19F"},
    {15, "nmr31.pks", "P=31", "31P"},
};

const tnucleusrow* rowof(int nucleus) {
  for (const tnucleusrow& row : nuclei) {
    if (row.nucleus == nucleus) {
      return &row;
    }
  }
  return nullptr;
}

constexpr std::size_t maxdatabasebytes = 64U * 1024U * 1024U;

}  // namespace

std::string databasefilename(int nucleus) {
  const tnucleusrow* row = rowof(nucleus);
  return row == nullptr ? std::string() : row->file;
}

std::string nucleuslabel(int nucleus) {
  const tnucleusrow* row = rowof(nucleus);
  return row == nullptr ? std::string() : row->label;
}

int nucleusfromname(const std::string& name) {
  for (const tnucleusrow& row : nuclei) {
    if (name == row.name) {
      return row.nucleus;
    }
  }
  return 0;
}

std::vector<std::string> installshippeddatabases(
    const std::filesystem::path& datafolder,
    const std::filesystem::path& shippedfolder) {
  std::vector<std::string> installed;
  std::error_code failure;
  std::filesystem::create_directories(datafolder, failure);
  for (const tnucleusrow& row : nuclei) {
    std::filesystem::path target = datafolder / row.file;
    std::filesystem::path source = shippedfolder / row.file;
    // A database the user already has (even an empty one) is theirs.
    if (std::filesystem::exists(target, failure) ||
        !std::filesystem::is_regular_file(source, failure)) {
      continue;
    }
    std::vector<std::uint8_t> bytes;
    if (!readwholefile(source, bytes, maxdatabasebytes).empty()) {
      continue;
    }
    if (writefileatomically(target, bytes).empty()) {
      installed.emplace_back(row.file);
    }
  }
  return installed;
}

std::filesystem::path shippeddatabasefolder() {
  return shippeddatafolder() / "nmr";
}

std::shared_ptr<IPeakdb> opendatabase(const std::filesystem::path& datafolder,
                                      int nucleus, tmessages& messages,
                                      tprogress& progress) {
  std::string file = databasefilename(nucleus);
  if (file.empty()) {
    auto empty = std::make_shared<tpeakdb>(nucleus);
    empty->setreporting(messages, progress);
    return empty;
  }
  installshippeddatabases(datafolder, shippeddatabasefolder());
  return std::make_shared<tpeakdb>((datafolder / file).string(), nucleus,
                                   messages, progress);
}

}  // namespace molvane
