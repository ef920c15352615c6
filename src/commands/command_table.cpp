// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_table.h"

#include "commands/branch_commands.h"
#include "commands/chain_commands.h"
#include "commands/command_codes.h"
#include "commands/group_commands.h"
#include "commands/label_commands.h"
#include "commands/link_atoms.h"
#include "commands/molecule_commands.h"
#include "commands/ring_commands.h"
#include "document/drawing.h"
#include "document/symbol.h"
#include "model/element_data.h"

#include <algorithm>
#include <array>

namespace molvane {

namespace {

using tfamily = tcommandfamily;

// The handlers: each runs one building routine with what its row says.

tLAtm* runaddring(tcommandcontext& context, const tcommandrow& row,
                  tclickpoint at) {
  addring(context, at.x, at.y, row.parameter);
  return nullptr;
}

tLAtm* runboat(tcommandcontext& context, const tcommandrow&, tclickpoint at) {
  addconformer(context, at.x, at.y, false);
  return nullptr;
}

tLAtm* runchair(tcommandcontext& context, const tcommandrow&, tclickpoint at) {
  addconformer(context, at.x, at.y, true);
  return nullptr;
}

tLAtm* runfusering(tcommandcontext& context, const tcommandrow& row,
                   tclickpoint at) {
  fusering(context, at.x, at.y, row.parameter);
  return nullptr;
}

tLAtm* runbranchring(tcommandcontext& context, const tcommandrow& row,
                     tclickpoint at) {
  branchring(context, at.x, at.y, row.parameter);
  return nullptr;
}

tLAtm* runjoinring(tcommandcontext& context, const tcommandrow& row,
                   tclickpoint at) {
  joinring(context, at.x, at.y, row.parameter);
  return nullptr;
}

tLAtm* rundimethyl(tcommandcontext& context, const tcommandrow&,
                   tclickpoint at) {
  joindimethyl(context, at.x, at.y);
  return nullptr;
}

tLAtm* runaddchain(tcommandcontext& context, const tcommandrow& row,
                   tclickpoint at) {
  addchain(context, at.x, at.y, row.parameter);
  return nullptr;
}

tLAtm* runhydrocarbon(tcommandcontext& context, const tcommandrow& row,
                      tclickpoint at) {
  addhydrocarbon(context, at.x, at.y, row.code);
  return nullptr;
}

tLAtm* runbranchatom(tcommandcontext& context, const tcommandrow&,
                     tclickpoint at) {
  branchatom(context, at.x, at.y);
  return nullptr;
}

tLAtm* runbranchchain(tcommandcontext& context, const tcommandrow& row,
                      tclickpoint at) {
  branchchain(context, at.x, at.y, row.parameter);
  return nullptr;
}

tLAtm* runbranchalkyl(tcommandcontext& context, const tcommandrow& row,
                      tclickpoint at) {
  branchalkyl(context, at.x, at.y, row.code);
  return nullptr;
}

tLAtm* runbranchelement(tcommandcontext& context, const tcommandrow& row,
                        tclickpoint at) {
  branchelement(context, at.x, at.y, row.parameter);
  return nullptr;
}

tLAtm* rundeuterium(tcommandcontext& context, const tcommandrow&,
                    tclickpoint at) {
  branchdeuterium(context, at.x, at.y);
  return nullptr;
}

tLAtm* rundoublebonded(tcommandcontext& context, const tcommandrow& row,
                       tclickpoint at) {
  branchdoublebonded(context, at.x, at.y, row.parameter);
  return nullptr;
}

tLAtm* runalongaxis(tcommandcontext& context, const tcommandrow& row,
                    tclickpoint at) {
  branchalongaxis(context, at.x, at.y, row.parameter, false);
  return nullptr;
}

/// "q-Me": a methyl along the axis whose label is switched off.
tLAtm* runbarealongaxis(tcommandcontext& context, const tcommandrow& row,
                        tclickpoint at) {
  branchalongaxis(context, at.x, at.y, row.parameter, true);
  return nullptr;
}

tLAtm* runlinkatoms(tcommandcontext& context, const tcommandrow&,
                    tclickpoint at) {
  linkatoms(context, at.x, at.y);
  return nullptr;
}

tLAtm* rungroup(tcommandcontext& context, const tcommandrow& row,
                tclickpoint at) {
  branchgroup(context, at.x, at.y, row.code);
  return nullptr;
}

tLAtm* runmolecule(tcommandcontext& context, const tcommandrow& row,
                   tclickpoint at) {
  addmolecule(context, at.x, at.y, row.code);
  return nullptr;
}

tLAtm* runhydride(tcommandcontext& context, const tcommandrow& row,
                  tclickpoint at) {
  addhydride(context, at.x, at.y, row.code);
  return nullptr;
}

tLAtm* runaddbenzene(tcommandcontext& context, const tcommandrow&,
                     tclickpoint at) {
  addbenzene(context, at.x, at.y);
  return nullptr;
}

tLAtm* runfusebenzene(tcommandcontext& context, const tcommandrow&,
                      tclickpoint at) {
  fusebenzene(context, at.x, at.y);
  return nullptr;
}

tLAtm* runphenyl(tcommandcontext& context, const tcommandrow&, tclickpoint at) {
  branchphenyl(context, at.x, at.y);
  return nullptr;
}

tLAtm* runsymbol(tcommandcontext& context, const tcommandrow& row,
                 tclickpoint at) {
  placesymbol(context.drawing, row.code, at.x, at.y);
  return nullptr;
}

tLAtm* runlabel(tcommandcontext& context, const tcommandrow& row,
                tclickpoint at) {
  tLAtm* label = addlabel(context, at.x, at.y, row.code);
  return label != nullptr && editsnewlabel(row.code) ? label : nullptr;
}

// clang-format off
constexpr tcommandrow menurows[] = {
    {linkatomscommand, "&Link Atoms", tfamily::atom, 0, runlinkatoms},

    {571, "CH4", tfamily::molecules, 0, runmolecule},
    {573, "H2O", tfamily::molecules, 0, runmolecule},
    {572, "NH3", tfamily::molecules, 0, runmolecule},
    {574, "H2S", tfamily::molecules, 0, runmolecule},
    {586, "PH3", tfamily::molecules, 0, runmolecule},
    {587, "SiH4", tfamily::molecules, 0, runmolecule},
    {576, "H2", tfamily::molecules, 0, runmolecule},
    {594, "HF", tfamily::molecules, 0, runmolecule},
    {595, "HCl", tfamily::molecules, 0, runmolecule},
    {596, "HBr", tfamily::molecules, 0, runmolecule},
    {597, "HI", tfamily::molecules, 0, runmolecule},
    {591, "HCN", tfamily::molecules, 0, runmolecule},
    {581, "O2", tfamily::molecules, 0, runmolecule},
    {580, "N2", tfamily::molecules, 0, runmolecule},
    {583, "F2", tfamily::molecules, 0, runmolecule},
    {577, "Cl2", tfamily::molecules, 0, runmolecule},
    {578, "Br2", tfamily::molecules, 0, runmolecule},
    {579, "I2", tfamily::molecules, 0, runmolecule},
    {582, "CO2", tfamily::molecules, 0, runmolecule},
    {584, "SO2", tfamily::molecules, 0, runmolecule},
    {588, "SiO2", tfamily::molecules, 0, runmolecule},
    {589, "CO", tfamily::molecules, 0, runmolecule},
    {590, "NO", tfamily::molecules, 0, runmolecule},
    {585, "NO2", tfamily::molecules, 0, runmolecule},
    {575, "BH3", tfamily::molecules, 0, runmolecule},
    {661, "CH3-", tfamily::molecules, 0, runmolecule},
    {663, "NH4+", tfamily::molecules, 0, runmolecule},
    {664, "NH2-", tfamily::molecules, 0, runmolecule},
    {666, "H3O+", tfamily::molecules, 0, runmolecule},
    {667, "OH-", tfamily::molecules, 0, runmolecule},

    // The parameter is the hydride's Tag.
    {620, "CH4", tfamily::hydrides, 0, runhydride},
    {621, "CH3-", tfamily::hydrides, 1, runhydride},
    {622, "NH3", tfamily::hydrides, 2, runhydride},
    {623, "NH4+", tfamily::hydrides, 3, runhydride},
    {624, "NH2-", tfamily::hydrides, 4, runhydride},
    {625, "H2O", tfamily::hydrides, 5, runhydride},
    {626, "H3O+", tfamily::hydrides, 6, runhydride},
    {627, "OH-", tfamily::hydrides, 7, runhydride},
    {628, "H2S", tfamily::hydrides, 8, runhydride},
    {629, "PH3", tfamily::hydrides, 9, runhydride},
    {630, "H2", tfamily::hydrides, 10, runhydride},
    {631, "HF", tfamily::hydrides, 11, runhydride},
    {632, "HCl", tfamily::hydrides, 12, runhydride},
    {633, "HBr", tfamily::hydrides, 13, runhydride},
    {634, "HI", tfamily::hydrides, 14, runhydride},
    {635, "BH3", tfamily::hydrides, 15, runhydride},
    {636, "BH4-", tfamily::hydrides, 16, runhydride},
    {637, "SiH4", tfamily::hydrides, 17, runhydride},
    {638, "H2Se", tfamily::hydrides, 18, runhydride},
    {639, "H2Te", tfamily::hydrides, 19, runhydride},
    {646, "LiH", tfamily::hydrides, 20, runhydride},
    {647, "NaH", tfamily::hydrides, 21, runhydride},
    {648, "KH", tfamily::hydrides, 22, runhydride},
    {649, "RbH", tfamily::hydrides, 23, runhydride},
    {650, "CsH", tfamily::hydrides, 24, runhydride},
    {651, "BeH2", tfamily::hydrides, 25, runhydride},
    {652, "MgH2", tfamily::hydrides, 26, runhydride},
    {653, "CaH2", tfamily::hydrides, 27, runhydride},
    {654, "SrH2", tfamily::hydrides, 28, runhydride},
    {655, "RaH2", tfamily::hydrides, 29, runhydride},

    // Single atoms showing their hydrogens: the parameter is the element
    // (-1 the R group).
    {methylcommand, "Bond", tfamily::branch, 1, runbranchatom},
    {hydrogencommand, "H", tfamily::branch, 1, runbranchelement},
    {labelledmethylcommand, "CH3", tfamily::branch, 6, runbranchelement},
    {hydroxycommand, "OH", tfamily::branch, 8, runbranchelement},
    {aminocommand, "NH2", tfamily::branch, 7, runbranchelement},
    {fluorocommand, "F", tfamily::branch, 9, runbranchelement},
    {chlorocommand, "Cl", tfamily::branch, 17, runbranchelement},
    {bromocommand, "Br", tfamily::branch, 35, runbranchelement},
    {iodocommand, "I", tfamily::branch, 53, runbranchelement},
    {thiolcommand, "SH", tfamily::branch, 16, runbranchelement},
    {phosphinocommand, "PH2", tfamily::branch, 15, runbranchelement},
    {selenolcommand, "SeH", tfamily::branch, 34, runbranchelement},
    {silylcommand, "SiH3", tfamily::branch, 14, runbranchelement},
    {rgroupcommand, "R", tfamily::branch, -1, runbranchelement},
    {oxocommand, "=O", tfamily::branch, 8, rundoublebonded},
    {iminocommand, "=NH", tfamily::branch, 7, rundoublebonded},
    {methylenecommand, "=CH2", tfamily::branch, 6, rundoublebonded},
    {thioxocommand, "=S", tfamily::branch, 16, rundoublebonded},
    {nitrosyl2command, "=N=O", tfamily::branch, 0, rungroup},
    {cyanocommand, "CN", tfamily::branch, 0, rungroup},
    {carbonylcommand, "CO", tfamily::branch, 0, rungroup},
    {oximecommand, "=NOH", tfamily::branch, 0, rungroup},
    {axishydrogencommand, "q-H", tfamily::branch, 1, runalongaxis},
    {axishydroxycommand, "q-OH", tfamily::branch, 8, runalongaxis},
    {axismethylcommand, "q-CH3", tfamily::branch, 6, runalongaxis},
    {axisbarecommand, "q-Me", tfamily::branch, 6, runbarealongaxis},
    {axisaminocommand, "q-NH2", tfamily::branch, 7, runalongaxis},
    {axisrgroupcommand, "q-R", tfamily::branch, -1, runalongaxis},

    {hydroxymethylcommand, "CH2OH", tfamily::groups, 0, rungroup},
    {formylcommand, "CHO", tfamily::groups, 0, rungroup},
    {ethynylcommand, "C%CH", tfamily::groups, 0, rungroup},
    {acetylcommand, "COCH3", tfamily::groups, 0, rungroup},
    {carboxylcommand, "COOH", tfamily::groups, 0, rungroup},
    {vinylcommand, "CH=CH2", tfamily::groups, 0, rungroup},
    {allenylcommand, "CH=C=CH2", tfamily::groups, 0, rungroup},
    {carbamoylcommand, "CONH2", tfamily::groups, 0, rungroup},
    {nitrosocommand, "NO", tfamily::groups, 0, rungroup},
    {isocyanocommand, "NCH", tfamily::groups, 0, rungroup},
    {isocyanatocommand, "NCO", tfamily::groups, 0, rungroup},
    {nitrocommand, "NO2", tfamily::groups, 0, rungroup},
    {methylaminocommand, "NHCH3", tfamily::groups, 0, rungroup},
    {acetamidocommand, "NHCOCH3", tfamily::groups, 0, rungroup},
    {methoxycommand, "OCH3", tfamily::groups, 0, rungroup},
    {acetoxycommand, "OCOCH3", tfamily::groups, 0, rungroup},
    {carbamoyloxycommand, "OCONH2", tfamily::groups, 0, rungroup},
    {carboxyoxycommand, "OCOOH", tfamily::groups, 0, rungroup},
    {phosphinicoxycommand, "OPO2H2", tfamily::groups, 0, rungroup},
    {phosphonooxycommand, "OPO3H2", tfamily::groups, 0, rungroup},
    {sulfooxycommand, "OSO3H", tfamily::groups, 0, rungroup},
    {phosphonocommand, "PO3H2", tfamily::groups, 0, rungroup},
    {methylthiocommand, "SCH3", tfamily::groups, 0, rungroup},
    {acetylthiocommand, "SCOCH3", tfamily::groups, 0, rungroup},
    {sulfocommand, "SO3H", tfamily::groups, 0, rungroup},
    {sulfamoylcommand, "SO2NH2", tfamily::groups, 0, rungroup},
    {sulfonylcommand, "SO2", tfamily::groups, 0, rungroup},
    {mesylcommand, "SO2CH3", tfamily::groups, 0, rungroup},

    // The parameter of a straight chain is its carbons.
    {501, "&2-Ethane", tfamily::addchain, 2, runaddchain},
    {502, "&3-Propane", tfamily::addchain, 3, runaddchain},
    {503, "&4-Butane", tfamily::addchain, 4, runaddchain},
    {504, "&5-Pentane", tfamily::addchain, 5, runaddchain},
    {505, "&6-Hexane", tfamily::addchain, 6, runaddchain},
    {506, "&7-Heptane", tfamily::addchain, 7, runaddchain},
    {507, "&8-Octane", tfamily::addchain, 8, runaddchain},
    {508, "&9-Nonane", tfamily::addchain, 9, runaddchain},
    {509, "1&0-Decane", tfamily::addchain, 10, runaddchain},
    {isobutanecommand, "i-&Butane", tfamily::addchain, 0, runhydrocarbon},
    {isopentanecommand, "i-&Pentane", tfamily::addchain, 0, runhydrocarbon},
    {ethylenecommand, "Ethylene", tfamily::addchain, 0, runhydrocarbon},
    {ethynecommand, "Ethyne", tfamily::addchain, 0, runhydrocarbon},
    {propenecommand, "Propene", tfamily::addchain, 0, runhydrocarbon},
    {propynecommand, "Propyne", tfamily::addchain, 0, runhydrocarbon},
    {butene1command, "1-Butene", tfamily::addchain, 0, runhydrocarbon},
    {butene2command, "2-Butene", tfamily::addchain, 0, runhydrocarbon},
    {butyne1command, "1-Butyne", tfamily::addchain, 0, runhydrocarbon},
    {butyne2command, "2-Butyne", tfamily::addchain, 0, runhydrocarbon},
    {isobutenecommand, "i-Butene", tfamily::addchain, 0, runhydrocarbon},
    {allenecommand, "Allene", tfamily::addchain, 0, runhydrocarbon},

    {methylcommand, "&1-Methyl", tfamily::branchchain, 1, runbranchatom},
    {512, "&2-Ethyl", tfamily::branchchain, 2, runbranchchain},
    {513, "&3-Propyl", tfamily::branchchain, 3, runbranchchain},
    {514, "&4-Butyl", tfamily::branchchain, 4, runbranchchain},
    {515, "&5-Pentyl", tfamily::branchchain, 5, runbranchchain},
    {516, "&6-Hexyl", tfamily::branchchain, 6, runbranchchain},
    {517, "&7-Heptyl", tfamily::branchchain, 7, runbranchchain},
    {518, "&8-Octyl", tfamily::branchchain, 8, runbranchchain},
    {519, "&9-Nonyl", tfamily::branchchain, 9, runbranchchain},
    {decylcommand, "1&0-Decyl", tfamily::branchchain, 10, runbranchchain},
    {isopropylcommand, "i-&Propyl", tfamily::branchchain, 0, runbranchalkyl},
    {tertbutylcommand, "t-&Butyl", tfamily::branchchain, 0, runbranchalkyl},
    {isobutylcommand, "i-Butyl", tfamily::branchchain, 0, runbranchalkyl},
    {secbutylcommand, "2-Butyl", tfamily::branchchain, 0, runbranchalkyl},
    {dimethylcommand, "<Me2", tfamily::branchchain, 0, rundimethyl},

    // The parameter of a ring is its size.
    {151, "&3", tfamily::addring, 3, runaddring},
    {152, "&4", tfamily::addring, 4, runaddring},
    {153, "&5", tfamily::addring, 5, runaddring},
    {154, "&6", tfamily::addring, 6, runaddring},
    {155, "&7", tfamily::addring, 7, runaddring},
    {156, "&8", tfamily::addring, 8, runaddring},
    {157, "&9", tfamily::addring, 9, runaddring},
    {158, "1&0", tfamily::addring, 10, runaddring},
    {boatcommand, "6 &Boat", tfamily::addring, 6, runboat},
    {chaircommand, "6 &Chair", tfamily::addring, 6, runchair},
    {201, "&3", tfamily::fusering, 3, runfusering},
    {202, "&4", tfamily::fusering, 4, runfusering},
    {203, "&5", tfamily::fusering, 5, runfusering},
    {204, "&6", tfamily::fusering, 6, runfusering},
    {205, "&7", tfamily::fusering, 7, runfusering},
    {206, "&8", tfamily::fusering, 8, runfusering},
    {207, "&9", tfamily::fusering, 9, runfusering},
    {208, "1&0", tfamily::fusering, 10, runfusering},
    {301, "&3", tfamily::branchring, 3, runbranchring},
    {302, "&4", tfamily::branchring, 4, runbranchring},
    {303, "&5", tfamily::branchring, 5, runbranchring},
    {304, "&6", tfamily::branchring, 6, runbranchring},
    {305, "&7", tfamily::branchring, 7, runbranchring},
    {306, "&8", tfamily::branchring, 8, runbranchring},
    {307, "&9", tfamily::branchring, 9, runbranchring},
    {308, "1&0", tfamily::branchring, 10, runbranchring},
    {401, "&3", tfamily::joinring, 3, runjoinring},
    {402, "&4", tfamily::joinring, 4, runjoinring},
    {403, "&5", tfamily::joinring, 5, runjoinring},
    {404, "&6", tfamily::joinring, 6, runjoinring},
    {405, "&7", tfamily::joinring, 7, runjoinring},
    {406, "&8", tfamily::joinring, 8, runjoinring},
    {407, "&9", tfamily::joinring, 9, runjoinring},
    {408, "1&0", tfamily::joinring, 10, runjoinring},

    {addbenzenecommand, "&Add", tfamily::benzene, 6, runaddbenzene, "Benzene"},
    {fusebenzenecommand, "&Fuse", tfamily::benzene, 6, runfusebenzene, "Fuse Benzene"},
    {branchphenylcommand, "&Branch", tfamily::benzene, 6, runphenyl, "Phenyl"},

    {720, "SingleArrow", tfamily::symbols, 0, runsymbol, "Arrow"},
    {721, "DoubleArrow", tfamily::symbols, 0, runsymbol, "Double-headed arrow"},
    {722, "eqArrow1", tfamily::symbols, 0, runsymbol, "Equilibrium arrow"},
    {723, "EqArrow2", tfamily::symbols, 0, runsymbol, "Equilibrium arrow, short return"},
    {724, "ArcArrow1", tfamily::symbols, 0, runsymbol, "Curved arrow 1"},
    {725, "ArcArrow2", tfamily::symbols, 0, runsymbol, "Curved arrow 2"},
    {726, "ArcArrow3", tfamily::symbols, 0, runsymbol, "Curved arrow 3"},
    {727, "ArcArrow4", tfamily::symbols, 0, runsymbol, "Curved arrow 4"},
    {728, "AddArc", tfamily::symbols, 0, runsymbol, "Arc"},
    {729, "AddTriangle", tfamily::symbols, 0, runsymbol, "Triangle (heat)"},
    {textlabelcommand, "AddText", tfamily::symbols, 0, runlabel, "Text"},
    {formulalabelcommand, "AddFormula", tfamily::symbols, 0, runlabel, "Formula"},
    {pluslabelcommand, "AddPlus", tfamily::symbols, 0, runlabel, "Plus sign"},
    {temperaturelabelcommand, "AddTempK", tfamily::symbols, 0, runlabel, "Temperature"},
    {deltapluscommand, "DeltaPlus", tfamily::symbols, 0, runlabel, "Partial positive charge"},
    {deltaminuscommand, "DeltaMinus", tfamily::symbols, 0, runlabel, "Partial negative charge"},

    {hiddenmethylcommand, "CH3", tfamily::hidden, 6, runbranchelement},
    {deuteriumcommand, "D", tfamily::hidden, 1, rundeuterium},
    {curvedarrowsymbolcommand, "ArcArrow", tfamily::hidden, 0, runsymbol},
};
// clang-format on

/// The periodic table's codes: atomic number = code - elementbase.
constexpr int elementbase = 800;
constexpr int elementcount = lastelement;

constexpr auto table = [] {
  constexpr std::size_t menucount = std::size(menurows);
  std::array<tcommandrow, menucount + elementcount> rows{};
  std::copy(std::begin(menurows), std::end(menurows), rows.begin());
  for (int element = 1; element <= elementcount; ++element) {
    rows[menucount + static_cast<std::size_t>(element - 1)] = {
        elementbase + element,
        elementsymbols[static_cast<std::size_t>(element - firstelement)],
        tfamily::elements, element, nullptr};
  }
  return rows;
}();

}  // namespace

std::span<const tcommandrow> commandrows() { return table; }

std::span<const tcommandrow> commandrows(tcommandfamily family) {
  const auto first = std::find_if(
      table.begin(), table.end(),
      [family](const tcommandrow& row) { return row.family == family; });
  const auto last = std::find_if(
      first, table.end(),
      [family](const tcommandrow& row) { return row.family != family; });
  return {first, last};
}

const tcommandrow* findcommand(int code) {
  const auto found =
      std::find_if(table.begin(), table.end(),
                   [code](const tcommandrow& row) { return row.code == code; });
  return found != table.end() ? &*found : nullptr;
}

int familycode(tcommandfamily family, int parameter) {
  for (const tcommandrow& row : commandrows(family)) {
    if (row.parameter == parameter) {
      return row.code;
    }
  }
  return 0;
}

int elementcommand(int element) {
  return familycode(tcommandfamily::elements, element);
}

int elementofcommand(int code) {
  const tcommandrow* row = findcommand(code);
  return row != nullptr && row->family == tcommandfamily::elements
             ? row->parameter
             : 0;
}

}  // namespace molvane
