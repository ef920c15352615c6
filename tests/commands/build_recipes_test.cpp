// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/dispatcher.h"
#include "commands/group_commands.h"
#include "commands/molecule_commands.h"
#include "model/bond.h"
#include "model/formula.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace molvane {
namespace {

using BuildRecipesTest = testing::tdrawingtest;

enum class tstart { empty, methane, ethane };

/// One command run at (130, 110) on a small drawing, and the molecule it
/// should leave: Hill formula with implicit hydrogens, net charge, and how
/// many double and triple bonds.
struct trecipe {
  int code;
  tstart start;
  const char* hill;
  int charge = 0;
  int doubles = 0;
  int triples = 0;
};

// Branch rows start from one carbon, a methyl once the branch is on: "COOH"
// on it is acetic acid.
const trecipe recipes[] = {
    // Branch: single atoms.
    {511, tstart::methane, "C2H6"},
    {522, tstart::methane, "CH4"},
    {543, tstart::methane, "CH4O"},
    {546, tstart::methane, "CH3F"},
    {549, tstart::methane, "CH4S"},
    {904, tstart::methane, "CH4"},
    {641, tstart::methane, "CH4O"},
    {644, tstart::methane, "CH3"},
    {545, tstart::methane, "CH2O", 0, 1},
    // Branch and Branch/Group: groups.
    {535, tstart::methane, "C2H6O"},
    {529, tstart::methane, "C2H4O", 0, 1},
    {562, tstart::methane, "C3H4", 0, 0, 1},
    {527, tstart::methane, "C2H4O2", 0, 1},
    {566, tstart::methane, "C4H6", 0, 2},
    {525, tstart::methane, "CH3NO2", 0, 2},
    {558, tstart::methane, "CH5O4P", 0, 1},
    {536, tstart::methane, "CH4O3S", 0, 2},
    {526, tstart::methane, "CH2NO", 0, 2},
    {533, tstart::methane, "C2H3N", 0, 0, 1},
    // Chain/Branch.
    {512, tstart::methane, "C3H8"},
    {619, tstart::methane, "C3H8"},
    // Chain/Add.
    {501, tstart::empty, "C2H6"},
    {680, tstart::empty, "C2H4", 0, 1},
    {681, tstart::empty, "C2H2", 0, 0, 1},
    {689, tstart::empty, "C3H4", 0, 2},
    // Ring and Benzene.
    {151, tstart::empty, "C3H6"},
    {159, tstart::empty, "C6H12"},
    {161, tstart::empty, "C6H12"},
    {201, tstart::ethane, "C3H6"},
    {303, tstart::methane, "C6H12"},
    {404, tstart::methane, "C6H12"},
    {701, tstart::empty, "C6H6", 0, 3},
    {702, tstart::ethane, "C6H6", 0, 3},
    {704, tstart::methane, "C7H8", 0, 3},
    // Atom/Add Molecule.
    {571, tstart::empty, "CH4"},
    {576, tstart::empty, "H2"},
    {580, tstart::empty, "N2", 0, 0, 1},
    {582, tstart::empty, "CO2", 0, 2},
    {585, tstart::empty, "NO2"},
    {589, tstart::empty, "CO", 0, 0, 1},
    {590, tstart::empty, "NO"},
    {591, tstart::empty, "CHN", 0, 0, 1},
    {661, tstart::empty, "CH3", -1},
    {663, tstart::empty, "H4N", 1},
    // Atom/Add AHn: one atom, its hydrogens implicit.
    {620, tstart::empty, "CH4"},
    {621, tstart::empty, "CH3", -1},
    {623, tstart::empty, "H4N", 1},
    {636, tstart::empty, "BH4", -1},
    {646, tstart::empty, "HLi"},
    {651, tstart::empty, "BeH2"},
};

struct tsnapshot {
  std::vector<std::vector<double>> atoms;
  std::vector<std::vector<int>> bonds;
  int structures = 0;

  bool operator==(const tsnapshot&) const = default;
};

tsnapshot snapshotof(const tdrawing& drawing) {
  tsnapshot s;
  for (const tatm* atom : drawing.atoms) {
    s.atoms.push_back({atom->x, atom->y, atom->z,
                       static_cast<double>(atom->element),
                       static_cast<double>(atom->valence2)});
  }
  for (const tbond* bond : drawing.bonds) {
    s.bonds.push_back({bond->order, bond->style,
                       drawing.positionof(bond->atom1),
                       drawing.positionof(bond->atom2)});
  }
  s.structures = drawing.structures.count();
  return s;
}

void prepare(tstart start) {
  session().newdrawing();
  tdrawing& drawing = *session().drawing();
  if (start != tstart::empty) {
    tatm* first = drawing.addatom(std::make_unique<tatm>(6, nolabel, 100, 100));
    if (start == tstart::ethane) {
      tatm* second =
          drawing.addatom(std::make_unique<tatm>(6, nolabel, 130, 100));
      drawing.addbond(
          std::make_unique<tbond>(first, 0, normalstyle, 2, second));
    }
  }
}

TEST_F(BuildRecipesTest, EveryRecipeBuildsItsMoleculeAndUndoesExactly) {
  for (const trecipe& recipe : recipes) {
    SCOPED_TRACE(recipe.code);
    prepare(recipe.start);
    session().takeundosnapshot();
    const tsnapshot before = snapshotof(*session().drawing());
    tcommandstate state;
    tcommandresult result = runcommand(130, 110, recipe.code, state);
    EXPECT_TRUE(result.snapshot);
    const tdrawing& drawing = *session().drawing();
    EXPECT_EQ(hillformula(drawing), recipe.hill);
    EXPECT_EQ(drawing.totalcharge(), recipe.charge);
    int doubles = 0;
    int triples = 0;
    for (const tbond* bond : drawing.bonds) {
      doubles += bond->kind() == 4 ? 1 : 0;
      triples += bond->kind() == 6 ? 1 : 0;
      EXPECT_GT(bond->length(), 5.0);
    }
    EXPECT_EQ(doubles, recipe.doubles);
    EXPECT_EQ(triples, recipe.triples);
    // The picture stays readable: no atom covers another.
    for (const tatm* a : drawing.atoms) {
      for (const tatm* b : drawing.atoms) {
        if (a != b) {
          EXPECT_GT(std::hypot(a->x - b->x, a->y - b->y), 10.0)
              << a->symbol << " and " << b->symbol;
        }
      }
    }

    session().undo();
    EXPECT_TRUE(snapshotof(*session().drawing()) == before);
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

TEST_F(BuildRecipesTest, HydrogenMoleculeAtomShowsItsPartner) {
  tcommandstate state;
  runcommand(50, 50, 630, state);
  ASSERT_EQ(drawing().atoms.count(), 1);
  const tatm* hydrogen = drawing().atoms.items(0);
  EXPECT_EQ(hydrogen->element, 1);
  EXPECT_EQ(hydrogen->implicithydrogens(), 1);
  EXPECT_EQ(hydrogen->labelmode, hydrogenlabel);
}

TEST_F(BuildRecipesTest, AddedMoleculesSitOnTheClick) {
  for (int code : {571, 573, 582, 591, 576, 620, 663}) {
    SCOPED_TRACE(code);
    session().newdrawing();
    tcommandstate state;
    runcommand(70, 80, code, state);
    const tatm* first = drawing().atoms.items(0);
    if (code == 576) {
      // A diatomic is centred on the click.
      const TXYZ middle = drawing().atoms.centroid3();
      EXPECT_NEAR(middle.x, 70.0, 1e-9);
      EXPECT_NEAR(middle.y, 80.0, 1e-9);
    } else {
      EXPECT_NEAR(first->x, 70.0, 1e-9);
      EXPECT_NEAR(first->y, 80.0, 1e-9);
    }
  }
}

TEST_F(BuildRecipesTest, GroupsWriteHydrogensAwayFromTheirAnchor) {
  // A click to the left of the anchor builds the group leftwards.
  atom(6, 100, 100);
  tcommandstate state;
  runcommand(60, 100, 527, state);  // COOH
  bool found = false;
  for (const tatm* each : drawing().atoms) {
    if (each->element == 8 && each->implicithydrogens() == 1) {
      found = true;
      EXPECT_LT(each->x, 100.0);
      EXPECT_EQ(each->direction, -1);
    }
  }
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace molvane
