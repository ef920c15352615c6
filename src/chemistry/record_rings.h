// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"

#include <vector>

namespace molvane {

/// For each bond of a record, whether a ring runs through it (removing it
/// leaves its ends connected). Runs in linear time without recursion, so
/// long chains cannot exhaust the stack. Bond ends must be in the record.
std::vector<bool> ringbonds(const tmoleculerecord& record);

}  // namespace molvane
