// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/training_set.h"

#include "document/drawing.h"
#include "io/exchange_files.h"
#include "support/atomic_file.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace molvane {

namespace {

constexpr std::size_t maxtrainingbytes = 1024U * 1024U * 1024U;

std::string_view nucleusname(int nucleus) {
  switch (nucleus) {
    case 1:
      return "1H";
    case 6:
      return "13C";
    case 9:
      return "19F";
    case 7:
      return "15N";
    case 15:
      return "31P";
    default:
      return "";
  }
}

/// Moves shifts filed under hydrogen atoms to their carriers (averaging
/// with what the carrier has) and drops indices outside the record.
std::vector<tassignedshift> oncarriers(const tStructure& structure,
                                       const std::vector<tassignedshift>& in) {
  std::map<int, std::pair<double, int>> sums;
  for (const tassignedshift& shift : in) {
    const tatm* atom = structure.atoms.items(shift.atomindex);
    if (atom == nullptr) {
      continue;
    }
    int carrier = shift.atomindex;
    if (atom->element == 1) {
      carrier = -1;
      for (const tbond* bond : structure.bondsof(atom)) {
        const tatm* far = bond->other(atom);
        if (far != nullptr && far->element != 1) {
          carrier = structure.positionof(far);
        }
      }
    }
    if (carrier >= 0) {
      sums[carrier].first += shift.shift;
      sums[carrier].second += 1;
    }
  }
  std::vector<tassignedshift> out;
  for (const auto& [atom, sum] : sums) {
    out.push_back({atom, sum.first / sum.second});
  }
  return out;
}

}  // namespace

std::string readtrainingfile(const std::filesystem::path& path, int nucleus,
                             std::vector<ttrainingmolecule>& molecules,
                             int& skipped) {
  std::vector<std::uint8_t> bytes;
  std::string problem = readwholefile(path, bytes, maxtrainingbytes);
  if (!problem.empty()) {
    return problem;
  }
  std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                        bytes.size());
  std::vector<std::string_view> records = splitsdrecords(text);
  for (std::string_view record : records) {
    std::vector<tassignedshift> shifts =
        parseassignedshifts(record, nucleusname(nucleus));
    if (shifts.empty()) {
      continue;
    }
    std::span<const std::uint8_t> recordbytes(
        reinterpret_cast<const std::uint8_t*>(record.data()), record.size());
    treadresult result = readmdlfile(recordbytes);
    if (result.extent() != treadextent::whole) {
      ++skipped;
      continue;
    }
    ttrainingmolecule molecule;
    molecule.shifts = oncarriers(*result.drawing, shifts);
    molecule.structure = std::move(result.drawing);
    if (!molecule.shifts.empty()) {
      molecules.push_back(std::move(molecule));
    }
  }
  return "";
}

}  // namespace molvane
