// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/canvas.h"

#include <optional>
#include <string>
#include <string_view>

namespace molvane {

class tAtoms;
class tatm;
class tdrawing;

/// The subscript count of a hydrogen label: "" for fewer than two
/// hydrogens and for elements whose labels carry no count; for hydrogen
/// itself the count of the H2 molecule part (h + 1).
std::string hydrogendigits(const tatm& atom);

/// The label of label mode 2: the symbol with its implicit hydrogens, the
/// hydrogens written first for the halogens ("HCl") and, with a count,
/// for O, F, S, Cl, Te and I ("H2O"). At most 64 characters.
std::string hydrogenlabeltext(const tatm& atom);

/// What drawatom hands to drawlabeltext for the atom: "" for label mode 0
/// (so charge and number still show), the symbol, or the hydrogen label.
/// A chemical atom without bonds in drawing shows its hydrogens in mode 0
/// too ("CH4" for a lone carbon), as a chemist writes it. None when the
/// atom draws no label (symbol points, label atoms in plain text mode 5,
/// the 3D figures and the silent modes).
std::optional<std::string> labelbase(const tatm& atom, const tdrawing& drawing);

/// text + the charge text, and the first three characters of the number
/// text when the drawing shows numbers; at most 64 characters.
std::string completelabeltext(const tatm& atom, std::string_view text,
                              const tdrawing& drawing);

/// Draws text with the atom's charge and number as a tLabel at the atom's
/// screen point, in the atom's font. The colour is the given one, or the
/// atom's own when none is given or the drawing shows numbers; with
/// colourbyelement a chemical atom in black owns its element's colour.
/// The canvas font colour is restored afterwards.
void drawlabeltext(const tatm& atom, tcanvas& canvas, std::string_view text,
                   std::optional<tcolour> colour, const tdrawing& drawing,
                   bool colourbyelement = false);

/// One atom's label as its kind and label mode say. Fonts and the number
/// display come from drawing. With colourbyelement, labels of chemical atoms
/// in black take the colour of their element.
void drawatom(const tatm& atom, tcanvas& canvas, const tdrawing& drawing,
              bool colourbyelement = false);

/// drawatom for the chemical and label atoms of list, last to first.
void drawatoms(const tAtoms& list, tcanvas& canvas, const tdrawing& drawing,
               bool colourbyelement = false);
/// drawatom for the label atoms of list only, last to first.
void drawlabelatoms(const tAtoms& list, tcanvas& canvas,
                    const tdrawing& drawing);

}  // namespace molvane
