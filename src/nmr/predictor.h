// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/peak.h"

#include <memory>
#include <vector>

namespace molvane {

class IPeakdb;
class tStructure;
class tatm;
class tprogress;

/// Whether atom carries the nucleus: for hydrogen (1) a chemical atom other
/// than hydrogen that bears explicit or implicit hydrogens, or an explicit
/// hydrogen atom; otherwise a chemical atom of that element.
bool carriesnucleus(const tatm& atom, int nucleus);

/// Numbers the nucleus-carrying atoms 1, 2, 3, ... in atom order (every
/// other chemical atom loses its number) and makes one peak per carrying
/// atom, without shifts, with one display flag each.
tpeaklist makepeaklist(tStructure& structure, std::shared_ptr<IPeakdb> db);

/// Fills every peak's shift and level with the list's database and sets the
/// display flags: a peak whose environment equals an earlier peak's takes
/// that peak's shift and shows no label of its own. Writes each shift into
/// its atom's `nmrvalue` and each peak's count into the atom's `number`.
/// Steps progress once per peak. The structure's atoms and bonds are left
/// exactly as they were.
void predictpeaks(tpeaklist& list, tStructure& structure, tprogress& progress);

/// One predicted atom: its 0-based position in the structure's atom list,
/// the shift in ppm (noshift when none) and the level.
struct tatomshift {
  int atomindex = -1;
  double shift = noshift;
  int level = 0;
};

/// The shifts of every atom of structure that carries db's nucleus, in atom
/// order. Equivalent to makepeaklist and predictpeaks without progress.
std::vector<tatomshift> predictshifts(tStructure& structure,
                                      std::shared_ptr<IPeakdb> db);

}  // namespace molvane
