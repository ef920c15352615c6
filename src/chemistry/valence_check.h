// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace molvane {

class tatm;
class tdrawing;

/// An atom with more bonds than its element and charge allow.
struct tvalenceproblem {
  const tatm* atom = nullptr;
  /// 1-based place among the drawing's atoms, as the user counts them.
  int position = 0;
  /// Bond orders summed over the drawn bonds (hydrogens drawn as atoms
  /// included; a half bond drawn dotted counts nothing).
  int bonds = 0;
  int allowed = 0;
};

/// The chemical atoms of drawing that are over their valence (see
/// largestvalence), in list order. Bonds of one and a half count so that
/// aromatic rings drawn with them pass: the atom is allowed the extra half
/// bond of its share of the ring. Only reads the drawing.
std::vector<tvalenceproblem> valenceproblems(const tdrawing& drawing);

/// "Valence: C3 has 5 bonds, Cl7 has 2 bonds" naming the first few
/// problems (element symbol and place), then "and N more"; "" for none.
std::string valencetext(const std::vector<tvalenceproblem>& problems);

}  // namespace molvane
