// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace molvane {

struct tcommandcontext;

class tStructure;

/// An Atom/Add AHn item: one central atom whose label shows its hydrogens.
/// Ions change the charge and the free valence (in whole bonds) together.
struct thydriderow {
  int code;
  std::string_view caption;
  int element;
  int charge;
  int valence;
};

/// The thirty Add AHn rows in menu order (Tags 0 .. 29).
std::span<const thydriderow> hydriderows();

/// An Atom/Add Molecule item (molecules and ions).
struct tmoleculerow {
  int code;
  std::string_view caption;
};

/// The Add Molecule rows: the 25 molecules, then the 5 ions.
std::span<const tmoleculerow> moleculerows();

/// A new structure of one atom of element at the click, its hydrogens in
/// the label (the atom tool's Add mode).
tStructure* addsingleatom(tcommandcontext& context, double x, double y,
                          int element);

/// Add AHn: the central atom of the row of code at the click; null for a
/// code that is not an Add AHn row.
tStructure* addhydride(tcommandcontext& context, double x, double y, int code);

/// Add Molecule: the molecule or ion of code with explicit atoms, its
/// central (or first) atom at the click; null for other codes.
tStructure* addmolecule(tcommandcontext& context, double x, double y, int code);

}  // namespace molvane
