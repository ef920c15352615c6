// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace molvane {

class tatm;
class tbond;

/// The bond graph the force field works on: atom positions in its atom list.
struct tbondgraph {
  const std::vector<tatm*>& atoms;
  const std::vector<std::pair<tbond*, std::array<std::int32_t, 2>>>& bonds;
  /// Positions in bonds of each atom's bonds.
  const std::vector<std::vector<std::int32_t>>& atombonds;
};

/// Bonds of aromatic rings drawn with single and double bonds: six-rings of
/// alternating bonds (a benzene written in one of its two bond patterns) and
/// five-rings of two double bonds and an atom giving its lone pair (pyrrole,
/// furan, thiophene, imidazole): true at their positions in the graph's bond
/// list. Files from other programs store aromatic rings this way; their
/// bonds are all of one and a half.
std::vector<bool> alternatingringbonds(const tbondgraph& graph);

/// Carbon-carbon single bonds of six-rings that one or more lone pairs make
/// aromatic although the drawing holds fewer than three ring double bonds:
/// every ring atom is in a ring double bond, bears a double bond outside the
/// ring (C=O) or gives a lone pair, six π electrons in all (uracil,
/// 2-pyridone, the six-ring of caffeine). Their single bonds are shorter
/// than between two plain trigonal carbons (1.43 Å against 1.47).
std::vector<bool> donorringsinglebonds(const tbondgraph& graph);

/// In hybrids (the atoms' hybridisation codes, by position in the graph),
/// gives a neutral nitrogen with three neighbours (implicit hydrogens count)
/// with only single bonds the trigonal hybridisation when a neighbour is
/// trigonal or aromatic: its lone pair joins the neighbour's π system (amides,
/// anilines, pyrroles), so it lies flat instead of forming a pyramid.
void flattenconjugatednitrogens(const tbondgraph& graph,
                                std::vector<int>& hybrids);

}  // namespace molvane
