// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/settings.h"
#include "model/bond.h"
#include "model/stereo_mark.h"
#include "support/units.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace molvane {

class tatm;
class tbond;
class tdrawing;

/// One atom as an exchange file describes it, before it joins a drawing.
struct tatomentry {
  /// -1 a pseudo atom (R group, "*", an alias), 0 an unnamed point,
  /// 1..103 the element.
  int element = 6;
  /// Text shown instead of the element symbol ("D", "R1", "*"); "" for the
  /// element's own symbol.
  std::string label;
  /// Position in the file's units.
  double x = 0.0, y = 0.0, z = 0.0;
  int charge = 0;
  /// Isotope mass number; 0 for the standard mass.
  int massnumber = 0;
  /// 0 none, 1 singlet, 2 doublet, 3 triplet.
  int radical = 0;
  /// All hydrogens on the atom (implicit and bonded hydrogen atoms) when
  /// the file states them; -1 otherwise.
  int hydrogens = -1;
  /// The total valence the file states (bond orders plus implicit
  /// hydrogens); 0 means "no implicit hydrogens"; -1 when not stated.
  int valence = -1;
  /// Whether the file states the configuration at the atom.
  tstereomark stereomark = tstereomark::asdrawn;
};

/// One bond of a record; the ends are 0-based positions in the atom list.
struct tbondentry {
  int atom1 = 0;
  int atom2 = 0;
  /// Order in half units: 2 single, 3 one-and-a-half, 4 double, 6 triple.
  int kind = 2;
  bool delocalised = false;
  tbondstyle style = tbondstyle::normal;
  /// The wide end of a wedge or hashed bond: 2 at atom2, 1 at atom1.
  int wideend = 2;
  /// Whether the file states the geometry of a double bond.
  tstereomark stereomark = tstereomark::asdrawn;
};

/// A molecule read from a file, complete and checked, not yet a drawing.
struct tmoleculerecord {
  std::string title;
  std::vector<tatomentry> atoms;
  std::vector<tbondentry> bonds;
  /// Text kept with the document (a formula the file gives without atoms).
  std::string notes;
  std::vector<std::string> notices;
};

struct tbuildoptions {
  /// A file this program wrote: coordinates are ångström at
  /// `angstromperlength` per bond length L, and free valences follow the
  /// program's own bookkeeping (no charge or radical rules). Otherwise a
  /// flat (2D) record is scaled so that its mean bond is L long, and
  /// hydrogens follow the charge rules.
  bool ownlayout = false;
  /// Ångström per L in the file: the text table is written at 1.53, the
  /// CML and MDL companions at 1.54, so each is read back at its own
  /// factor and a round trip keeps every length.
  double angstromperlength = angstromperbond;
  /// The file states its scale (a standard molfile this program wrote):
  /// coordinates are read at `angstromperlength`, never fitted to L.
  bool statedscale = false;
  /// y grows downwards as in the drawing (the companion molfile, the text
  /// table, and CML this program wrote before it wrote y upwards);
  /// otherwise upwards, as other programs write it.
  bool ydown = false;
  /// Every hydrogen is an atom of the record, so no atom gets implicit
  /// hydrogens (XYZ files, bonds perceived from distances).
  bool explicithydrogens = false;
  /// What the drawing is built from: its bond length L among them. Must
  /// outlive the call.
  const tsettings* settings = &defaultsettings();
};

/// The chemical atoms of a drawing in list order and the bonds that join
/// two of them with the real-bond flag set: what exchange files describe.
/// Text labels, symbol points and symbol links are left out.
struct tchemicalview {
  std::vector<tatm*> atoms;
  std::vector<tbond*> bonds;
  /// 0-based position of each listed atom among `atoms`.
  std::unordered_map<const tatm*, int> positions;
};
tchemicalview chemicalview(const tdrawing& drawing);

/// The symbol exchange files give an atom: its own symbol when that names
/// its element ("D", "R1"), else the element's symbol, "R" for pseudo atoms
/// and "*" for unnamed points. Readers always take it back.
std::string exchangesymbol(const tatm& atom);

/// The mass number exchange files state for an atom: 0 for the element's
/// usual mass unless the nuclide was stated, for pseudo atoms, and for D
/// and T (their symbol says it).
int statedmassnumber(const tatm& atom);

/// Drawing coordinates a reader produces stay within this many units of
/// the origin; the writers then always write numbers readers accept.
inline constexpr double largestdrawingcoordinate = 1e7;

/// Builds a drawing of the record: atoms and bonds in record order, one
/// structure per connected part, placed with its top left corner two bond
/// lengths from the page's corner. The record must be checked (bond ends
/// inside the atom list, no bond from an atom to itself); a bond given twice
/// is added once, with a notice.
std::unique_ptr<tdrawing> builddrawing(const tmoleculerecord& record,
                                       const tbuildoptions& options,
                                       std::vector<std::string>& notices);

/// An atom symbol of an exchange file.
struct tsymbolmeaning {
  int element = 0;
  /// Mass number the symbol implies ("D" 2, "T" 3), otherwise 0.
  int massnumber = 0;
  /// The label to keep ("D", "R1", "*"), "" for a plain element.
  std::string label;
};
/// Reads an atom symbol: element symbols as this program spells them
/// ("Lw" and "Lr" both for element 103; all capitals such as "CL" too),
/// "D" and "T" as hydrogen isotopes, and pseudo atoms ("R", "R#", "R1",
/// "*", "A", "Q", "X", "M", "L", "Du", "LP", "Xx") as element -1. Anything
/// else gives nullopt.
std::optional<tsymbolmeaning> symbolmeaning(std::string_view symbol);

/// Shift of an atom's free valence in whole bonds that its formal charge
/// implies by the isoelectronic rule: N+ and O+ bond like C and N (+1),
/// O- and S- like F and Cl (-1), C+ and C- like B and N (-1), B- like C
/// (+1), Na+ like Ne (-1), H+ no bond at all (-1). 0 outside the main groups
/// and when the charge leaves the period.
int chargevalenceshift(int element, int charge);

}  // namespace molvane
