// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"
#include "model/atom_pack.h"
#include "model/base_object.h"
#include "model/bond_list.h"
#include "model/stereo_mark.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace molvane {

class TEConfig;
class tatomowner;
struct fontrecord;
struct tgeometrysettings;

/// The kinds of point a drawing holds.
inline constexpr std::uint8_t chemicalatomkind = 0;
inline constexpr std::uint8_t labelatomkind = 1;
inline constexpr std::uint8_t symbolpointkind = 255;

/// Label modes of an atom.
inline constexpr std::uint8_t nolabel = 0;
inline constexpr std::uint8_t symbollabel = 1;
inline constexpr std::uint8_t hydrogenlabel = 2;
inline constexpr std::uint8_t textlabel = 5;
inline constexpr std::uint8_t nonelabel = 255;

/// The record shared by chemical atoms, text labels and symbol points.
/// Screen fields are whole pixels; model coordinates are reals in drawing
/// units (one standard bond is L units long, y grows downwards).
class tbaseatm : public tbaseobject {
 public:
  std::int32_t sx = 0, sy = 0;
  std::int32_t osx = 0, osy = 0;
  std::int32_t sz = 0;
  double x = 0.0, y = 0.0, z = 0.0;
  double x0 = 0.0, y0 = 0.0, z0 = 0.0;
  double eqcharge = 0.0;
  /// The last predicted NMR shift in ppm (-999.9: none). Kept apart from
  /// the partial charge so that a prediction never changes the physics.
  double nmrvalue = -999.9;
  float mass = 0.0F;
  /// Whether a file or the user named the nuclide: the mass is then kept
  /// as an isotope even where it is the element's usual one (210Po).
  bool statednuclide = false;
  float qpartial = 0.0F;
  std::int8_t hfree = 0;
  /// Free valence in half-bond units.
  std::int8_t valence2 = 0;
  std::int8_t fcharge = 0;
  std::int8_t element = 0;
  std::uint8_t labelmode = 0;
  std::uint8_t kind = chemicalatomkind;
  std::int8_t direction = 1;
  std::int8_t hadjust = 0;
  std::uint16_t number = 0;
  std::uint8_t align = 0;
  std::uint8_t hybridization = 3;
  std::uint8_t fontindex = 0;
  std::uint8_t nbcount = 0;
  std::string symbol;
  std::uint32_t colour = 0;
  std::uint8_t fixed = 0;
  tstereomark stereomark = tstereomark::asdrawn;
  std::unique_ptr<tAtmPack> pack;
  std::uint8_t selected = 0;
};

/// Adds the neighbour view and the transient label.
class txy : public tbaseatm {
 public:
  /// Atoms bonded to this one as found by the last neighbour search.
  tAtoms neighbours;
  /// Moves the pointer onto the atom and marks it red. The front end moves
  /// the pointer; the model only marks.
  virtual void focus();
};

/// A chemical atom (kind 0), and the base of text labels and symbol points.
class tatm : public txy {
 public:
  /// A 2D atom of the given element at (x, y).
  tatm(int element, int labelmode, double x, double y);
  /// A 3D atom.
  tatm(int element, int labelmode, double x, double y, double z);
  /// A copy of another atom with new empty lists and no force-field data;
  /// the mass comes from the element table and the copy is never fixed.
  tatm(const tatm& other);
  tatm& operator=(const tatm&) = delete;
  ~tatm() override;

  /// Bonds of this atom as found by the last bond search.
  tbonds bonds;

  // Element and valence.
  void setelement(int element, int labelmode);
  /// e = 0 refreshes the current element; otherwise setelement. Afterwards
  /// the kinds of the atom's bonds are taken from the free valence.
  void changeelement(int element, int labelmode);
  void setdeuterium();
  /// Adds n neutron masses (n may be negative); the nuclide is then told
  /// by the mass alone again.
  void addneutrons(int n);
  /// Makes the atom the nuclide of this mass number (1..mostmassnumber;
  /// other values leave it as it is).
  void setmassnumber(int massnumber);
  /// Implicit hydrogens derived from the free valence.
  int implicithydrogens() const;
  /// Manual hydrogen adjustment: valence2 += 2n.
  void sethadjust(int n);
  void addvalence();
  void refreshhfree();
  /// Mass with the implicit hydrogens.
  double massandh() const;

  // Charge.
  void setcharge(int charge);
  /// Adds d to the formal charge, clamped to -9..+9.
  void changecharge(int d);
  /// The formal charge when it is not 0, otherwise the partial charge.
  double getcharge() const;
  std::string chargetext() const;
  bool isacceptor() const;

  // Atomic properties.
  TEConfig econfig() const;
  double electronegativityat(int charge) const;
  /// At the partial charge around the formal charge; never negative.
  double atomelectronegativity() const;
  /// Covalent radius scaled by the ion's orbital radius (Å).
  double ionradius() const;

  // Hybridisation.
  /// Sets the code from the element alone; true for s-block metals.
  bool hybridizationfromelement();
  /// Sum over the atom's bonds of 1 per bond of kind 1-2, 10 per kind 3-4
  /// and 100 per kind 5-6. The pattern is a byte, so a sum past 255 gives
  /// 255, which stands for no hybridisation.
  int bondpattern();
  /// Stores and returns the hybridisation code: 0 none, 1 sp, 2 sp2, 3 sp3,
  /// 4 aromatic, 5 and 6 five- and six-coordinate.
  int gethybridization();
  bool isaromatic() { return gethybridization() == 4; }
  bool issp2() { return gethybridization() == 2; }
  bool issp3() { return gethybridization() == 3; }

  // Label.
  /// Returns the previous mode; values outside the table are ignored.
  int setlabelmode(int mode);
  void togglelabel();
  void togglealign();
  void flipdirection() { direction = static_cast<std::int8_t>(-direction); }
  std::string numbertext() const;
  /// The element symbol with its hydrogens, as the label shows them.
  std::string hlabeltext() const;
  /// Makes the atom use font (added to its owner's fonts; an atom nobody
  /// holds keeps the default font).
  void setfont(const fontrecord& font);
  /// Scales the atom's font, which changes every atom that shares it.
  void scalefont(double factor);
  /// Returns the previous colour.
  std::uint32_t setcolour(std::uint32_t newcolour);
  void highlight();

  // Neighbours and bonds, from the owner's bond list. Symbol
  // points and label atoms have none.
  int findneighbours();
  int findbonds();
  tAtoms hneighbours();
  /// Removes neighbours of element 0 from `neighbours`.
  void dropunnamed();
  /// Removes the atoms of list from `neighbours`.
  void removeneighbours(const tAtoms& list);
  tAtoms neighboursexcept(const tatm* atom);
  tbonds singlebonds();
  tbonds doublebonds();
  tbonds triplebonds();
  tbonds delocalisedbonds();
  tbonds localisedbonds();
  tAtoms delocalisedneighbours();
  /// Item i of the last neighbour or bond search; null past the end.
  tatm* neighbour(int i) const { return neighbours.items(i); }
  tbond* bond(int i) const { return bonds.items(i); }
  bool hasdelocalisedbond();
  bool isplanar();
  bool ispolarh();

  // Coordinates.
  void setxyz(double newx, double newy, double newz);
  void move(double dx, double dy, double dz);
  void setxyzraw(double newx, double newy, double newz);
  void commit();
  void updatescreen();
  void fromscreen();
  void scaleabout(double cx, double cy, double cz, double factor);
  double distance(const tbaseatm& other) const;
  double distance2(const tbaseatm& other) const;
  double distanceto(double px, double py, double pz) const;
  double angstromx() const;
  double angstromy() const;
  double angstromz() const;
  double angstromdistance(const tbaseatm& other) const;
  int rightpixel() const;
  int leftpixel() const;
  int downpixel() const;
  int uppixel() const;
  /// Element used to look up parameters: transition metals, lanthanides
  /// and heavier elements share one representative each.
  int paramelement() const;
  /// Moves the atom by the difference between the cursor (client
  /// coordinates) and its screen position.
  void dragtocursor(int cursorx, int cursory);
  /// Copies the drawing-relevant fields of atom.
  void assign(const tatm& atom);
  void releasepack() { pack.reset(); }

  bool ischemical() const { return kind == chemicalatomkind; }

  /// The structure or drawing that holds the atom; null while none does.
  /// Neighbours, fonts and settings are looked up there.
  tatomowner* owner() const { return owner_; }
  void setowner(tatomowner* owner) { owner_ = owner; }
  /// The settings of the owner, or the defaults for an atom nobody holds.
  const tgeometrysettings& geometry() const;
  /// Bonds of the atom in its owner's bond list; none without an owner.
  const std::vector<tbond*>& ownerbonds() const;
  /// 0-based position in the owner's atom list, or -1.
  int ownerposition() const;

 protected:
  /// Builds a point of another kind (labels, symbol points).
  tatm(std::uint8_t kindof, double x, double y);

 private:
  tatomowner* owner_ = nullptr;
};

/// A control point of a drawing symbol (arrow, arc).
class tSXY : public tatm {
 public:
  tSXY(double x, double y);
};

/// A text label placed in the drawing. It shares the atom record so that
/// the drawing's atom list holds one element type.
class tLAtm : public tatm {
 public:
  /// A plain-text label (label mode 5).
  tLAtm(const std::string& text, double x, double y);
  /// A label of mode 2 in colour 0xFF0000.
  static std::unique_ptr<tLAtm> highlightedlabel(const std::string& text,
                                                 double x, double y);
  void focus() override;
};

/// Elements whose labels carry hydrogens and whose hydrogens are counted.
bool takeshydrogens(int element);
/// The s-block metals, which have no hybridisation.
bool issblockmetal(int element);
/// Implicit hydrogens of an atom of element with free valence valence2
/// (half-bond units).
int implicithydrogensof(int element, int valence2);

/// The element that stands for element in parameter tables: transition
/// metals, lanthanides and heavier elements share one each.
int representativeelement(int element);

/// Rounds half to even, as every display and hydrogen count does.
int roundhalfeven(double value);

/// Whether an atom of element with this mass (as an atom or a file holds
/// it) is an isotope that files keep: its nearest whole number lies in
/// 1..mostmassnumber and is not that of the element's usual mass. False
/// for pseudo atoms, unnamed points and masses that are not finite.
bool isotopicmass(int element, double mass);

/// The mass number of the atom's isotope: the stated nuclide, or the mass
/// where isotopicmass holds it; 0 for the element's usual mass.
int nuclidemassnumber(const tatm& atom);

/// value limited to a signed byte: valence arithmetic saturates instead of
/// wrapping around.
std::int8_t saturatedbyte(int value);

}  // namespace molvane
