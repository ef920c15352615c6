// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics/molecular_data.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace molvane {
namespace {

class MolecularData : public testing::tdrawingtest {
 protected:
  /// A structure of its own in the drawing: a bent H-O-H, 30 units a bond.
  tStructure* water(double x) {
    auto made = std::make_unique<tStructure>();
    tatm* o = made->addatom(std::make_unique<tatm>(8, 0, x, 0));
    for (double side : {-1.0, 1.0}) {
      tatm* h = made->addatom(std::make_unique<tatm>(1, 0, x + side * 24, 18));
      made->addbond(std::make_unique<tbond>(o, 0, tbondstyle::normal, 2, h));
    }
    return drawing().mergestructure(std::move(made));
  }
};

TEST_F(MolecularData,
       DrawingAndStructureGiveTheSameMoleculeAndChargesReachTheAtoms) {
  tStructure* first = water(0);
  water(200);
  const tmoleculardata whole = moleculardata(drawing());
  EXPECT_EQ(whole.formula, "H4 O2 ");
  EXPECT_TRUE(whole.measured);
  ASSERT_TRUE(whole.energycal.has_value());
  EXPECT_EQ(whole.charge, 0);

  const tmoleculardata one = moleculardata(drawing(), *first);
  EXPECT_EQ(one.formula, "H2 O ");
  EXPECT_GT(one.dipole.debye, 0.5);
  // Equal molecules side by side: twice the dipole, and the energy of two
  // (no pairs between the structures in the structure's own copy).
  EXPECT_NEAR(whole.dipole.debye, 2 * one.dipole.debye, 1e-3);
  ASSERT_TRUE(one.energycal.has_value());
  // The structure's energy is its own: the other water's atoms are not in
  // its copy.
  std::vector<tatm*> others;
  for (tatm* a : drawing().atoms) {
    if (!first->hasatom(a)) {
      others.push_back(a);
    }
  }
  for (tatm* a : others) {
    drawing().removeatom(a);
  }
  EXPECT_NEAR(*moleculardata(drawing()).energycal, *one.energycal, 1e-6);
  EXPECT_LT(first->atoms.items(0)->qpartial, 0.0F);
  EXPECT_GT(first->atoms.items(1)->qpartial, 0.0F);
  // Moments are amu·Å²: three of them, two decimals for the drawing.
  const std::string moments = whole.momentstext(2);
  EXPECT_EQ(std::count(moments.begin(), moments.end(), '.'), 3);
}

TEST_F(MolecularData, StructureBondedOutsideOnlyGetsItsFormula) {
  tStructure* group = water(0);
  bond(group->atoms.items(0), atom(6, -30, 0));
  const tmoleculardata data = moleculardata(drawing(), *group);
  EXPECT_EQ(data.formula, "H2 O ");
  EXPECT_FALSE(data.measured);
  EXPECT_FALSE(data.energycal.has_value());
  EXPECT_EQ(data.energytext(), "");
}

TEST_F(MolecularData, SingleAtomAndEmptyDrawingHaveNoDipoleNorMoments) {
  const tmoleculardata empty = moleculardata(drawing());
  EXPECT_EQ(empty.formula, "");
  EXPECT_FALSE(empty.energycal.has_value());
  atom(8, 0, 0);
  const tmoleculardata one = moleculardata(drawing());
  EXPECT_EQ(one.dipoletext(), "  0.00");
  EXPECT_EQ(one.momentstext(0), "     0      0      0");
}

}  // namespace
}  // namespace molvane
