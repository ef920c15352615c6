// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/molecule_record.h"
#include "chemistry/record_stereo.h"

namespace molvane {

/// The stereo a record states: the one reading of configurations that
/// every reader, writer and the 3D path share. Flat records: centres at
/// the narrow end of a wedged or hashed bond (`wideend` names the other
/// end), read as drawnsense reads them. Records with depth: every centre
/// from its coordinates. Double bonds get a geometry from their
/// coordinates when both ends carry different substituents and the bond
/// lies in no ring of fewer than eight atoms; a bond marked stated gets the
/// side its substituents lean to however little, one left as drawn only a
/// clear side (not within about 6 degrees of upright). Centres whose
/// substituents are alike are left out, unless a ring tells them apart (the two
/// ring carbons of a 1,4-disubstituted cyclohexane). An atom or bond marked
/// unstated never yields stereo, whatever its picture.
trecordstereo perceivestereo(const tmoleculerecord& record);

/// The atoms and double bonds that could carry stereo, whatever the
/// geometry and the marks say: what a reader marks unstated when the file
/// does not state it. Judged by their bonds alone, in linear time, so some
/// whose substituents are alike are among them.
struct tstereocandidates {
  std::vector<bool> centres;
  std::vector<bool> doublebonds;
};
tstereocandidates stereocandidates(const tmoleculerecord& record);

/// The parity exchange files give a centre: with the neighbours numbered
/// by their position in the atom list (an implicit hydrogen last) and the
/// last one pointing away, 1 when the other three run clockwise, else 2.
int parityof(const ttetrahedralstereo& centre);

}  // namespace molvane
