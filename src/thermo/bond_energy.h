// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/base_object.h"
#include "nmr/environment.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace molvane {

class tlink;

/// Bytes of one entry in the table's file.
inline constexpr std::size_t bondenergyrecordsize = 40;
/// The table's file in the program's data folder.
inline constexpr const char* bondenergyfilename = "bondenergies.dat";
/// Files longer than this many records are refused.
inline constexpr std::size_t largestbondenergytable = 100000;

using tbondenergyrecord = std::array<std::uint8_t, bondenergyrecordsize>;

/// A bond dissociation energy the user entered, filed under the combined
/// environment of the bond's two atoms and its order.
class TBondEnergy : public tbaseobject {
 public:
  TBondEnergy() = default;
  /// The entry for bond with the given energy (kcal): the ends'
  /// environment keys k1, k2 give key = k1 k2 / (k1 + k2) + 1000 ffkind
  /// (1000 ffkind alone when k1 + k2 is 0), and each sphere is combined
  /// the same way when both ends have a positive value there, else 0.
  TBondEnergy(const tlink& bond, float energykcal);
  /// From a file record (little-endian).
  explicit TBondEnergy(const tbondenergyrecord& record);

  float energy = 0.0F;
  double key = 0.0;
  tspheres spheres{};

  tbondenergyrecord torecord() const;
  /// Same key and the same seven spheres (exact comparison).
  bool isidentical(const TBondEnergy& other) const;
};

/// The table of entered bond energies, ascending by key, with the file it
/// is saved to.
class tbondenergies {
 public:
  std::filesystem::path filename;

  const std::vector<std::unique_ptr<TBondEnergy>>& entries() const {
    return entries_;
  }
  int count() const { return static_cast<int>(entries_.size()); }

  /// Files a copy of entry. An empty table refuses a non-positive energy;
  /// an entry identical to a stored one replaces that one's energy;
  /// otherwise the entry is inserted so that keys stay ascending, before
  /// the last entry of an equal key when there is one.
  void addenergy(const TBondEnergy& entry);

  /// Writes every entry in order to path (the table's own file when path
  /// is empty), replacing the file atomically. Returns "" or the error.
  [[nodiscard]] std::string saveenergies(
      const std::filesystem::path& path = {}) const;

  /// Reads the table from path, record by record in file order, and makes
  /// path the table's file. A missing file gives an empty table. Returns
  /// "" or why the file was refused (its length is not a whole number of
  /// records, it is too long, or a value is not a finite number); the table
  /// is then empty and has no file, so that no save overwrites the file.
  [[nodiscard]] std::string loadenergies(const std::filesystem::path& path);

 private:
  friend std::string readbondenergies(std::span<const std::uint8_t> bytes,
                                      tbondenergies& table);

  std::vector<std::unique_ptr<TBondEnergy>> entries_;
};

/// The table's bytes, and the table from bytes in their order ("" or the
/// error, and then the table is left as it was).
std::vector<std::uint8_t> writebondenergies(const tbondenergies& table);
[[nodiscard]] std::string readbondenergies(std::span<const std::uint8_t> bytes,
                                           tbondenergies& table);

}  // namespace molvane
