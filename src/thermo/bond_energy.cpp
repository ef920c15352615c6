// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "thermo/bond_energy.h"

#include "model/bond.h"
#include "support/atomic_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <system_error>

namespace molvane {
namespace {

void putu32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    out[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

std::uint32_t getu32(const std::uint8_t* in) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | in[i];
  }
  return value;
}

void putfloat(std::uint8_t* out, float value) {
  putu32(out, std::bit_cast<std::uint32_t>(value));
}

float getfloat(const std::uint8_t* in) {
  return std::bit_cast<float>(getu32(in));
}

/// The harmonic combination a b / (a + b) of two positive values.
double combined(double a, double b) { return a * b / (a + b); }

}  // namespace

TBondEnergy::TBondEnergy(const tlink& bond, float energykcal)
    : energy(energykcal) {
  if (bond.atom1 == nullptr || bond.atom2 == nullptr) {
    key = 1000.0 * bond.ffkind();
    return;
  }
  const tenvironment e1 = atomenvironment(*bond.atom1);
  const tenvironment e2 = atomenvironment(*bond.atom2);
  const double k1 = e1.key();
  const double k2 = e2.key();
  // Two ends without any environment would divide 0 by 0.
  key = (k1 + k2 != 0.0 ? combined(k1, k2) : 0.0) + 1000.0 * bond.ffkind();
  for (std::size_t i = 0; i < spheres.size(); ++i) {
    const float s1 = e1.spheres[i];
    const float s2 = e2.spheres[i];
    spheres[i] = s1 > 0.0F && s2 > 0.0F ? s1 * s2 / (s1 + s2) : 0.0F;
  }
}

TBondEnergy::TBondEnergy(const tbondenergyrecord& record)
    : energy(getfloat(record.data())),
      key(std::bit_cast<double>(
          static_cast<std::uint64_t>(getu32(record.data() + 4)) |
          (static_cast<std::uint64_t>(getu32(record.data() + 8)) << 32))) {
  for (std::size_t i = 0; i < spheres.size(); ++i) {
    spheres[i] = getfloat(record.data() + 12 + 4 * i);
  }
}

tbondenergyrecord TBondEnergy::torecord() const {
  // energy (4) | key (8) | spheres[0..6] (7 x 4)
  tbondenergyrecord record{};
  putfloat(record.data(), energy);
  const auto bits = std::bit_cast<std::uint64_t>(key);
  putu32(record.data() + 4, static_cast<std::uint32_t>(bits));
  putu32(record.data() + 8, static_cast<std::uint32_t>(bits >> 32));
  for (std::size_t i = 0; i < spheres.size(); ++i) {
    putfloat(record.data() + 12 + 4 * i, spheres[i]);
  }
  return record;
}

bool TBondEnergy::isidentical(const TBondEnergy& other) const {
  return key == other.key && spheres == other.spheres;
}

void tbondenergies::addenergy(const TBondEnergy& entry) {
  auto copy = std::make_unique<TBondEnergy>(entry);
  if (entries_.empty()) {
    if (entry.energy > 0.0F) {
      entries_.push_back(std::move(copy));
    }
    return;
  }
  if (entries_.front()->key > entry.key) {
    entries_.insert(entries_.begin(), std::move(copy));
    return;
  }
  if (entries_.back()->key < entry.key) {
    entries_.push_back(std::move(copy));
    return;
  }
  // The entries of an equal key stand together; any of them may be the
  // identical one, so the whole run is searched.
  const auto first = std::lower_bound(
      entries_.begin(), entries_.end(), entry.key,
      [](const auto& stored, double key) { return stored->key < key; });
  const auto end = std::upper_bound(
      first, entries_.end(), entry.key,
      [](double key, const auto& stored) { return key < stored->key; });
  for (auto at = first; at != end; ++at) {
    if ((*at)->isidentical(entry)) {
      (*at)->energy = entry.energy;
      return;
    }
  }
  // Before the last entry of an equal key, or before the first greater.
  const auto place = first != end ? std::prev(end) : first;
  entries_.insert(place, std::move(copy));
}

std::vector<std::uint8_t> writebondenergies(const tbondenergies& table) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(table.entries().size() * bondenergyrecordsize);
  for (const auto& entry : table.entries()) {
    const tbondenergyrecord record = entry->torecord();
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  return bytes;
}

std::string readbondenergies(std::span<const std::uint8_t> bytes,
                             tbondenergies& table) {
  tbondenergies result;
  if (bytes.size() % bondenergyrecordsize != 0) {
    return "The bond energy file ends inside a record (" +
           std::to_string(bytes.size()) + " bytes).";
  }
  if (bytes.size() / bondenergyrecordsize > largestbondenergytable) {
    return "The bond energy file holds more than " +
           std::to_string(largestbondenergytable) + " records.";
  }
  for (std::size_t at = 0; at < bytes.size(); at += bondenergyrecordsize) {
    tbondenergyrecord record{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                bondenergyrecordsize, record.begin());
    const TBondEnergy entry(record);
    const bool finite =
        std::isfinite(entry.energy) && std::isfinite(entry.key) &&
        std::all_of(entry.spheres.begin(), entry.spheres.end(),
                    [](float value) { return std::isfinite(value); });
    if (!finite) {
      return "Record " + std::to_string(at / bondenergyrecordsize + 1) +
             " of the bond energy file holds a value that is not a number.";
    }
    result.entries_.push_back(std::make_unique<TBondEnergy>(entry));
  }
  table.entries_ = std::move(result.entries_);
  return {};
}

std::string tbondenergies::saveenergies(
    const std::filesystem::path& path) const {
  const std::filesystem::path target = path.empty() ? filename : path;
  if (target.empty()) {
    return "The bond energy table has no file.";
  }
  return writefileatomically(target, writebondenergies(*this));
}

std::string tbondenergies::loadenergies(const std::filesystem::path& path) {
  entries_.clear();
  filename = path;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    return {};
  }
  std::vector<std::uint8_t> bytes;
  const std::size_t limit = largestbondenergytable * bondenergyrecordsize;
  std::string problem = readwholefile(path, bytes, limit);
  if (problem.empty()) {
    problem = readbondenergies(bytes, *this);
  }
  if (!problem.empty()) {
    filename.clear();
  }
  return problem;
}

}  // namespace molvane
