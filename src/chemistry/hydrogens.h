// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chemistry/hybridization.h"

#include <string>

namespace molvane {

class tatm;
class tdrawing;
class tStructure;

// Every function here works on the drawing passed in, which must hold the
// atoms: they find their bonds through it, and lengths follow its bond
// length and 3D setting. New hydrogens are atoms of element 1 joined by
// single bonds; the drawing owns them, and every structure that lists their
// atom lists them too.

/// Turns the implicit hydrogens of the atoms of scope (the whole drawing
/// when null) into hydrogen atoms drawn flat around each atom. Returns the
/// number of hydrogens added.
int addhydrogens2d(tdrawing& drawing, tStructure* scope = nullptr);
/// The same with hydrogens placed in 3D by each atom's hybridisation. With
/// the whole drawing as scope, the stereo it states gets its depth first.
int addhydrogens3d(tdrawing& drawing, tStructure* scope = nullptr);
/// The same for the whole drawing; warning receives what the stereo's
/// depth could not follow, or "".
int addhydrogens3d(tdrawing& drawing, std::string& warning);
/// Deletes every hydrogen atom bonded to another element, with its bonds,
/// so that its atom counts it as implicit again; structures left empty go.
/// Hydrogen that is not attached to a heavier atom (H2, a proton, a bare
/// H) and isotope-labelled hydrogen (deuterium, tritium) stay. Returns the
/// number of atoms deleted. With a scope only the hydrogens of its atoms
/// list go.
int removehydrogens(tdrawing& drawing, tStructure* scope = nullptr);

/// Elements the drawing-wide 2D and 3D completions visit.
bool accepts2dhydrogens(int element);
bool accepts3dhydrogens(int element);
/// Elements the flat completion of one atom draws hydrogens for.
bool draws2dhydrogens(int element);

/// Draws the implicit hydrogens of one atom flat, at distance L (the
/// drawing's bond length) from it, where the branch command would put new atoms
/// (but never onto a neighbour); an atom with bonds gets at most three, the
/// third between the first two. Returns the number added (0 for elements
/// draws2dhydrogens refuses).
int completehydrogens2d(tdrawing& drawing, tatm& atom);
/// Places the implicit hydrogens of one atom in 3D by its hybridisation
/// code. A bare atom without hydrogens first gets its element's full
/// valence back, unless it is charged or its hydrogens were taken away
/// by hand. Degenerate neighbour geometry gets no hydrogens. Returns the
/// number added.
int completehydrogens3d(tdrawing& drawing, tatm& atom);
/// Places hydrogens around an atom that has at least one neighbour, in the
/// frame of its bond to the first neighbour: sp2 and aromatic centres in
/// the plane, sp3 centres staggered at the tetrahedral angle, sp centres on
/// the line. Returns the number added.
int completefrombond(tdrawing& drawing, tatm& atom);

}  // namespace molvane
