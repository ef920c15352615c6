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
    {523, tstart::methane, "C2H6"},
    {499, tstart::methane, "C2H6"},
    {543, tstart::methane, "CH4O"},
    {544, tstart::methane, "CH5N"},
    {546, tstart::methane, "CH3F"},
    {547, tstart::methane, "CH3Cl"},
    {548, tstart::methane, "CH3Br"},
    {549, tstart::methane, "CH4S"},
    {550, tstart::methane, "CH5P"},
    {553, tstart::methane, "CH3I"},
    {569, tstart::methane, "CH4Se"},
    {570, tstart::methane, "CH6Si"},
    {645, tstart::methane, "CH3"},
    {904, tstart::methane, "CH4"},
    {640, tstart::methane, "CH4"},
    {641, tstart::methane, "CH4O"},
    {642, tstart::methane, "C2H6"},
    {657, tstart::methane, "CH5N"},
    {644, tstart::methane, "CH3"},
    {643, tstart::methane, "C2H6"},
    {545, tstart::methane, "CH2O", 0, 1},
    {552, tstart::methane, "CH3N", 0, 1},
    {551, tstart::methane, "C2H4", 0, 1},
    {555, tstart::methane, "CH2S", 0, 1},
    // Branch and Branch/Group: groups.
    {535, tstart::methane, "C2H6O"},
    {529, tstart::methane, "C2H4O", 0, 1},
    {562, tstart::methane, "C3H4", 0, 0, 1},
    {528, tstart::methane, "C3H6O", 0, 1},
    {527, tstart::methane, "C2H4O2", 0, 1},
    {539, tstart::methane, "C3H6", 0, 1},
    {566, tstart::methane, "C4H6", 0, 2},
    {532, tstart::methane, "C2H5NO", 0, 1},
    {530, tstart::methane, "CH3NO", 0, 1},
    {565, tstart::methane, "C2H4N", 0, 0, 1},
    {538, tstart::methane, "C2H3NO", 0, 2},
    {525, tstart::methane, "CH3NO2", 0, 2},
    {557, tstart::methane, "C2H7N"},
    {559, tstart::methane, "C3H7NO", 0, 1},
    {534, tstart::methane, "C2H6O"},
    {564, tstart::methane, "C3H6O2", 0, 1},
    {568, tstart::methane, "C2H5NO2", 0, 1},
    {567, tstart::methane, "C2H4O3", 0, 1},
    {563, tstart::methane, "CH5O3P"},
    {558, tstart::methane, "CH5O4P", 0, 1},
    {598, tstart::methane, "CH4O4S", 0, 2},
    {560, tstart::methane, "CH5O3P", 0, 1},
    {556, tstart::methane, "C2H6S"},
    {561, tstart::methane, "C3H6OS", 0, 1},
    {536, tstart::methane, "CH4O3S", 0, 2},
    {541, tstart::methane, "CH5NO2S", 0, 2},
    {537, tstart::methane, "CH3O2S", 0, 2},
    {554, tstart::methane, "C2H6O2S", 0, 2},
    {526, tstart::methane, "CH2NO", 0, 2},
    {533, tstart::methane, "C2H3N", 0, 0, 1},
    {540, tstart::methane, "C2H3O", 0, 0, 1},
    {542, tstart::methane, "CH3NO", 0, 1},
    // Chain/Branch.
    {512, tstart::methane, "C3H8"},
    {515, tstart::methane, "C6H14"},
    {519, tstart::methane, "C10H22"},
    {531, tstart::methane, "C11H24"},
    {520, tstart::methane, "C4H10"},
    {521, tstart::methane, "C5H12"},
    {599, tstart::methane, "C5H12"},
    {690, tstart::methane, "C5H12"},
    {619, tstart::methane, "C3H8"},
    // Chain/Add.
    {501, tstart::empty, "C2H6"},
    {505, tstart::empty, "C6H14"},
    {509, tstart::empty, "C10H22"},
    {510, tstart::empty, "C4H10"},
    {592, tstart::empty, "C5H12"},
    {680, tstart::empty, "C2H4", 0, 1},
    {681, tstart::empty, "C2H2", 0, 0, 1},
    {682, tstart::empty, "C3H6", 0, 1},
    {683, tstart::empty, "C3H4", 0, 0, 1},
    {684, tstart::empty, "C4H8", 0, 1},
    {685, tstart::empty, "C4H8", 0, 1},
    {686, tstart::empty, "C4H6", 0, 0, 1},
    {687, tstart::empty, "C4H6", 0, 0, 1},
    {688, tstart::empty, "C4H8", 0, 1},
    {689, tstart::empty, "C3H4", 0, 2},
    // Ring and Benzene.
    {151, tstart::empty, "C3H6"},
    {155, tstart::empty, "C7H14"},
    {158, tstart::empty, "C10H20"},
    {159, tstart::empty, "C6H12"},
    {161, tstart::empty, "C6H12"},
    {201, tstart::ethane, "C3H6"},
    {203, tstart::ethane, "C5H10"},
    {208, tstart::ethane, "C10H20"},
    {301, tstart::methane, "C4H8"},
    {303, tstart::methane, "C6H12"},
    {308, tstart::methane, "C11H22"},
    {401, tstart::methane, "C3H6"},
    {404, tstart::methane, "C6H12"},
    {408, tstart::methane, "C10H20"},
    {701, tstart::empty, "C6H6", 0, 3},
    {702, tstart::ethane, "C6H6", 0, 3},
    {704, tstart::methane, "C7H8", 0, 3},
    // Atom/Add Molecule.
    {571, tstart::empty, "CH4"},
    {572, tstart::empty, "H3N"},
    {573, tstart::empty, "H2O"},
    {574, tstart::empty, "H2S"},
    {575, tstart::empty, "BH3"},
    {576, tstart::empty, "H2"},
    {577, tstart::empty, "Cl2"},
    {578, tstart::empty, "Br2"},
    {579, tstart::empty, "I2"},
    {580, tstart::empty, "N2", 0, 0, 1},
    {581, tstart::empty, "O2", 0, 1},
    {582, tstart::empty, "CO2", 0, 2},
    {583, tstart::empty, "F2"},
    {584, tstart::empty, "O2S", 0, 2},
    {585, tstart::empty, "NO2"},
    {586, tstart::empty, "H3P"},
    {587, tstart::empty, "H4Si"},
    {588, tstart::empty, "O2Si", 0, 2},
    {589, tstart::empty, "CO", 0, 0, 1},
    {590, tstart::empty, "NO"},
    {591, tstart::empty, "CHN", 0, 0, 1},
    {594, tstart::empty, "FH"},
    {595, tstart::empty, "ClH"},
    {596, tstart::empty, "BrH"},
    {597, tstart::empty, "HI"},
    {661, tstart::empty, "CH3", -1},
    {663, tstart::empty, "H4N", 1},
    {664, tstart::empty, "H2N", -1},
    {666, tstart::empty, "H3O", 1},
    {667, tstart::empty, "HO", -1},
    // Atom/Add AHn: one atom, its hydrogens implicit.
    {620, tstart::empty, "CH4"},
    {621, tstart::empty, "CH3", -1},
    {622, tstart::empty, "H3N"},
    {623, tstart::empty, "H4N", 1},
    {624, tstart::empty, "H2N", -1},
    {625, tstart::empty, "H2O"},
    {626, tstart::empty, "H3O", 1},
    {627, tstart::empty, "HO", -1},
    {628, tstart::empty, "H2S"},
    {629, tstart::empty, "H3P"},
    {631, tstart::empty, "FH"},
    {632, tstart::empty, "ClH"},
    {633, tstart::empty, "BrH"},
    {634, tstart::empty, "HI"},
    {635, tstart::empty, "BH3"},
    {636, tstart::empty, "BH4", -1},
    {637, tstart::empty, "H4Si"},
    {638, tstart::empty, "H2Se"},
    {639, tstart::empty, "H2Te"},
    {646, tstart::empty, "HLi"},
    {647, tstart::empty, "HNa"},
    {648, tstart::empty, "HK"},
    {649, tstart::empty, "HRb"},
    {650, tstart::empty, "CsH"},
    {651, tstart::empty, "BeH2"},
    {652, tstart::empty, "H2Mg"},
    {653, tstart::empty, "CaH2"},
    {654, tstart::empty, "H2Sr"},
    {655, tstart::empty, "BaH2"},
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

TEST_F(BuildRecipesTest, TheTablesCoverEveryMenuCodeOnce) {
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
  EXPECT_EQ(grouprows().size(), 32U);
  EXPECT_EQ(moleculerows().size(), 30U);
  ASSERT_EQ(hydriderows().size(), 30U);
  // Add AHn codes follow the menu Tags.
  for (std::size_t tag = 0; tag < 30; ++tag) {
    const int expected = tag < 20 ? 620 + static_cast<int>(tag)
                                  : 646 + static_cast<int>(tag) - 20;
    EXPECT_EQ(hydriderows()[tag].code, expected);
  }
  // Every row of the three tables that the recipe table leaves out would
  // go untested.
  std::set<int> tested;
  for (const trecipe& recipe : recipes) {
    tested.insert(recipe.code);
  }
  for (int code : codes) {
    if (code != 630) {
      EXPECT_TRUE(tested.contains(code)) << code;
    }
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
