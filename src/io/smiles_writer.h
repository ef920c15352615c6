// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "chemistry/record_stereo.h"

#include <string>

namespace molvane {

/// SMILES of a record and its stereo: parts joined by '.', Kekulé bonds
/// (one-and-a-half bonds turned into single and double bonds), brackets
/// where the implied hydrogens, a charge, an isotope or a stereo mark need
/// them.
/// Empty with error set when the record has no atoms or too many rings
/// open at once.
std::string smilesofrecord(const tmoleculerecord& record,
                           const trecordstereo& stereo, std::string& error);

}  // namespace molvane
