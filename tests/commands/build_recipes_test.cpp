// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/command_names.h"
#include "commands/command_table.h"
#include "commands/dispatcher.h"
#include "commands/group_commands.h"
#include "commands/molecule_commands.h"
#include "model/bond.h"
#include "model/formula.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace molvane {
namespace {

using BuildRecipesTest = testing::tdrawingtest;

/// One command run at (130, 110) on a drawing of none, one or two bonded
/// carbons, and the molecule it should leave: Hill formula with implicit
/// hydrogens, net charge, and how many double and triple bonds. Rows from
/// none: Chain/Add, Ring, Benzene, Atom/Add Molecule and Atom/Add AHn; from
/// one: Branch, Chain/Branch, Branch and Join Ring, Phenyl (a branch is on a
/// methyl: "COOH" on it is acetic acid); from two: Fuse Ring, Fuse Benzene.
struct trecipe {
  int carbons, code;
  const char* hill;
  int charge = 0;
  int doubles = 0;
  int triples = 0;
};
const trecipe recipes[] = {{0, 501, "C2H6"},         {0, 681, "C2H2", 0, 0, 1},
                           {0, 151, "C3H6"},         {0, 159, "C6H12"},
                           {0, 701, "C6H6", 0, 3},   {0, 576, "H2"},
                           {0, 582, "CO2", 0, 2},    {0, 589, "CO", 0, 0, 1},
                           {0, 661, "CH3", -1},      {0, 663, "H4N", 1},
                           {0, 651, "BeH2"},         {1, 511, "C2H6"},
                           {1, 522, "CH4"},          {1, 543, "CH4O"},
                           {1, 904, "CH4"},          {1, 644, "CH3"},
                           {1, 545, "CH2O", 0, 1},   {1, 562, "C3H4", 0, 0, 1},
                           {1, 527, "C2H4O2", 0, 1}, {1, 525, "CH3NO2", 0, 2},
                           {1, 558, "CH5O4P", 0, 1}, {1, 512, "C3H8"},
                           {1, 303, "C6H12"},        {1, 404, "C6H12"},
                           {1, 704, "C7H8", 0, 3},   {2, 201, "C3H6"},
                           {2, 702, "C6H6", 0, 3}};

/// Coordinates, elements and valences of the atoms, bonds by their atoms'
/// positions, and the number of structures.
std::vector<double> snapshotof(const tdrawing& drawing) {
  std::vector<double> s;
  for (const tatm* atom : drawing.atoms) {
    s.insert(s.end(), {atom->x, atom->y, atom->z, 1.0 * atom->element,
                       1.0 * atom->valence2});
  }
  for (const tbond* bond : drawing.bonds) {
    s.insert(s.end(), {1.0 * bond->order, 1.0 * bondstylenumber(bond->style),
                       1.0 * drawing.positionof(bond->atom1),
                       1.0 * drawing.positionof(bond->atom2)});
  }
  s.push_back(drawing.structures.count());
  return s;
}

TEST_F(BuildRecipesTest, EveryRecipeBuildsItsMoleculeAndUndoesExactly) {
  for (const trecipe& recipe : recipes) {
    SCOPED_TRACE(recipe.code);
    session().newdrawing();
    if (recipe.carbons > 0) {
      tatm* first = atom(6, 100, 100);
      if (recipe.carbons == 2) {
        bond(first, atom(6, 130, 100));
      }
    }
    session().takeundosnapshot();
    const std::vector<double> before = snapshotof(drawing());
    tcommandstate state;
    EXPECT_TRUE(runcommand(130, 110, recipe.code, state).snapshot);
    EXPECT_EQ(hillformula(drawing()), recipe.hill);
    EXPECT_EQ(drawing().totalcharge(), recipe.charge);
    int doubles = 0, triples = 0;
    for (const tbond* bond : drawing().bonds) {
      doubles += bond->kind() == 4 ? 1 : 0;
      triples += bond->kind() == 6 ? 1 : 0;
    }
    EXPECT_EQ(doubles, recipe.doubles);
    EXPECT_EQ(triples, recipe.triples);
    // The picture stays readable: no atom covers another.
    for (const tatm* a : drawing().atoms) {
      for (const tatm* b : drawing().atoms) {
        if (a != b) {
          EXPECT_GT(std::hypot(a->x - b->x, a->y - b->y), 10.0)
              << a->symbol << " and " << b->symbol;
        }
      }
    }
    session().undo();
    EXPECT_EQ(snapshotof(drawing()), before);
  }
}

TEST_F(BuildRecipesTest, NoCodeIsInTwoTables) {
  std::set<int> codes;
  for (const tgrouprow& row : grouprows()) {
    EXPECT_TRUE(codes.insert(row.code).second) << row.code;
  }
  for (const tmoleculerow& row : moleculerows()) {
    EXPECT_TRUE(codes.insert(row.code).second) << row.code;
  }
  for (const thydriderow& row : hydriderows()) {
    EXPECT_TRUE(codes.insert(row.code).second) << row.code;
  }
}

TEST_F(BuildRecipesTest, AddedMoleculesSitOnTheClick) {
  // A molecule and a hydride start on the click; a diatomic is centred on it;
  // the atom of a hydrogen molecule shows its partner.
  for (int code : {571, 620, 576, 630}) {
    SCOPED_TRACE(code);
    session().newdrawing();
    tcommandstate state;
    runcommand(70, 80, code, state);
    const tatm* first = drawing().atoms.items(0);
    const TXYZ at = code == 576 ? drawing().atoms.centroid3()
                                : TXYZ{first->x, first->y, first->z};
    EXPECT_NEAR(at.x, 70.0, 1e-9);
    EXPECT_NEAR(at.y, 80.0, 1e-9);
  }
  EXPECT_EQ(drawing().atoms.items(0)->implicithydrogens(), 1);
}

TEST_F(BuildRecipesTest, GroupsWriteHydrogensAwayFromTheirAnchor) {
  // A click to the left of the anchor builds the group leftwards.
  atom(6, 100, 100);
  tcommandstate state;
  runcommand(60, 100, 527, state);  // COOH
  const auto found = std::ranges::find_if(drawing().atoms, [](const tatm* a) {
    return a->element == 8 && a->implicithydrogens() == 1;
  });
  ASSERT_NE(found, drawing().atoms.end());
  const tatm* hydroxyl = *found;
  EXPECT_LT(hydroxyl->x, 100.0);
  EXPECT_EQ(hydroxyl->direction, -1);
}

// The status bar said "Command: 6" for Ring/Add/"&6".
TEST(CommandNames, NameCommandsAsTheUserKnowsThem) {
  const std::pair<int, const char*> names[] = {{154, "Ring 6"},
                                               {159, "Ring 6 Boat"},
                                               {204, "Fuse Ring 6"},
                                               {585, "Add NO2"},
                                               {525, "NO2"},
                                               {620, "AHn CH4"},
                                               {509, "10-Decane"},
                                               {817, "Cl"},
                                               {0, ""},
                                               {499, ""},
                                               {1000, ""}};
  for (const auto& [code, name] : names) {
    EXPECT_EQ(commandname(code), name) << code;
  }
}

TEST(CommandNames, EveryItemHasANameOfItsOwn) {
  std::map<std::string, int> seen;
  for (int list = 0; list <= static_cast<int>(tcommandfamily::symbols);
       ++list) {
    for (const tcommandrow& item :
         commandrows(static_cast<tcommandfamily>(list))) {
      const std::string name = commandname(item.code);
      EXPECT_FALSE(name.empty()) << item.caption;
      EXPECT_EQ(name.find('&'), std::string::npos);
      // Branch/"Bond" and Chain/Branch/"&1-Methyl" share one code.
      const auto [found, added] = seen.emplace(name, item.code);
      EXPECT_EQ(found->second, item.code) << name;
    }
  }
}

}  // namespace
}  // namespace molvane
