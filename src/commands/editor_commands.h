// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace molvane {

class tatm;
class tdrawing;
class tLAtm;
class tSymbol;

// The buttons of the atom tool carry these tags; the periodic table in its
// atom editor layout accepts the same ones.
inline constexpr int hideatomtag = 1;         ///< "·": no label
inline constexpr int symbolonlytag = 2;       ///< "A": the symbol alone
inline constexpr int withhydrogenstag = 3;    ///< "AHn": with hydrogens
inline constexpr int deuteriumtag = 4;        ///< "²H"
inline constexpr int firstlayouttag = 5;      ///< "R.AHn"
inline constexpr int lastlayouttag = 8;       ///< "nHA.R"
inline constexpr int addhydrogentag = 9;      ///< "+H"
inline constexpr int removehydrogentag = 10;  ///< "-H"
inline constexpr int addneutrontag = 11;      ///< "N+1"
inline constexpr int removeneutrontag = 12;   ///< "N-1"
inline constexpr int raisechargetag = 13;     ///< "Q+1"
inline constexpr int lowerchargetag = 14;     ///< "Q-1"
inline constexpr int cloneatomtag = 15;       ///< "Clone"
inline constexpr int deleteatomtag = 16;      ///< "Delete"

/// The colour of the object an editor works on.
inline constexpr std::uint32_t editcolour = 255;

/// Label texts longer than this many bytes would not fit the document's
/// atom record.
inline constexpr std::size_t longestlabeltext = 255;

/// Applies the atom tool's tags 1 .. 14 to atom: label modes, deuterium,
/// the four label layouts, one hydrogen, one neutron or one charge more or
/// less. Returns false (and changes nothing) for any other tag.
bool applyatomtag(tatm& atom, int tag);

/// The atom editor's element choice: atom becomes element (1 .. 103) with
/// its hydrogens shown, and the bonds it has keep counting against the new
/// element's valence. Returns false (and changes nothing) for any other
/// number.
bool setatomelement(tatm& atom, int element);

/// The drawing's right edge in pixels, after refreshing its bounds.
int rightedge(tdrawing& drawing);

/// Takes the undo snapshot and adds a copy of atom, free of bonds, half a
/// standard bond to the right of the current drawing, with its hydrogens
/// shown. The copy keeps the atom's isotope mass, charge and hydrogen
/// adjustment; its free valence is the atom's without its bonds. Null
/// when the current drawing does not hold atom.
tatm* cloneatom(const tatm& atom);

/// Takes the undo snapshot, clears the colours of every atom and removes
/// atom with its bonds from the current drawing; every chemical atom left
/// without a bond then shows its hydrogens. Nothing when the current
/// drawing does not hold atom.
void deleteatom(tatm* atom);

/// Every chemical atom of drawing without a bond shows its hydrogens, so
/// that no lone carbon is left invisible.
void labelloneatoms(tdrawing& drawing);

/// Takes the undo snapshot and adds a copy of label 5 pixels to the right
/// of the current drawing, at the label's height. Null when the current
/// drawing does not hold label.
tLAtm* clonelabel(const tLAtm& label);

/// Takes the undo snapshot and adds a copy of symbol whose centre lies 10
/// pixels to the right of the current drawing, at the height of the
/// symbol's centre; the copy is not highlighted. Null when the current
/// drawing does not hold symbol.
tSymbol* clonesymbol(const tSymbol& symbol);

/// The symbol of drawing that owns point; null for any other atom.
tSymbol* symbolofpoint(const tdrawing& drawing, const tatm* point);

/// Gives symbol and its links colour (editcolour highlights it, 0 clears).
void setsymbolcolour(tSymbol& symbol, std::uint32_t colour);

/// The text an atom or label shows: at most longestlabeltext bytes of
/// text, cut before a character that would not fit whole.
void setlabeltext(tatm& atom, std::string_view text);

/// After atom was dragged: its bonds take the new geometry.
void finishatomdrag(tatm& atom);

}  // namespace molvane
