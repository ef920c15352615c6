// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "chemistry/record_stereo.h"
#include "io/read_result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

/// One SMILES string read into a record without coordinates.
struct tsmilesrecord {
  tmoleculerecord record;
  trecordstereo stereo;
  /// Why the text is not SMILES; empty on success.
  std::string error;
};

/// Reads one SMILES string (a name may follow after white space).
tsmilesrecord parsesmiles(std::string_view text);

/// Reads one record line of a SMILES file (number: its line in the file,
/// which errors name). Without laidout the atoms stand in a row, for
/// callers that need what the drawing holds but not its picture.
[[nodiscard]] treadresult readsmilesline(
    int number, std::string_view line,
    const tsettings& settings = defaultsettings(), bool laidout = true);

/// Reads a SMILES file (one record a line): the first record, laid out.
[[nodiscard]] treadresult readsmilesfile(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// The first record of a SMILES file, as read, without coordinates.
tsmilesrecord firstsmilesrecord(std::span<const std::uint8_t> bytes);

/// Every record of a SMILES file, for the command line; a line that is
/// not SMILES gives a result with its error.
[[nodiscard]] std::vector<treadresult> readsmilesrecords(
    std::span<const std::uint8_t> bytes,
    const tsettings& settings = defaultsettings());

/// A SMILES file of the drawing: its SMILES and title on one line; empty
/// when the drawing has nothing SMILES can say.
std::vector<std::uint8_t> writesmilesfile(const tdrawing& drawing);

/// SMILES of the chemical atoms of a drawing, stereo included as its wedges
/// and double-bond geometry show it. Empty with error set when the drawing
/// has nothing SMILES can say.
std::string writesmiles(const tdrawing& drawing, std::string& error);

}  // namespace molvane
