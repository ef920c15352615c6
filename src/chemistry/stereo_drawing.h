// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/coordgen_layout.h"
#include "chemistry/molecule_record.h"
#include "chemistry/record_stereo.h"

#include <optional>
#include <vector>

namespace molvane {

/// Whether stated stereo fits the record: a centre's neighbours are
/// distinct atoms bonded to it (at most one implicit), a double bond's
/// neighbours are bonded to its two ends.
bool statedfits(const tmoleculerecord& record, const tdoublebondstereo& stated);
bool statedfits(const tmoleculerecord& record,
                const ttetrahedralstereo& centre);

/// The sense a flat drawing shows at a stereo centre, read from the
/// positions of its neighbours and the wedge and hashed bonds whose narrow
/// end is at the centre (an implicit hydrogen points away from the wedges):
/// true when, seen from neighbours[0], the others run anticlockwise.
/// nullopt when no wedge or hashed bond starts at the centre or the
/// picture is flat.
std::optional<bool> drawnsense(const tmoleculerecord& record,
                               const ttetrahedralstereo& centre);

/// Whether the drawing shows the two neighbours of a double bond on the
/// same side; nullopt when one of them lies on the bond's line.
std::optional<bool> drawncis(const tmoleculerecord& record,
                             const tdoublebondstereo& stated);

/// Reflects the atoms on one side of each stated double bond whose flat
/// layout shows the wrong geometry; a bond in a ring cannot be turned
/// and gets a notice. Positions of `points` follow `part`.
void turndoublebonds(const tmoleculerecord& part, const trecordstereo& stereo,
                     std::vector<tflatpoint>& points,
                     std::vector<std::string>& notices);

/// Gives each stated centre one wedge or hashed bond, narrow end at the
/// centre, so that the drawing shows its sense; prefers bonds out of
/// rings, to hydrogens, and to atoms that are not centres themselves.
/// Earlier wedges and hashed bonds are made plain first. A centre without
/// a free single bond gets a notice.
void placewedges(tmoleculerecord& record, const trecordstereo& stereo);

}  // namespace molvane
