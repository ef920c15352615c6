// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom.h"
#include "model/atom_owner.h"
#include "model/bond.h"
#include "model/bond_list.h"
#include "model/fragment.h"

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace molvane {

/// Structure type codes.
inline constexpr int fragmenttype = 100;

/// What a structure tells the thermochemistry object it owns.
class tthermoobject {
 public:
  virtual ~tthermoobject() = default;
  /// The structure's phase changed to phase.
  virtual void setstate(std::uint8_t phase) = 0;
};

/// A building unit: a molecule graph made of the fragment's atoms and its
/// own bond list. A structure that stands alone owns the atoms and bonds
/// added to it; merging it into a drawing hands them to the drawing.
class tStructure : public TFragment, public tatomowner {
 public:
  tStructure();
  ~tStructure() override;
  tStructure(const tStructure&) = delete;
  tStructure& operator=(const tStructure&) = delete;

  tbonds bonds;
  tbonds auxbonds;
  /// Ring atoms in ring order, slots 1..12 (slot 0 unused).
  std::array<tatm*, 13> ringatoms{};
  /// Bond i joins ring atom i to i + 1; bond n closes the ring.
  std::array<tbond*, 13> ringbonds{};
  int currentatom = 0;
  int currentbond = 0;
  /// E0 of the condensed phase, cal/mol.
  double energyoffset = 0.0;
  /// The thermochemistry object describing this structure, or null.
  std::unique_ptr<tthermoobject> thermo;

  /// Also tells the thermochemistry object.
  void setphase(std::uint8_t newphase) override;

  /// Takes ownership of atom and appends it to `atoms`.
  virtual tatm* addatom(std::unique_ptr<tatm> atom);
  /// Takes ownership of bond and appends it to `bonds`.
  tbond* addbond(std::unique_ptr<tbond> bond);
  /// Whether this structure owns the object (rather than only listing it).
  bool owns(const tatm* atom) const;
  bool owns(const tlink* bond) const;

  /// Removes a bond from this structure and frees it when owned; its kind
  /// goes back to the free valence of both ends.
  virtual void removebond(tbond* bond);
  /// Removes an atom with its bonds and frees it when owned.
  virtual void removeatom(tatm* atom);

  /// Bonds of atom in this structure's bond list, in list order.
  const std::vector<tbond*>& bondsof(const tatm* atom) const override;
  /// 0-based position of atom in `atoms`, or -1.
  int positionof(const tatm* atom) const override;
  /// A structure has no fonts of its own: its atoms use the default one
  /// until a drawing holds them.
  int fontindexof(const fontrecord& font) override;
  fontrecord getfontrecord(int index) const override;
  void setfontrecord(int index, const fontrecord& font) override;
  const tgeometrysettings& geometry() const override {
    return TFragment::geometry();
  }
  /// 0-based position of bond in `bonds`, or -1.
  int bondposition(const tlink* bond) const;

  /// Axis 1 reflects y, 2 reflects x, through the rounded centroid; the
  /// ends of every bond are swapped so that wedges keep their sense.
  virtual void mirror(int axis);
  /// Refreshes the bonds of kinds 3 to 6 from their atoms, as painting does.
  void refreshmultiplebonds();
  /// An empty structure of the same class (used when copying documents).
  virtual std::unique_ptr<tStructure> newempty() const;
  /// Copies the fragment and structure fields that are not lists.
  virtual void copyfields(const tStructure& other);

  /// The six single-byte fields a document stores in a structure's record
  /// (bytes 3 to 6, 47 and 48 of its head), and the 32-bit word at 15.
  using trecordbytes = std::array<std::uint8_t, 6>;
  virtual trecordbytes recordbytes() const;
  virtual void setrecordbytes(const trecordbytes& bytes);
  virtual std::uint32_t recordword() const { return 0; }
  virtual void setrecordword(std::uint32_t) {}

  /// Hands every owned atom and bond to target, which becomes their owner.
  void transferownership(tStructure& target);

 protected:
  /// Frees an owned object, or does nothing.
  void release(const tatm* atom);
  void release(const tlink* bond);

 private:
  // Each index is built on first use, so that a question about positions
  // never pays for the neighbour index.
  void refreshbondindex() const;
  void refreshbondpositions() const;
  void refreshatomindex() const;

  std::unordered_map<const tatm*, std::unique_ptr<tatm>> ownedatoms_;
  std::unordered_map<const tlink*, std::unique_ptr<tbond>> ownedbonds_;

  // Neighbour index: atom -> its bonds, and atom/bond -> list position.
  // Rebuilt when the lists were changed other than by appending.
  mutable std::unordered_map<const tatm*, std::vector<tbond*>> bondindex_;
  mutable std::unordered_map<const tatm*, int> atomindex_;
  mutable std::unordered_map<const tlink*, int> bondpositions_;
  mutable std::uint64_t indexedbondreorders_ = ~0ULL;
  mutable std::uint64_t indexedatomreorders_ = ~0ULL;
  mutable int indexedbonds_ = 0;
  mutable int indexedatoms_ = 0;
  mutable std::uint64_t positionedbondreorders_ = ~0ULL;
  mutable int positionedbonds_ = 0;
};

/// A chain; its bond angle in degrees (0 is read as 120).
class tChain : public tStructure {
 public:
  double bondangle = 0.0;
  std::unique_ptr<tStructure> newempty() const override;
  void copyfields(const tStructure& other) override;
};

class tRing : public tStructure {
 public:
  std::unique_ptr<tStructure> newempty() const override;
};

/// A benzene ring: six atoms, plain ring style.
class tBenzene : public tRing {
 public:
  tBenzene() { ringsize = 6; }
  std::unique_ptr<tStructure> newempty() const override;
};

}  // namespace molvane
