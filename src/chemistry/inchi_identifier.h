// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "chemistry/record_stereo.h"

#include <string>
#include <string_view>

namespace molvane {

class tdrawing;

/// The largest molecule the identifier library describes, hydrogen atoms
/// of the record included.
inline constexpr int largestinchiatoms = 1024;

/// A standard InChI and its key.
struct tinchiresult {
  /// "InChI=1S/..."; empty when the library could not describe the
  /// molecule.
  std::string inchi;
  /// The 27-character InChIKey; empty with inchi.
  std::string key;
  /// Why there is no InChI, or the library's warning beside one; "" when
  /// all went well.
  std::string message;
};

/// The standard InChI of a record. Coordinates, wedges and hashes are read
/// as the stereo perception of this program reads them: a centre or double
/// bond marked unstated gets no configuration. When every coordinate is
/// zero (a SMILES record), stereo gives the configurations instead.
/// Pseudo atoms, an empty record and more than largestinchiatoms atoms
/// give a message and no InChI. Safe to call from several threads: the
/// library is entered by one caller at a time.
tinchiresult standardinchi(const tmoleculerecord& record,
                           const trecordstereo& stereo = {});

/// The standard InChI of the chemical atoms of a drawing.
tinchiresult standardinchi(const tdrawing& drawing);

/// A structure read back from an InChI, laid out flat (as layoutrecord
/// does) with wedges and double bonds showing its stereo.
struct tinchistructure {
  tmoleculerecord record;
  trecordstereo stereo;
  /// Why the text is not an InChI the library can read; "" on success.
  std::string error;
};

/// Reads a standard or non-standard InChI ("InChI=1S/..." or
/// "InChI=1/..."). Stereo the InChI states is marked stated on its atoms
/// and bonds.
tinchistructure structureofinchi(std::string_view inchi);

}  // namespace molvane
