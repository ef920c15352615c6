// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/molecule_commands.h"

#include "chemistry/build_geometry.h"
#include "commands/command_codes.h"
#include "commands/command_table.h"
#include "document/drawing.h"
#include "model/bond.h"

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <utility>

namespace molvane {

namespace {

using detail::planedirection;
using detail::plus;
using detail::pointof;
using detail::times;

constexpr std::array<thydriderow, 30> hydrides = {{
    {620, "CH4", 6, 0, 0},
    {621, "CH3-", 6, -1, -1},
    {622, "NH3", 7, 0, 0},
    {623, "NH4+", 7, 1, 1},
    {624, "NH2-", 7, -1, -1},
    {625, "H2O", 8, 0, 0},
    {626, "H3O+", 8, 1, 1},
    {627, "OH-", 8, -1, -1},
    {628, "H2S", 16, 0, 0},
    {629, "PH3", 15, 0, 0},
    {630, "H2", 1, 0, 0},
    {631, "HF", 9, 0, 0},
    {632, "HCl", 17, 0, 0},
    {633, "HBr", 35, 0, 0},
    {634, "HI", 53, 0, 0},
    {635, "BH3", 5, 0, 0},
    {636, "BH4-", 5, -1, 1},
    {637, "SiH4", 14, 0, 0},
    {638, "H2Se", 34, 0, 0},
    {639, "H2Te", 52, 0, 0},
    {646, "LiH", 3, 0, 0},
    {647, "NaH", 11, 0, 0},
    {648, "KH", 19, 0, 0},
    {649, "RbH", 37, 0, 0},
    {650, "CsH", 55, 0, 0},
    {651, "BeH2", 4, 0, 0},
    {652, "MgH2", 12, 0, 0},
    {653, "CaH2", 20, 0, 0},
    {654, "SrH2", 38, 0, 0},
    // The menu calls this item "RaH2", but it has always built element 56:
    // barium, whose label shows its two hydrogens. Radium takes no hydrogen
    // label, so the caption's element would give a bare atom.
    {655, "RaH2", 56, 0, 0},
}};

constexpr std::array<tmoleculerow, 30> molecules = {{
    {methanecommand, "CH4"},          {watercommand, "H2O"},
    {ammoniacommand, "NH3"},          {hydrogensulfidecommand, "H2S"},
    {phosphinecommand, "PH3"},        {silanecommand, "SiH4"},
    {dihydrogencommand, "H2"},        {hydrogenfluoridecommand, "HF"},
    {hydrogenchloridecommand, "HCl"}, {hydrogenbromidecommand, "HBr"},
    {hydrogeniodidecommand, "HI"},    {hydrogencyanidecommand, "HCN"},
    {dioxygencommand, "O2"},          {dinitrogencommand, "N2"},
    {difluorinecommand, "F2"},        {dichlorinecommand, "Cl2"},
    {dibrominecommand, "Br2"},        {diiodinecommand, "I2"},
    {carbondioxidecommand, "CO2"},    {sulfurdioxidecommand, "SO2"},
    {silicondioxidecommand, "SiO2"},  {carbonmonoxidecommand, "CO"},
    {nitricoxidecommand, "NO"},       {nitrogendioxidecommand, "NO2"},
    {boranecommand, "BH3"},           {methanideioncommand, "CH3-"},
    {ammoniumioncommand, "NH4+"},     {amideioncommand, "NH2-"},
    {hydroniumioncommand, "H3O+"},    {hydroxideioncommand, "OH-"},
}};

double bondlength(const tcommandcontext& context) {
  return context.settings.bondlength;
}

/// A molecule built around the origin, placed at the click at the end.
class tmoleculebuilder {
 public:
  explicit tmoleculebuilder(tcommandcontext& context)
      : context_(context), structure_(std::make_unique<tStructure>()) {
    structure_->setgeometry(context_.settings);
  }

  tatm* atom(int element, int labelmode, const TXYZ& p = {}) {
    return structure_->addatom(
        std::make_unique<tatm>(element, labelmode, p.x, p.y, p.z));
  }
  tbond* bond(tatm* a, tatm* b, int kind) {
    // Multiple bonds of these small molecules end at end atoms: centred.
    const tbondstyle style =
        kind >= 4 ? tbondstyle::centred : tbondstyle::normal;
    return structure_->addbond(std::make_unique<tbond>(a, 0, style, kind, b));
  }
  /// An atom one bond length L from centre along direction, bonded to it;
  /// in 3D building the bond takes its ideal length.
  tatm* ligand(tatm* centre, int element, const TXYZ& direction, int kind = 2) {
    tatm* added =
        atom(element, symbollabel,
             plus(pointof(*centre), times(direction, bondlength(context_))));
    bond(centre, added, kind)->adjustlength(1);
    return added;
  }
  /// An atom at the ideal length of its bond to centre along direction.
  tatm* ideal(tatm* centre, int element, const TXYZ& direction, int kind) {
    const double length = ideallengthof(centre->element, element, kind);
    tatm* added = atom(element, symbollabel,
                       plus(pointof(*centre), times(direction, length)));
    bond(centre, added, kind);
    return added;
  }
  tStructure& structure() { return *structure_; }
  tStructure* place(double x, double y) {
    return context_.drawing.placestructure(std::move(structure_), x, y);
  }

 private:
  tcommandcontext& context_;
  std::unique_ptr<tStructure> structure_;
};

/// Charge and free valence of an ion's central atom move together, so
/// that the charge takes the place of a hydrogen or makes room for one.
void makeion(tatm* centre, int charge, int valence) {
  centre->changecharge(charge);
  if (valence != 0) {
    centre->sethadjust(valence);
  }
}

/// A tetrahedral hydride with three or four explicit hydrogens, laid out
/// as the 3D hydrogen completion places them around a bare atom: the first
/// along x, the others on a cone at the tetrahedral angle. The molecule is
/// then turned a quarter about x, which puts the lone pair (if any) towards
/// the viewer and keeps the hydrogens apart on the screen; left there, the
/// fourth hydrogen of a saturated centre would hide behind the centre, so
/// those are also turned 20 degrees about y.
tStructure* addtetrahedral(tcommandcontext& context, double x, double y,
                           int element, int labelmode, int hydrogens,
                           int charge) {
  tmoleculebuilder builder(context);
  tatm* centre = builder.atom(element, labelmode);
  const double tetrahedral = std::acos(-1.0 / 3.0);
  builder.ligand(centre, 1, {1.0, 0.0, 0.0});
  for (int j = 1; j < hydrogens; ++j) {
    const double phi = j * 2.0 * std::numbers::pi / 3.0;
    builder.ligand(
        centre, 1,
        {std::cos(tetrahedral), -std::sin(tetrahedral) * std::cos(phi),
         -std::sin(tetrahedral) * std::sin(phi)});
  }
  builder.structure().rotateaxis(1, 90.0, TXYZ{});
  if (hydrogens == 4) {
    builder.structure().rotateaxis(2, 20.0, TXYZ{});
  }
  for (tatm* atom : builder.structure().atoms) {
    atom->commit();
  }
  makeion(centre, charge, charge);
  return builder.place(x, y);
}

/// A bent hydride drawn flat, its hydrogens below the centre at the
/// molecule's bond angle.
tStructure* addbent(tcommandcontext& context, double x, double y, int element,
                    double angle, int charge) {
  tmoleculebuilder builder(context);
  tatm* centre = builder.atom(element, symbollabel);
  builder.ligand(centre, 1, planedirection(90.0 - angle / 2.0));
  builder.ligand(centre, 1, planedirection(90.0 + angle / 2.0));
  makeion(centre, charge, charge);
  return builder.place(x, y);
}

/// Two atoms centred on the click along x, the first on the left, at the
/// ideal length of their bond.
tStructure* adddiatomic(tcommandcontext& context, double x, double y, int left,
                        int right, int kind) {
  tmoleculebuilder builder(context);
  tatm* first = builder.atom(left, symbollabel);
  builder.ideal(first, right, {1.0, 0.0, 0.0}, kind);
  const TXYZ middle = builder.structure().atoms.centroid3();
  for (tatm* atom : builder.structure().atoms) {
    atom->setxyz(atom->x - middle.x, atom->y, atom->z);
  }
  return builder.place(x, y);
}

/// A centre with two equal double-bonded ends, straight (angle 180) or bent
/// with its ends below the centre.
tStructure* addtriatomic(tcommandcontext& context, double x, double y,
                         int centreelement, int end, int kind, double angle) {
  tmoleculebuilder builder(context);
  tatm* centre = builder.atom(centreelement, symbollabel);
  builder.ideal(centre, end, planedirection(90.0 - angle / 2.0), kind);
  builder.ideal(centre, end, planedirection(90.0 + angle / 2.0), kind);
  return builder.place(x, y);
}

}  // namespace

std::span<const thydriderow> hydriderows() { return hydrides; }

std::span<const tmoleculerow> moleculerows() { return molecules; }

tStructure* addsingleatom(tcommandcontext& context, double x, double y,
                          int element) {
  tmoleculebuilder builder(context);
  builder.atom(element, hydrogenlabel);
  return builder.place(x, y);
}

tStructure* addhydride(tcommandcontext& context, double x, double y, int code) {
  for (const thydriderow& row : hydrides) {
    if (row.code == code) {
      tmoleculebuilder builder(context);
      makeion(builder.atom(row.element, hydrogenlabel), row.charge,
              row.valence);
      return builder.place(x, y);
    }
  }
  return nullptr;
}

tStructure* addmolecule(tcommandcontext& context, double x, double y,
                        int code) {
  switch (code) {
    case methanecommand:
      return addtetrahedral(context, x, y, 6, nolabel, 4, 0);
    case silanecommand:
      return addtetrahedral(context, x, y, 14, symbollabel, 4, 0);
    case ammoniumioncommand:
      return addtetrahedral(context, x, y, 7, symbollabel, 4, 1);
    case ammoniacommand:
      return addtetrahedral(context, x, y, 7, symbollabel, 3, 0);
    case phosphinecommand:
      return addtetrahedral(context, x, y, 15, symbollabel, 3, 0);
    case methanideioncommand:
      // The carbanion is pyramidal like ammonia, its lone pair in place of
      // the fourth hydrogen.
      return addtetrahedral(context, x, y, 6, symbollabel, 3, -1);
    case hydroniumioncommand:
      return addtetrahedral(context, x, y, 8, symbollabel, 3, 1);
    case watercommand:
      // Water's H-O-H angle is 104.5 degrees, hydrogen sulphide's 92.1; the
      // amide ion, with two lone pairs like water, about 104.
      return addbent(context, x, y, 8, 104.5, 0);
    case hydrogensulfidecommand:
      return addbent(context, x, y, 16, 92.1, 0);
    case amideioncommand:
      return addbent(context, x, y, 7, 104.0, -1);
    case boranecommand: {
      // Borane has an empty p orbital and is flat: three hydrogens at 120
      // degrees around boron.
      tmoleculebuilder builder(context);
      tatm* boron = builder.atom(5, symbollabel);
      for (double angle : {90.0, 210.0, 330.0}) {
        builder.ligand(boron, 1, planedirection(angle));
      }
      return builder.place(x, y);
    }
    case hydroxideioncommand: {
      tStructure* ion = adddiatomic(context, x, y, 8, 1, 2);
      makeion(ion->atoms.items(0), -1, -1);
      return ion;
    }
    case dihydrogencommand:
      return adddiatomic(context, x, y, 1, 1, 2);
    case hydrogenfluoridecommand:
      return adddiatomic(context, x, y, 9, 1, 2);
    case hydrogenchloridecommand:
      return adddiatomic(context, x, y, 17, 1, 2);
    case hydrogenbromidecommand:
      return adddiatomic(context, x, y, 35, 1, 2);
    case hydrogeniodidecommand:
      return adddiatomic(context, x, y, 53, 1, 2);
    case dinitrogencommand:
      return adddiatomic(context, x, y, 7, 7, 6);
    case dioxygencommand:
      return adddiatomic(context, x, y, 8, 8, 4);
    case difluorinecommand:
      return adddiatomic(context, x, y, 9, 9, 2);
    case dichlorinecommand:
      return adddiatomic(context, x, y, 17, 17, 2);
    case dibrominecommand:
      return adddiatomic(context, x, y, 35, 35, 2);
    case diiodinecommand:
      return adddiatomic(context, x, y, 53, 53, 2);
    case carbonmonoxidecommand: {
      // C#O leaves carbon one free valence, which would read as a
      // hydrogen; the carbon's lone pair takes it.
      tStructure* molecule = adddiatomic(context, x, y, 8, 6, 6);
      molecule->atoms.items(1)->sethadjust(-1);
      return molecule;
    }
    case nitricoxidecommand:
      // Nitric oxide's bond order is two and a half; the odd electron then
      // leaves neither atom a free valence for a hydrogen.
      return adddiatomic(context, x, y, 7, 8, 5);
    case carbondioxidecommand:
      return addtriatomic(context, x, y, 6, 8, 4, 180.0);
    case silicondioxidecommand:
      // The molecule of silica vapour, straight like carbon dioxide.
      return addtriatomic(context, x, y, 14, 8, 4, 180.0);
    case sulfurdioxidecommand:
      // Bent at 119 degrees, two S=O bonds.
      return addtriatomic(context, x, y, 16, 8, 4, 119.0);
    case nitrogendioxidecommand:
      // Bent at 134 degrees; the odd electron spreads over both N-O bonds,
      // each one and a half, which leaves no free valence for a hydrogen.
      return addtriatomic(context, x, y, 7, 8, 3, 134.0);
    case hydrogencyanidecommand: {
      // H-C#N in a straight line, carbon at the click.
      tmoleculebuilder builder(context);
      tatm* carbon = builder.atom(6, symbollabel);
      builder.ideal(carbon, 1, {-1.0, 0.0, 0.0}, 2);
      builder.ideal(carbon, 7, {1.0, 0.0, 0.0}, 6);
      return builder.place(x, y);
    }
    default:
      return nullptr;
  }
}

}  // namespace molvane
