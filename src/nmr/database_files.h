// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace molvane {

class IPeakdb;
class tmessages;
class tprogress;

/// The nuclei that have a database, by atomic number.
inline constexpr int databasenuclei[] = {1, 6, 7, 9, 15};

/// "nmr01.pks", "nmr13.pks", "nmr15.pks", "nmr19.pks", "nmr31.pks"; empty
/// for any other nucleus.
std::string databasefilename(int nucleus);

/// "H-1", "C-13", "N-15", "F-19", "P=31"; empty for any other nucleus.
std::string nucleuslabel(int nucleus);

/// 1, 6, 7, 9 or 15 for "1H", "13C", "15N", "19F", "31P"; 0 otherwise.
int nucleusfromname(const std::string& name);

/// The stamp of a database file's bytes: 16 hexadecimal digits that change
/// with every byte.
std::string databasestamp(std::span<const std::uint8_t> bytes);

/// The file beside database that records the stamp of what was installed
/// there ("nmr13.pks.stamp"): one line, the stamp.
std::filesystem::path stampfilename(const std::filesystem::path& database);

/// Copies every database of shippedfolder into datafolder (creating it)
/// where datafolder lacks it, or where its copy is one installed earlier
/// (its stamp file, or for copies older than stamps a list of earlier
/// shipped stamps, says so) that nobody has taught since and that differs
/// from the shipped one. Every other database already in datafolder, a
/// taught one above all, is never touched. Returns the names copied.
std::vector<std::string> installshippeddatabases(
    const std::filesystem::path& datafolder,
    const std::filesystem::path& shippedfolder);

/// The folder of the databases that come with the program.
std::filesystem::path shippeddatabasefolder();

/// The database of nucleus in datafolder, after installing the shipped ones
/// there when they are missing; an empty database for nucleus 0. It reports
/// to messages and progress, which must outlive it.
std::shared_ptr<IPeakdb> opendatabase(const std::filesystem::path& datafolder,
                                      int nucleus, tmessages& messages,
                                      tprogress& progress);

}  // namespace molvane
