// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/database_files.h"

#include "nmr/peak_database.h"
#include "support/atomic_file.h"
#include "support/shipped_data.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
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
constexpr std::size_t maxstampbytes = 64;

/// The stamps of every database file that earlier builds shipped before
/// they wrote stamps: a copy that still has one of these was never taught.
struct tearlierstamp {
  const char* file;
  const char* stamp;
};

constexpr tearlierstamp earlierstamps[] = {
    {"nmr01.pks", "1f79549cd13c33e3"}, {"nmr01.pks", "b521698d43a78f81"},
    {"nmr01.pks", "e6a25b751c941377"}, {"nmr01.pks", "05d46dd147506b45"},
    {"nmr01.pks", "e58b2a92951f5825"}, {"nmr01.pks", "520f20238bbef1e1"},
    {"nmr13.pks", "46a49124257353d9"}, {"nmr13.pks", "decf5203f90e04a1"},
    {"nmr13.pks", "55e21c6fced09f35"}, {"nmr13.pks", "64a3ef15a618c28e"},
    {"nmr13.pks", "0f94230443a56c8c"}, {"nmr19.pks", "ad795824e93a01cf"},
    {"nmr19.pks", "b5a16a38c9236920"}, {"nmr19.pks", "77e6ba820323d4b0"},
    {"nmr19.pks", "85908defc46163c2"}, {"nmr19.pks", "bd537f85833b1d0e"},
};

bool shippedearlier(const char* file, const std::string& stamp) {
  return std::any_of(std::begin(earlierstamps), std::end(earlierstamps),
                     [&](const tearlierstamp& earlier) {
                       return std::string_view(file) == earlier.file &&
                              stamp == earlier.stamp;
                     });
}

/// The recorded stamp beside a database, or "" when there is none.
std::string recordedstamp(const std::filesystem::path& stampfile) {
  std::vector<std::uint8_t> bytes;
  if (!readwholefile(stampfile, bytes, maxstampbytes).empty()) {
    return "";
  }
  std::string text(bytes.begin(), bytes.end());
  return text.substr(0, text.find('\n'));
}

/// Whether the user's copy of a database is one the program installed and
/// nobody has taught since.
bool untaught(const std::filesystem::path& target, const char* file,
              const std::string& stamp) {
  std::vector<std::uint8_t> bytes;
  if (!readwholefile(target, bytes, maxdatabasebytes).empty()) {
    return false;
  }
  std::string current = databasestamp(bytes);
  std::string recorded = recordedstamp(stampfilename(target));
  if (current == stamp) {
    return false;
  }
  return recorded.empty() ? shippedearlier(file, current) : current == recorded;
}

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

std::string databasestamp(std::span<const std::uint8_t> bytes) {
  // FNV-1a over the bytes, as 16 hexadecimal digits.
  std::uint64_t hash = 14695981039346656037ULL;
  for (std::uint8_t byte : bytes) {
    hash ^= byte;
    hash *= 1099511628211ULL;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx",
                static_cast<unsigned long long>(hash));
  return text;
}

std::filesystem::path stampfilename(const std::filesystem::path& database) {
  std::filesystem::path stamp = database;
  stamp += ".stamp";
  return stamp;
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
    if (!std::filesystem::is_regular_file(source, failure)) {
      continue;
    }
    std::vector<std::uint8_t> bytes;
    if (!readwholefile(source, bytes, maxdatabasebytes).empty()) {
      continue;
    }
    std::string stamp = databasestamp(bytes);
    // A database the user already has (even an empty one) is theirs, unless
    // it is an earlier shipped one that was never taught.
    if (std::filesystem::exists(target, failure) &&
        !untaught(target, row.file, stamp)) {
      continue;
    }
    if (writefileatomically(target, bytes).empty()) {
      installed.emplace_back(row.file);
      std::string line = stamp + "\n";
      (void)writefileatomically(
          stampfilename(target),
          {reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
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
