// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/settings.h"
#include "document/structure.h"
#include "document/symbol.h"
#include "model/font.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

struct tcopymap;

/// The document: every atom, bond, structure, symbol and font on the page,
/// with the comments, the element colours and the conditions of the
/// thermochemistry tools. The drawing owns all of them.
class tdrawing : public tStructure {
 public:
  static constexpr std::size_t commentsize = 95;

  /// A drawing of the program's default settings.
  tdrawing();
  /// An empty drawing built from settings: it keeps a copy of their
  /// geometry, takes their bond length, file version and label font.
  explicit tdrawing(const tsettings& settings);
  ~tdrawing() override;

  bool saved = false;
  bool flag1 = false;
  bool flag2 = false;
  std::uint16_t fileversion = 150;
  std::string filename = "untitled.mlv";
  tSymbols symbols;
  /// The label atoms, which also stand in `atoms`.
  tAtoms labelatoms;
  std::uint16_t bondlength = 30;
  std::int32_t spare = -1;
  tfontlist fonts;
  double temperature = 298.0;
  double pressure = 1.0;
  /// Colours by atomic number 1..103 (index 0 unused).
  std::array<std::uint32_t, 104> elementcolours{};
  /// The structures commands added; the drawing owns them.
  tBaseList<tStructure> structures;
  bool showstructurelabels = false;
  bool showstructurevalues = false;
  bool shownmrshifts = false;
  /// The molecular data window's dipole arrow, in drawing units: painted
  /// from the origin along the vector while showdipole is set. Copies of
  /// the drawing leave it off.
  TXYZ dipoleorigin;
  TXYZ dipolevector;
  bool showdipole = false;

  const std::string& title() const { return title_; }
  const std::string& author() const { return author_; }
  const std::string& notes() const { return notes_; }
  /// Comments keep at most 95 characters.
  void settitle(std::string_view text);
  void setauthor(std::string_view text);
  void setnotes(std::string_view text);

  /// Appends atom (label atoms also to `labelatoms`) and owns it.
  tatm* addatom(std::unique_ptr<tatm> atom) override;
  /// Removes an atom with its bonds from the drawing, its structures,
  /// symbols and label list, and frees it.
  void removeatom(tatm* atom) override;
  /// Appends bond and owns it. An edit that adds or removes a bond changes
  /// the neighbourhood of its ends: their stereo marks and those of the
  /// bonds at them go back to asdrawn (not for a bond to a hydrogen atom,
  /// which only makes an implicit hydrogen explicit or back).
  tbond* addbond(std::unique_ptr<tbond> bond);
  /// Removes a bond from the drawing and its structures and frees it; its
  /// kind goes back to the free valence of both ends.
  void removebond(tbond* bond) override;

  /// A complete, independent copy of the document.
  std::unique_ptr<tdrawing> clonedrawing() const;
  /// A drawing that lists atomparts and bondparts, position for position,
  /// where this one lists its atoms and bonds, without owning them; its
  /// structures, symbols and other fields are copies of this drawing's.
  /// The parts must outlive it, and the ends of each bond part must be
  /// atom parts. Its clonedrawing() is then a copy of this drawing.
  std::unique_ptr<tdrawing> framedrawing(
      const std::vector<tatm*>& atomparts,
      const std::vector<tbond*>& bondparts) const;
  /// Selection flag of the drawing, every atom and every bond; symbols take
  /// it only in draw modes 0 and 70.
  void selectall(bool flag);
  void setdrawmode(std::uint8_t code);
  /// Moves a structure built around the origin by (x, y) and merges it.
  tStructure* placestructure(std::unique_ptr<tStructure> structure, double x,
                             double y);
  /// Takes a structure built in drawing coordinates: its atoms and bonds
  /// join the drawing's lists (each once) and the drawing owns them.
  tStructure* mergestructure(std::unique_ptr<tStructure> structure);
  /// The union step for a structure the drawing already holds.
  void mergestructure(tStructure* structure);
  /// Takes a symbol whose points and links join the drawing's lists.
  tSymbol* addsymbol(std::unique_ptr<tSymbol> symbol);
  /// Frees a symbol with its points and links.
  void deletesymbol(tSymbol* symbol);
  /// Frees a structure; its atoms and bonds stay in the drawing.
  void deletestructure(tStructure* structure);
  /// A new structure of the same class holding copies of the atoms of
  /// source and of its bonds between them; the copy owns them and is not
  /// yet part of any drawing.
  std::unique_ptr<tStructure> copystructure(const tStructure& source) const;

  void mirror(int axis) override;

  /// Index of font in the font list (added when absent).
  int fontindexof(const fontrecord& font) override;
  /// The record at index; the default font for an unknown index.
  fontrecord getfontrecord(int index) const override;
  void setfontrecord(int index, const fontrecord& font) override;

  /// 1-based index of structure in `structures`, 0 when absent.
  int structurenumber(const tStructure* structure) const;

  /// As for any fragment; the drawing's structures and symbols then read
  /// the same settings.
  void usegeometry(const tgeometrysettings* settings);
  void setgeometry(const tgeometrysettings& settings);

 private:
  /// A copy of the fields with no atoms, bonds, structures or symbols.
  std::unique_ptr<tdrawing> emptycopy() const;
  /// Gives copy the auxiliary bonds, structures and symbols of this
  /// drawing, through map from this drawing's objects to copy's.
  void copylinks(tdrawing& copy, const tcopymap& map) const;
  /// Makes structure read the geometry of this drawing.
  void holdgeometry(tStructure& structure) const;
  void holdgeometry() const;
  /// Adds the structure's atoms and bonds that the drawing lacks.
  void jointhelists(const tStructure& structure);
  /// The stereo marks at the ends of a bond being added or removed.
  void dropstereomarks(const tlink& bond);

  std::string title_;
  std::string author_;
  std::string notes_;
  std::vector<std::unique_ptr<tStructure>> ownedstructures_;
  std::vector<std::unique_ptr<tSymbol>> ownedsymbols_;
};

}  // namespace molvane
