// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/peak_database.h"

namespace molvane {

/// Whether an atom of class c (1 sp, 2 sp2, 3 sp3, 4 aromatic, the learned
/// classes fluorineclass and protonsp3class, others) whose
/// deepest database match has level (0: none) needs its increment scheme.
bool needsfallback(int c, int level);

/// The shift of an atom of class c from its deepest database match (shift
/// s1 at level; level 0 when there is none) and the result of its increment
/// scheme (level 0 or below; only read when needsfallback says so).
/// Shallow matches of carbons are averaged with the scheme, each agreeing
/// sphere weighing by the atom's class against the scheme's level; sp
/// carbons take whichever goes deeper; a learned fluorine value wins from
/// the match's depth on and is averaged in one sphere shallower.
tprediction combineshifts(int c, double s1, int level,
                          const tprediction& fallback);

}  // namespace molvane
