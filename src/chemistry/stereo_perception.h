// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "chemistry/record_stereo.h"

namespace molvane {

/// The stereo a record's picture shows (see recordofdrawing for the
/// record's conventions). Flat records: centres at the narrow end of a
/// wedged or hashed bond, the wide end taken as raised towards the viewer
/// (wedge) or lowered (hash). Records with depth: every centre from its
/// coordinates. Double bonds get a geometry from their coordinates when
/// both ends carry different substituents and the bond lies in no ring of
/// fewer than eight atoms. Centres and double bonds whose substituents are
/// alike are left out.
trecordstereo perceivestereo(const tmoleculerecord& record);

}  // namespace molvane
