// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "chemistry/record_stereo.h"

#include <string>

namespace molvane {

/// Gives every atom of a record flat coordinates (z = 0, y upwards, bonds
/// about 1.5 long) and sets wedge and hashed bond styles so that the
/// picture shows the stereo it is given. Returns "" on success, otherwise
/// a one-line reason; the record is then left as it was.
std::string layoutrecord(tmoleculerecord& record, const trecordstereo& stereo);

}  // namespace molvane
