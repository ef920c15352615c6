// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/group_commands.h"

#include "commands/build_messages.h"
#include "commands/chain_commands.h"
#include "commands/click_anchor.h"
#include "commands/command_codes.h"
#include "commands/command_table.h"
#include "document/drawing.h"
#include "model/bond.h"
#include "model/bond_list.h"

#include <algorithm>
#include <array>
#include <memory>

namespace molvane {

namespace {

constexpr std::array<tgrouprow, 32> groups = {{
    {hydroxymethylcommand, "CH2OH"},  {formylcommand, "CHO"},
    {ethynylcommand, "C%CH"},         {acetylcommand, "COCH3"},
    {carboxylcommand, "COOH"},        {vinylcommand, "CH=CH2"},
    {allenylcommand, "CH=C=CH2"},     {carbamoylcommand, "CONH2"},
    {nitrosocommand, "NO"},           {isocyanocommand, "NCH"},
    {isocyanatocommand, "NCO"},       {nitrocommand, "NO2"},
    {methylaminocommand, "NHCH3"},    {acetamidocommand, "NHCOCH3"},
    {methoxycommand, "OCH3"},         {acetoxycommand, "OCOCH3"},
    {carbamoyloxycommand, "OCONH2"},  {carboxyoxycommand, "OCOOH"},
    {phosphinicoxycommand, "OPO2H2"}, {phosphonooxycommand, "OPO3H2"},
    {sulfooxycommand, "OSO3H"},       {phosphonocommand, "PO3H2"},
    {methylthiocommand, "SCH3"},      {acetylthiocommand, "SCOCH3"},
    {sulfocommand, "SO3H"},           {sulfamoylcommand, "SO2NH2"},
    {sulfonylcommand, "SO2"},         {mesylcommand, "SO2CH3"},
    {nitrosyl2command, "=N=O"},       {cyanocommand, "CN"},
    {carbonylcommand, "CO"},          {oximecommand, "=NOH"},
}};

void becomes(tatm* atom, int element) {
  atom->changeelement(element, hydrogenlabel);
}

void raise(tbond* bond, int kind) { bond->setkind(kind); }

bool hasatoms(const tskeleton& skeleton, std::size_t count) {
  return skeleton.atoms.size() >= count;
}

/// A chain of two carbons; its end atom continues straight on when
/// straightend, as an sp centre needs, making three.
tskeleton chainskeleton(tcommandcontext& context, tatm& anchor, double x,
                        double y, bool straightend) {
  tskeleton skeleton = branchchainfrom(context, anchor, x, y, 2);
  if (straightend && hasatoms(skeleton, 2)) {
    growstraight(context, skeleton, *skeleton.atoms[0], *skeleton.atoms[1]);
  }
  return skeleton;
}

/// One atom from the anchor, then a centre zigzagging on from it with a
/// fork (crossed when tertiary) on that centre: -X-C(C)(C) and -X-C(C)3.
tskeleton linkedcentre(tcommandcontext& context, tatm& anchor, double x,
                       double y, bool tertiary) {
  tskeleton skeleton = branchchainfrom(context, anchor, x, y, 1);
  if (skeleton.empty()) {
    return skeleton;
  }
  tatm* link = skeleton.atoms[0];
  const double side = clickside(anchor, *link, x, y);
  if (!growzigzag(context, skeleton, anchor, *link, side)) {
    return skeleton;
  }
  tatm* centre = skeleton.atoms[1];
  if (tertiary) {
    growcross(context, skeleton, *link, *centre);
  } else {
    growfork(context, skeleton, *link, *centre, -side);
  }
  return skeleton;
}

/// -X-C(=C)-C: a chain of three (the last atom continuing the zigzag) with
/// a fourth atom on the middle carbon pointing out of the zigzag.
tskeleton esterskeleton(tcommandcontext& context, tatm& anchor, double x,
                        double y) {
  tskeleton skeleton = branchchainfrom(context, anchor, x, y, 2);
  if (hasatoms(skeleton, 2)) {
    const double side = -clickside(anchor, *skeleton.atoms[0], x, y);
    growfork(context, skeleton, *skeleton.atoms[0], *skeleton.atoms[1], side);
  }
  return skeleton;
}

/// Builds the skeleton of code and gives its atoms and bonds their
/// elements and kinds; an empty or short skeleton when the anchor refused.
tskeleton buildgroup(tcommandcontext& context, tatm& anchor, double x, double y,
                     int code) {
  tskeleton s;
  switch (code) {
    case hydroxymethylcommand:
    case methoxycommand:
    case methylaminocommand:
    case methylthiocommand:
    case formylcommand:
    case vinylcommand:
    case nitrosocommand:
    case oximecommand:
    case nitrosyl2command:
      s = chainskeleton(context, anchor, x, y, false);
      if (!hasatoms(s, 2)) {
        return s;
      }
      if (code == hydroxymethylcommand || code == formylcommand) {
        becomes(s.atoms[1], 8);
      } else if (code == methoxycommand) {
        becomes(s.atoms[0], 8);
      } else if (code == methylaminocommand) {
        becomes(s.atoms[0], 7);
      } else if (code == methylthiocommand) {
        becomes(s.atoms[0], 16);
      } else if (code != vinylcommand) {
        becomes(s.atoms[0], 7);
        becomes(s.atoms[1], 8);
      }
      if (code == oximecommand || code == nitrosyl2command) {
        raise(s.bonds[0], 4);
      }
      if (code == formylcommand || code == vinylcommand ||
          code == nitrosocommand || code == nitrosyl2command) {
        raise(s.bonds[1], 4);
      }
      return s;
    case allenylcommand:
    case isocyanatocommand:
      s = chainskeleton(context, anchor, x, y, true);
      if (!hasatoms(s, 3)) {
        return s;
      }
      if (code == isocyanatocommand) {
        becomes(s.atoms[0], 7);
        becomes(s.atoms[2], 8);
      }
      raise(s.bonds[1], 4);
      raise(s.bonds[2], 4);
      return s;
    case ethynylcommand:
    case cyanocommand:
    case carbonylcommand:
    case isocyanocommand:
      s = branchlinearfrom(context, anchor, x, y, 2);
      if (!hasatoms(s, 2)) {
        return s;
      }
      if (code == cyanocommand) {
        becomes(s.atoms[1], 7);
      } else if (code == carbonylcommand) {
        becomes(s.atoms[1], 8);
      } else if (code == isocyanocommand) {
        becomes(s.atoms[0], 7);
      }
      raise(s.bonds[1], 6);
      return s;
    case acetylcommand:
    case carboxylcommand:
    case carbamoylcommand:
    case nitrocommand:
    case sulfonylcommand:
      // Atoms: the centre, then the two forked ends.
      s = branchisopropylfrom(context, anchor, x, y);
      if (!hasatoms(s, 3)) {
        return s;
      }
      if (code == nitrocommand || code == sulfonylcommand) {
        becomes(s.atoms[0], code == nitrocommand ? 7 : 16);
        becomes(s.atoms[1], 8);
        raise(s.bonds[1], 4);
      } else if (code == carboxylcommand) {
        becomes(s.atoms[1], 8);
      } else if (code == carbamoylcommand) {
        becomes(s.atoms[1], 7);
      }
      becomes(s.atoms[2], 8);
      raise(s.bonds[2], 4);
      return s;
    case sulfocommand:
    case phosphonocommand:
    case sulfamoylcommand:
    case mesylcommand:
      // Atoms: the centre, the two crossed ends, the end straight on.
      s = branchtertbutylfrom(context, anchor, x, y);
      if (!hasatoms(s, 4)) {
        return s;
      }
      becomes(s.atoms[0], code == phosphonocommand ? 15 : 16);
      becomes(s.atoms[1], 8);
      becomes(s.atoms[2], 8);
      if (code == sulfamoylcommand) {
        becomes(s.atoms[3], 7);
      } else if (code != mesylcommand) {
        becomes(s.atoms[3], 8);
      }
      raise(s.bonds[1], 4);
      if (code != phosphonocommand) {
        raise(s.bonds[2], 4);
      }
      return s;
    case phosphonooxycommand:
    case sulfooxycommand:
    case phosphinicoxycommand: {
      const bool tertiary = code != phosphinicoxycommand;
      s = linkedcentre(context, anchor, x, y, tertiary);
      if (!hasatoms(s, tertiary ? 5U : 4U)) {
        return s;
      }
      becomes(s.atoms[0], 8);
      becomes(s.atoms[1], code == sulfooxycommand ? 16 : 15);
      for (std::size_t i = 2; i < s.atoms.size(); ++i) {
        becomes(s.atoms[i], 8);
      }
      if (tertiary) {
        raise(s.bonds[2], 4);
      }
      if (code == sulfooxycommand) {
        raise(s.bonds[3], 4);
      }
      return s;
    }
    case acetoxycommand:
    case carboxyoxycommand:
    case carbamoyloxycommand:
    case acetylthiocommand:
    case acetamidocommand:
      // Atoms: the link, the carbonyl carbon, the chain end, the carbonyl
      // oxygen.
      s = esterskeleton(context, anchor, x, y);
      if (!hasatoms(s, 4)) {
        return s;
      }
      if (code == acetylthiocommand) {
        becomes(s.atoms[0], 16);
      } else if (code == acetamidocommand) {
        becomes(s.atoms[0], 7);
      } else {
        becomes(s.atoms[0], 8);
      }
      if (code == carboxyoxycommand) {
        becomes(s.atoms[2], 8);
      } else if (code == carbamoyloxycommand) {
        becomes(s.atoms[2], 7);
      }
      becomes(s.atoms[3], 8);
      raise(s.bonds[3], 4);
      return s;
    default:
      return s;
  }
}

/// Double bonds to an end atom get centred lines; the others a side.
void styledoublebonds(const tskeleton& skeleton) {
  for (tbond* bond : skeleton.bonds) {
    if (bond->kind() != 4) {
      continue;
    }
    if (bond->atom1->findneighbours() == 1 ||
        bond->atom2->findneighbours() == 1) {
      bond->setkindstyle(4, tbondstyle::centred);
      bond->side = 1;
    } else {
      bond->choosesides();
    }
  }
}

/// Hetero atoms whose label shows hydrogens write them away from the atom
/// they hang from.
void orientlabels(const tskeleton& skeleton) {
  for (std::size_t i = 0; i < skeleton.atoms.size(); ++i) {
    tatm* atom = skeleton.atoms[i];
    if (atom->element != 6 && atom->labelmode == hydrogenlabel &&
        atom->implicithydrogens() > 0) {
      atom->direction = atom->x < skeleton.parents[i]->x ? -1 : 1;
    }
  }
}

}  // namespace

std::span<const tgrouprow> grouprows() { return groups; }

tStructure* branchgroup(tcommandcontext& context, double x, double y,
                        int code) {
  if (std::none_of(groups.begin(), groups.end(),
                   [code](const tgrouprow& row) { return row.code == code; })) {
    return nullptr;
  }
  tatm* anchor = clickanchor(context, x, y, noatomsmessage);
  if (anchor == nullptr) {
    return nullptr;
  }
  tskeleton skeleton = buildgroup(context, *anchor, x, y, code);
  if (skeleton.empty()) {
    return nullptr;
  }
  styledoublebonds(skeleton);
  orientlabels(skeleton);
  tbonds bonds;
  for (tbond* bond : skeleton.bonds) {
    bonds.add(bond);
  }
  // In 3D building the end atoms move to their ideal bond lengths.
  bonds.adjustterminal();
  return collectskeleton(context, skeleton, std::make_unique<tStructure>());
}

}  // namespace molvane
