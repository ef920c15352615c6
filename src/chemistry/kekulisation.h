// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "chemistry/record_rings.h"

#include <string>
#include <vector>

namespace molvane {

/// Turns the aromatic bonds of a record into single and double bonds so
/// that every atom flagged in needsdouble gets exactly one double bond and
/// no other atom gets any. Returns "" on success, otherwise a one-line
/// reason; bond kinds are then left as they were.
std::string kekulise(tmoleculerecord& record,
                     const std::vector<bool>& needsdouble,
                     const std::vector<bool>& aromaticbonds);

/// The record with its one-and-a-half bonds (aromatic rings, carboxylate
/// groups) given single and double bonds as the atoms' valences ask;
/// single bonds where no such pattern exists.
tmoleculerecord kekulerecord(const tmoleculerecord& record);

}  // namespace molvane
