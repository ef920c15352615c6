// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mechanics/optimizer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace molvane {

class tStructure;
class tdrawing;

/// A drawing of its own holding copies of one structure's chemical atoms
/// (elements 1 and up) and their bonds, so that its force field sees no
/// other structure. The copies keep the original's coordinates, elements
/// and charges. Implicit hydrogens become hydrogen atoms of the copy,
/// placed in 3D and relaxed with the copied atoms held still, so that a
/// skeletal drawing counts as the whole molecule; the structure itself is
/// left as it is.
struct tspeciescopy {
  std::unique_ptr<tdrawing> drawing;
  /// The copy of the structure's i-th chemical atom (the completed
  /// hydrogens follow them in the drawing and are not listed here).
  std::vector<tatm*> atoms;
  /// The original chemical atoms in the same order.
  std::vector<tatm*> originals;
};
tspeciescopy copyspecies(const tStructure& structure);

/// The force-field total energy (cal/mol) of the structure on its own
/// after a fresh setup; 0 when it has no terms.
double structureenergy(const tStructure& structure);
/// The energy counted from separated atoms: `structureenergy` minus the
/// dissociation depths of the structure's bonds (cal/mol, negative for a
/// bound molecule).
double speciesenergy(const tStructure& structure);

/// Minimises the structure alone (Normal), with its implicit hydrogens
/// completed in the copy, and writes the new coordinates back into its
/// atoms. Returns "" or the optimiser's sentence.
[[nodiscard]] std::string optimizespecies(tStructure& structure,
                                          const toptimizersettings& settings,
                                          const toptimizerhooks& hooks = {});

/// Minimises every reactive structure of drawing on its own, as
/// optimizespecies does; after each one, done (when given) is called.
/// Returns "" or the first problem, where it stops.
[[nodiscard]] std::string optimizereactivespecies(
    tdrawing& drawing, const toptimizerhooks& hooks = {},
    const std::function<void()>& done = {});

/// The rotational symmetry number σ of the structure's geometry: the number
/// of proper rotations that map every atom onto one of the same element
/// (2 for H2 and water, 3 for ammonia, 12 for methane and benzene), counting
/// implicit hydrogens as the species copy places them. 1 for fewer than two
/// atoms.
int symmetrynumber(const tStructure& structure);

/// The largest n (1 to 6) such that turning the atoms by 360°/n about the
/// line through origin along axis (drawing units) takes every atom onto
/// one of the same element.
int rotationorder(const std::vector<tatm*>& atoms, const TXYZ& origin,
                  const TXYZ& axis, double angstromperunit);

/// Degeneracy of the electronic ground state: 3 for molecular oxygen
/// (a triplet), 2 for an odd number of electrons, otherwise 1.
int electronicdegeneracy(const tStructure& structure);

/// How the structure rotates as a whole.
enum class trotortype { atom, linear, nonlinear };
trotortype rotationtype(const tStructure& structure);

}  // namespace molvane
